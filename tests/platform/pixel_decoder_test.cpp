// Pixel layouts X servers really use, decoded into colour words (red in the low byte).
#include "platform/x11/pixel_decoder.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {
using Masks = std::array<std::uint32_t, 3>; // red, green, blue
constexpr Masks k888{0xFF0000, 0xFF00, 0xFF}, k565{0xF800, 0x07E0, 0x001F};
} // namespace

TEST(PixelDecoder, LayoutsDecodeToFullRangeColours) {
    const struct {
        const char* layout;
        Masks masks;
        int bitsPerPixel;
        bool msbFirst;
        std::vector<std::uint8_t> bytes;
        COLORREF colour;
    } cases[] = {
        {"LSB first", k888, 32, false, {0x56, 0x34, 0x12, 0}, RGB(0x12, 0x34, 0x56)},
        {"MSB first", k888, 32, true, {0, 0x12, 0x34, 0x56}, RGB(0x12, 0x34, 0x56)},
        {"red low", {0xFF, 0xFF00, 0xFF0000}, 32, false, {0x56, 0x34, 0x12, 0}, RGB(86, 52, 18)},
        {"packed 24", k888, 24, false, {3, 2, 1}, RGB(1, 2, 3)},
        {"565 white", k565, 16, false, {0xFF, 0xFF}, RGB(255, 255, 255)},
        {"565 red", k565, 16, false, {0x00, 0xF8}, RGB(255, 0, 0)},
        {"565 halfway", k565, 16, false, {0x10, 0x84}, RGB(132, 130, 132)},
        {"565 MSB first", k565, 16, true, {0x84, 0x10}, RGB(132, 130, 132)},
        {"332", {0xE0, 0x1C, 0x03}, 8, false, {0x6D}, RGB(109, 109, 85)},
        {"30 bits", {0x3FF00000, 0xFFC00, 0x3FF}, 32, false, {0, 0, 0xF8, 0x3F}, RGB(255, 128, 0)},
        {"too short", k888, 32, false, {1, 2, 3}, kUnreadablePixel},
    };
    for (const auto& c : cases) {
        const auto& [red, green, blue] = c.masks;
        const auto decoder = PixelDecoder::Make(red, green, blue, c.bitsPerPixel, c.msbFirst);
        ASSERT_TRUE(decoder) << c.layout;
        EXPECT_EQ(decoder->Decode(c.bytes.data(), c.bytes.size()), c.colour) << c.layout;
        EXPECT_EQ(decoder->Decode(nullptr, 4), kUnreadablePixel) << c.layout;
    }
    EXPECT_FALSE(PixelDecoder::Make(0, 0xFF00, 0xFF, 32, false));        // no red at all
    EXPECT_FALSE(PixelDecoder::Make(0xF0F000, 0xFF00, 0xFF, 32, false)); // holes in a mask
    EXPECT_FALSE(PixelDecoder::Make(0xFF0000, 0xFF00, 0xFF, 4, false));  // 4 bits per pixel
    EXPECT_FALSE(PixelDecoder::Make(0x1FFFF, 0xFF00, 0xFF, 32, false));  // a 17-bit channel
}
