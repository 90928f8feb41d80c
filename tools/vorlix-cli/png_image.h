#pragma once
// A small RGB raster with lines, dots, rectangles and digits, and its PNG encoding.
//
// The encoding is a valid PNG without compression: 8-bit RGB, no interlace, every
// scanline with filter 0, the image data in stored deflate blocks inside one zlib
// stream. Drawing outside the image is clipped, never written.

#include <cstdint>
#include <string>
#include <vector>

namespace cli {

struct Rgb {
    std::uint8_t R = 0, G = 0, B = 0;
};

class RgbImage {
  public:
    // A width x height image filled with `background`; both sizes at least 1.
    RgbImage(int width, int height, Rgb background);

    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgb Pixel(int x, int y) const;

    void SetPixel(int x, int y, Rgb colour);
    void FillRect(int x0, int y0, int x1, int y1, Rgb colour); // corners included
    // A straight line from (x0, y0) to (x1, y1), `thickness` pixels wide.
    void DrawLine(int x0, int y0, int x1, int y1, Rgb colour, int thickness = 1);
    void FillCircle(int cx, int cy, int radius, Rgb colour);
    // Text of digits, '-', '+', '.', and the letters A-Z (upper case; lower case is
    // drawn as upper case) in a 3 x 5 pixel font scaled by `scale`, the top left corner at
    // (x, y). Other characters leave a blank. Returns the width drawn.
    int DrawText(int x, int y, const std::string& text, Rgb colour, int scale = 1);
    static int TextWidth(const std::string& text, int scale = 1);

  private:
    int width_, height_;
    std::vector<Rgb> pixels_;
};

// The PNG file bytes of `image`.
std::string EncodePng(const RgbImage& image);

// Writes EncodePng(image) to `path`; false with the reason in `error` when it fails.
bool WritePng(const std::string& path, const RgbImage& image, std::string* error);

// Checksums of the format, exposed for the tests: CRC-32 (ISO-HDLC, as in chunks) and
// Adler-32 (as at the end of the zlib stream).
std::uint32_t Crc32(const std::string& bytes, std::uint32_t crc = 0);
std::uint32_t Adler32(const std::string& bytes);

} // namespace cli
