#include "pixel_decoder.h"

#include <bit>

std::optional<PixelDecoder::Channel> PixelDecoder::MakeChannel(std::uint32_t mask) {
    if (mask == 0)
        return std::nullopt;
    Channel channel;
    channel.mask = mask;
    channel.shift = std::countr_zero(mask);
    channel.max = mask >> channel.shift;
    // Contiguous bits only, and at most 16 of them so the scaling below cannot overflow.
    if ((channel.max & (channel.max + 1)) != 0 || channel.max > 0xFFFFu)
        return std::nullopt;
    return channel;
}

std::uint32_t PixelDecoder::Channel::To8Bits(std::uint32_t pixel) const {
    const std::uint32_t value = (pixel & mask) >> shift;
    if (max == 0xFFu)
        return value;
    // Rounded, so full scale stays full scale for 5- and 6-bit channels.
    return (value * 255u + max / 2u) / max;
}

std::optional<PixelDecoder> PixelDecoder::Make(std::uint32_t redMask, std::uint32_t greenMask,
                                               std::uint32_t blueMask, int bitsPerPixel,
                                               bool mostSignificantByteFirst) {
    if (bitsPerPixel != 8 && bitsPerPixel != 16 && bitsPerPixel != 24 && bitsPerPixel != 32)
        return std::nullopt;
    const auto red = MakeChannel(redMask);
    const auto green = MakeChannel(greenMask);
    const auto blue = MakeChannel(blueMask);
    if (!red || !green || !blue)
        return std::nullopt;
    PixelDecoder decoder;
    decoder.m_red = *red;
    decoder.m_green = *green;
    decoder.m_blue = *blue;
    decoder.m_nBytesPerPixel = bitsPerPixel / 8;
    decoder.m_bMsbFirst = mostSignificantByteFirst;
    return decoder;
}

COLORREF PixelDecoder::Decode(const std::uint8_t* data, std::size_t length) const {
    if (!data || length < static_cast<std::size_t>(m_nBytesPerPixel))
        return kUnreadablePixel;
    std::uint32_t pixel = 0;
    for (int i = 0; i < m_nBytesPerPixel; ++i) {
        const int byteIndex = m_bMsbFirst ? i : m_nBytesPerPixel - 1 - i;
        pixel = (pixel << 8) | data[byteIndex];
    }
    return RGB(m_red.To8Bits(pixel), m_green.To8Bits(pixel), m_blue.To8Bits(pixel));
}
