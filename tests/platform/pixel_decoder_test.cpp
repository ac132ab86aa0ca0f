// Pixel layouts X servers really use, decoded into colour words (red in the low byte).
#include "platform/x11/pixel_decoder.h"

#include <gtest/gtest.h>

#include <array>

namespace {

PixelDecoder MakeOrFail(std::uint32_t r, std::uint32_t g, std::uint32_t b, int bpp, bool msb) {
    const auto decoder = PixelDecoder::Make(r, g, b, bpp, msb);
    EXPECT_TRUE(decoder.has_value());
    return decoder.value_or(*PixelDecoder::Make(0xFF0000, 0xFF00, 0xFF, 32, false));
}

} // namespace

TEST(PixelDecoder, TrueColour32BitsInEitherByteOrder) {
    const auto lsb = MakeOrFail(0xFF0000, 0x00FF00, 0x0000FF, 32, false);
    const std::array<std::uint8_t, 4> bgrx{0x56, 0x34, 0x12, 0x00};
    EXPECT_EQ(lsb.Decode(bgrx.data(), bgrx.size()), RGB(0x12, 0x34, 0x56));

    const auto msb = MakeOrFail(0xFF0000, 0x00FF00, 0x0000FF, 32, true);
    const std::array<std::uint8_t, 4> xrgb{0x00, 0x12, 0x34, 0x56};
    EXPECT_EQ(msb.Decode(xrgb.data(), xrgb.size()), RGB(0x12, 0x34, 0x56));
}

TEST(PixelDecoder, ChannelOrderComesFromTheMasksNotFromAssumption) {
    // The same bytes on a visual with red in the low byte read as the mirrored colour.
    const auto rgbx = MakeOrFail(0x0000FF, 0x00FF00, 0xFF0000, 32, false);
    const std::array<std::uint8_t, 4> bytes{0x56, 0x34, 0x12, 0x00};
    EXPECT_EQ(rgbx.Decode(bytes.data(), bytes.size()), RGB(0x56, 0x34, 0x12));
}

TEST(PixelDecoder, PackedAndNarrowLayoutsScaleToFullRange) {
    const auto packed24 = MakeOrFail(0xFF0000, 0x00FF00, 0x0000FF, 24, false);
    const std::array<std::uint8_t, 3> bgr{0x03, 0x02, 0x01};
    EXPECT_EQ(packed24.Decode(bgr.data(), bgr.size()), RGB(1, 2, 3));

    const auto rgb565 = MakeOrFail(0xF800, 0x07E0, 0x001F, 16, false);
    const std::array<std::uint8_t, 2> white{0xFF, 0xFF};
    const std::array<std::uint8_t, 2> red{0x00, 0xF8};
    const std::array<std::uint8_t, 2> grey{0x10, 0x84}; // 0x8410: halfway on every channel
    EXPECT_EQ(rgb565.Decode(white.data(), 2), RGB(255, 255, 255));
    EXPECT_EQ(rgb565.Decode(red.data(), 2), RGB(255, 0, 0));
    EXPECT_EQ(rgb565.Decode(grey.data(), 2), RGB(132, 130, 132));

    const auto deep30 = MakeOrFail(0x3FF00000, 0x000FFC00, 0x000003FF, 32, false);
    const std::uint32_t pixel = (1023u << 20) | (512u << 10) | 0u;
    const std::array<std::uint8_t, 4> bytes{
        static_cast<std::uint8_t>(pixel), static_cast<std::uint8_t>(pixel >> 8),
        static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 24)};
    EXPECT_EQ(deep30.Decode(bytes.data(), bytes.size()), RGB(255, 128, 0));
}

TEST(PixelDecoder, ShortDataIsUnreadableAndOddLayoutsAreRefused) {
    const auto decoder = MakeOrFail(0xFF0000, 0x00FF00, 0x0000FF, 32, false);
    const std::array<std::uint8_t, 3> tooShort{1, 2, 3};
    EXPECT_EQ(decoder.Decode(tooShort.data(), tooShort.size()), kUnreadablePixel);
    EXPECT_EQ(decoder.Decode(nullptr, 4), kUnreadablePixel);

    EXPECT_FALSE(PixelDecoder::Make(0, 0xFF00, 0xFF, 32, false));        // no red at all
    EXPECT_FALSE(PixelDecoder::Make(0xF0F000, 0xFF00, 0xFF, 32, false)); // holes in a mask
    EXPECT_FALSE(PixelDecoder::Make(0xFF0000, 0xFF00, 0xFF, 4, false));  // 4 bits per pixel
}
