#include "png_image.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <fstream>

namespace cli {

namespace {

// 3 x 5 glyphs: five rows, the high bit of each row's three is the left pixel.
struct Glyph {
    char c;
    std::array<std::uint8_t, 5> rows;
};

const Glyph kFont[] = {
    {'0', {7, 5, 5, 5, 7}}, {'1', {2, 6, 2, 2, 7}}, {'2', {7, 1, 7, 4, 7}}, {'3', {7, 1, 7, 1, 7}},
    {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 7, 1, 7}}, {'6', {7, 4, 7, 5, 7}}, {'7', {7, 1, 1, 2, 2}},
    {'8', {7, 5, 7, 5, 7}}, {'9', {7, 5, 7, 1, 7}}, {'-', {0, 0, 7, 0, 0}}, {'+', {0, 2, 7, 2, 0}},
    {'.', {0, 0, 0, 0, 2}}, {'A', {2, 5, 7, 5, 5}}, {'B', {6, 5, 6, 5, 6}}, {'C', {7, 4, 4, 4, 7}},
    {'D', {6, 5, 5, 5, 6}}, {'E', {7, 4, 6, 4, 7}}, {'F', {7, 4, 6, 4, 4}}, {'G', {7, 4, 5, 5, 7}},
    {'H', {5, 5, 7, 5, 5}}, {'I', {7, 2, 2, 2, 7}}, {'J', {1, 1, 1, 5, 7}}, {'K', {5, 5, 6, 5, 5}},
    {'L', {4, 4, 4, 4, 7}}, {'M', {5, 7, 7, 5, 5}}, {'N', {6, 5, 5, 5, 5}}, {'O', {7, 5, 5, 5, 7}},
    {'P', {7, 5, 7, 4, 4}}, {'Q', {7, 5, 5, 7, 1}}, {'R', {7, 5, 6, 5, 5}}, {'S', {7, 4, 7, 1, 7}},
    {'T', {7, 2, 2, 2, 2}}, {'U', {5, 5, 5, 5, 7}}, {'V', {5, 5, 5, 5, 2}}, {'W', {5, 5, 7, 7, 5}},
    {'X', {5, 5, 2, 5, 5}}, {'Y', {5, 5, 2, 2, 2}}, {'Z', {7, 1, 2, 4, 7}},
};

const Glyph* FindGlyph(char c) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    for (const Glyph& g : kFont)
        if (g.c == c) return &g;
    return nullptr;
}

void PutU32(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xff);
}

void PutChunk(std::string& out, const char* type, const std::string& data) {
    PutU32(out, static_cast<std::uint32_t>(data.size()));
    std::string body = std::string(type, 4) + data;
    out += body;
    PutU32(out, Crc32(body));
}

// The zlib stream of `raw` in stored deflate blocks (at most 65535 bytes each).
std::string StoredZlib(const std::string& raw) {
    std::string out;
    out += static_cast<char>(0x78); // deflate, 32K window
    out += static_cast<char>(0x01); // no preset dictionary; 0x7801 is a multiple of 31
    size_t pos = 0;
    do {
        const size_t n = std::min<size_t>(65535, raw.size() - pos);
        const bool last = pos + n == raw.size();
        out += static_cast<char>(last ? 1 : 0);
        out += static_cast<char>(n & 0xff);
        out += static_cast<char>(n >> 8);
        out += static_cast<char>(~n & 0xff);
        out += static_cast<char>((~n >> 8) & 0xff);
        out.append(raw, pos, n);
        pos += n;
    } while (pos < raw.size());
    PutU32(out, Adler32(raw));
    return out;
}

} // namespace

std::uint32_t Crc32(const std::string& bytes, std::uint32_t crc) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = c & 1 ? 0xedb88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (unsigned char b : bytes) crc = table[(crc ^ b) & 0xff] ^ (crc >> 8);
    return ~crc;
}

std::uint32_t Adler32(const std::string& bytes) {
    std::uint32_t a = 1, b = 0;
    for (unsigned char c : bytes) {
        a = (a + c) % 65521u;
        b = (b + a) % 65521u;
    }
    return (b << 16) | a;
}

RgbImage::RgbImage(int width, int height, Rgb background)
    : width_(std::max(1, width)), height_(std::max(1, height)),
      pixels_(static_cast<size_t>(width_) * static_cast<size_t>(height_), background) {}

Rgb RgbImage::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return {};
    return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

void RgbImage::SetPixel(int x, int y, Rgb colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] = colour;
}

void RgbImage::FillRect(int x0, int y0, int x1, int y1, Rgb colour) {
    if (x0 > x1) std::swap(x0, x1);
    if (y0 > y1) std::swap(y0, y1);
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, width_ - 1);
    y1 = std::min(y1, height_ - 1);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) SetPixel(x, y, colour);
}

void RgbImage::DrawLine(int x0, int y0, int x1, int y1, Rgb colour, int thickness) {
    // Bresenham's walk; a thick line stamps a small square at every step.
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    const int lo = -(std::max(thickness, 1) - 1) / 2, hi = lo + std::max(thickness, 1) - 1;
    int err = dx + dy;
    for (;;) {
        FillRect(x0 + lo, y0 + lo, x0 + hi, y0 + hi, colour);
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void RgbImage::FillCircle(int cx, int cy, int radius, Rgb colour) {
    for (int y = -radius; y <= radius; ++y)
        for (int x = -radius; x <= radius; ++x)
            if (x * x + y * y <= radius * radius) SetPixel(cx + x, cy + y, colour);
}

int RgbImage::TextWidth(const std::string& text, int scale) {
    return text.empty() ? 0 : static_cast<int>(text.size()) * 4 * scale - scale;
}

int RgbImage::DrawText(int x, int y, const std::string& text, Rgb colour, int scale) {
    int pen = x;
    for (char c : text) {
        if (const Glyph* g = FindGlyph(c))
            for (int row = 0; row < 5; ++row)
                for (int col = 0; col < 3; ++col)
                    if (g->rows[static_cast<size_t>(row)] & (4 >> col))
                        FillRect(pen + col * scale, y + row * scale, pen + col * scale + scale - 1,
                                 y + row * scale + scale - 1, colour);
        pen += 4 * scale;
    }
    return TextWidth(text, scale);
}

std::string EncodePng(const RgbImage& image) {
    std::string png = "\x89PNG\r\n\x1a\n";
    std::string header;
    PutU32(header, static_cast<std::uint32_t>(image.Width()));
    PutU32(header, static_cast<std::uint32_t>(image.Height()));
    header += '\x08';               // bit depth
    header += '\x02';               // colour type: RGB
    header += std::string(3, '\0'); // deflate, adaptive filtering, no interlace
    PutChunk(png, "IHDR", header);

    std::string raw;
    raw.reserve(static_cast<size_t>(image.Height()) * (1 + 3 * static_cast<size_t>(image.Width())));
    for (int y = 0; y < image.Height(); ++y) {
        raw += '\0'; // filter: none
        for (int x = 0; x < image.Width(); ++x) {
            const Rgb p = image.Pixel(x, y);
            raw += static_cast<char>(p.R);
            raw += static_cast<char>(p.G);
            raw += static_cast<char>(p.B);
        }
    }
    PutChunk(png, "IDAT", StoredZlib(raw));
    PutChunk(png, "IEND", "");
    return png;
}

bool WritePng(const std::string& path, const RgbImage& image, std::string* error) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << EncodePng(image);
    out.close();
    if (!out) {
        if (error) *error = "cannot write " + path;
        return false;
    }
    return true;
}

} // namespace cli
