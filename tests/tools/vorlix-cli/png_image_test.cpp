#include "png_image.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

using cli::RgbImage;

std::uint32_t U32(const std::string& s, size_t at) {
    return (std::uint32_t(std::uint8_t(s[at])) << 24) |
           (std::uint32_t(std::uint8_t(s[at + 1])) << 16) |
           (std::uint32_t(std::uint8_t(s[at + 2])) << 8) | std::uint32_t(std::uint8_t(s[at + 3]));
}

// A reader for what the writer produces: the chunks with their CRCs checked, IHDR's
// size, and the scanlines from stored deflate blocks with the Adler-32 checked.
struct Decoded {
    int width = 0, height = 0;
    std::string raw;
    std::vector<std::string> chunks;
};

Decoded Decode(const std::string& png) {
    Decoded d;
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    std::string zlib;
    size_t at = 8;
    while (at + 12 <= png.size()) {
        const std::uint32_t n = U32(png, at);
        const std::string body = png.substr(at + 4, 4 + n);
        const std::string type = body.substr(0, 4);
        EXPECT_EQ(U32(png, at + 8 + n), cli::Crc32(body)) << type;
        d.chunks.push_back(type);
        if (type == "IHDR") {
            d.width = int(U32(body, 4));
            d.height = int(U32(body, 8));
            EXPECT_EQ(body.substr(12), std::string("\x08\x02\0\0\0", 5));
        }
        if (type == "IDAT") zlib += body.substr(4);
        at += 12 + n;
    }
    EXPECT_EQ(at, png.size());
    EXPECT_EQ((std::uint8_t(zlib[0]) * 256 + std::uint8_t(zlib[1])) % 31, 0);
    size_t z = 2;
    for (bool last = false; !last;) {
        last = zlib[z] & 1;
        EXPECT_EQ(zlib[z] & 6, 0) << "not a stored block";
        const size_t len = std::uint8_t(zlib[z + 1]) | (std::uint8_t(zlib[z + 2]) << 8);
        const size_t nlen = std::uint8_t(zlib[z + 3]) | (std::uint8_t(zlib[z + 4]) << 8);
        EXPECT_EQ(len ^ 0xffff, nlen);
        d.raw += zlib.substr(z + 5, len);
        z += 5 + len;
    }
    EXPECT_EQ(U32(zlib, z), cli::Adler32(d.raw));
    EXPECT_EQ(z + 4, zlib.size());
    return d;
}

TEST(PngImage, ChecksumsMatchTheirReferenceValues) {
    EXPECT_EQ(cli::Crc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(cli::Crc32("IEND"), 0xAE426082u);
    EXPECT_EQ(cli::Adler32("Wikipedia"), 0x11E60398u);
    EXPECT_EQ(cli::Adler32(""), 1u);
}

TEST(PngImage, EncodesSizeChunksAndPixels) {
    RgbImage img(3, 2, {10, 20, 30});
    img.SetPixel(2, 1, {255, 0, 7});
    const Decoded d = Decode(cli::EncodePng(img));
    EXPECT_EQ(d.width, 3);
    EXPECT_EQ(d.height, 2);
    EXPECT_EQ(d.chunks, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    ASSERT_EQ(d.raw.size(), 2u * (1 + 3 * 3));
    EXPECT_EQ(d.raw[0], '\0');  // filter byte of row 0
    EXPECT_EQ(d.raw[10], '\0'); // and of row 1
    EXPECT_EQ(std::uint8_t(d.raw[1]), 10);
    EXPECT_EQ(d.raw.substr(17, 3), std::string("\xff\x00\x07", 3));
}

// Image data above 65535 bytes needs several stored blocks.
TEST(PngImage, LargeImagesSpanSeveralStoredBlocks) {
    RgbImage img(300, 200, {1, 2, 3});
    img.SetPixel(299, 199, {9, 8, 7});
    const Decoded d = Decode(cli::EncodePng(img));
    EXPECT_EQ(d.width, 300);
    EXPECT_EQ(d.height, 200);
    ASSERT_EQ(d.raw.size(), 200u * (1 + 3 * 300));
    EXPECT_EQ(d.raw.substr(d.raw.size() - 3), "\x09\x08\x07");
}

TEST(PngImage, LinesReachTheirEndsAndDrawingIsClipped) {
    RgbImage img(20, 10, {0, 0, 0});
    const cli::Rgb red{255, 0, 0};
    img.DrawLine(2, 1, 17, 8, red);
    EXPECT_EQ(img.Pixel(2, 1).R, 255);
    EXPECT_EQ(img.Pixel(17, 8).R, 255);
    EXPECT_EQ(img.Pixel(17, 1).R, 0);
    // Steep and reversed lines, and shapes reaching past every edge.
    img.DrawLine(5, 9, 5, 0, red, 3);
    EXPECT_EQ(img.Pixel(4, 5).R, 255);
    EXPECT_EQ(img.Pixel(6, 5).R, 255);
    img.DrawLine(-50, -50, 70, 40, red, 5);
    img.FillCircle(19, 9, 6, red);
    img.FillRect(-3, -3, 100, 0, red);
    img.DrawText(15, 7, "-2500", red, 3);
    EXPECT_EQ(img.Pixel(19, 9).R, 255);
    EXPECT_EQ(img.Pixel(0, 0).R, 255);
    EXPECT_EQ(img.Pixel(-1, 0).R, 0); // outside reads as black, nothing was written there
}

TEST(PngImage, TextUsesThreeByFiveGlyphs) {
    RgbImage img(20, 10, {0, 0, 0});
    EXPECT_EQ(img.DrawText(0, 0, "1-", {0, 255, 0}), 7);
    EXPECT_EQ(RgbImage::TextWidth("ABC", 2), 22);
    // '1' is 010 / 110 / 010 / 010 / 111, '-' the middle row.
    EXPECT_EQ(img.Pixel(1, 0).G, 255);
    EXPECT_EQ(img.Pixel(0, 0).G, 0);
    EXPECT_EQ(img.Pixel(0, 4).G, 255);
    EXPECT_EQ(img.Pixel(4, 2).G, 255);
    EXPECT_EQ(img.Pixel(4, 1).G, 0);
}

} // namespace
