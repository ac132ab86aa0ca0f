// Pixel layouts X servers really use, decoded into colour words (red in the low byte).
#include "platform/x11/pixel_decoder.h"

#include <gtest/gtest.h>

#include <vector>

TEST(PixelDecoder, LayoutsDecodeToFullRangeColours) {
    const struct {
        const char* layout;
        std::uint32_t red, green, blue;
        int bitsPerPixel;
        bool msbFirst;
        std::vector<std::uint8_t> bytes;
        COLORREF colour;
    } cases[] = {
        {"32 bits, LSB first",
         0xFF0000,
         0xFF00,
         0xFF,
         32,
         false,
         {0x56, 0x34, 0x12, 0},
         RGB(0x12, 0x34, 0x56)},
        {"32 bits, MSB first",
         0xFF0000,
         0xFF00,
         0xFF,
         32,
         true,
         {0, 0x12, 0x34, 0x56},
         RGB(0x12, 0x34, 0x56)},
        {"red in the low byte",
         0xFF,
         0xFF00,
         0xFF0000,
         32,
         false,
         {0x56, 0x34, 0x12, 0},
         RGB(0x56, 0x34, 0x12)},
        {"packed 24 bits", 0xFF0000, 0xFF00, 0xFF, 24, false, {3, 2, 1}, RGB(1, 2, 3)},
        {"565 white", 0xF800, 0x07E0, 0x001F, 16, false, {0xFF, 0xFF}, RGB(255, 255, 255)},
        {"565 red", 0xF800, 0x07E0, 0x001F, 16, false, {0x00, 0xF8}, RGB(255, 0, 0)},
        {"565 halfway", 0xF800, 0x07E0, 0x001F, 16, false, {0x10, 0x84}, RGB(132, 130, 132)},
        {"565 MSB first", 0xF800, 0x07E0, 0x001F, 16, true, {0x84, 0x10}, RGB(132, 130, 132)},
        {"332 in 8 bits", 0xE0, 0x1C, 0x03, 8, false, {0x6D}, RGB(109, 109, 85)},
        {"30-bit deep colour",
         0x3FF00000,
         0xFFC00,
         0x3FF,
         32,
         false,
         {0, 0, 0xF8, 0x3F},
         RGB(255, 128, 0)},
        {"too short", 0xFF0000, 0xFF00, 0xFF, 32, false, {1, 2, 3}, kUnreadablePixel},
    };
    for (const auto& c : cases) {
        const auto decoder = PixelDecoder::Make(c.red, c.green, c.blue, c.bitsPerPixel, c.msbFirst);
        ASSERT_TRUE(decoder) << c.layout;
        EXPECT_EQ(decoder->Decode(c.bytes.data(), c.bytes.size()), c.colour) << c.layout;
        EXPECT_EQ(decoder->Decode(nullptr, 4), kUnreadablePixel) << c.layout;
    }
}

TEST(PixelDecoder, LayoutsItCannotReadAreRefused) {
    EXPECT_FALSE(PixelDecoder::Make(0, 0xFF00, 0xFF, 32, false));        // no red at all
    EXPECT_FALSE(PixelDecoder::Make(0xF0F000, 0xFF00, 0xFF, 32, false)); // holes in a mask
    EXPECT_FALSE(PixelDecoder::Make(0xFF0000, 0xFF00, 0xFF, 4, false));  // 4 bits per pixel
    EXPECT_FALSE(PixelDecoder::Make(0x1FFFF, 0xFF00, 0xFF, 32, false));  // 17-bit channel
}
