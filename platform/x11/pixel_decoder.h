// Turns the bytes of one Z-pixmap pixel into a colour word, for any true-colour layout the X
// server may use (channel order, channel width, bits per pixel, byte order).
#pragma once

#include "platform/types.h"

#include <cstddef>
#include <cstdint>
#include <optional>

class PixelDecoder {
public:
    // nullopt for layouts it cannot decode: a zero or non-contiguous mask, a channel wider
    // than 16 bits, or bits per pixel other than 8, 16, 24 or 32.
    static std::optional<PixelDecoder> Make(std::uint32_t redMask, std::uint32_t greenMask,
                                            std::uint32_t blueMask, int bitsPerPixel,
                                            bool mostSignificantByteFirst);

    // The colour word of the pixel at the start of `data`; kUnreadablePixel when fewer bytes
    // than one pixel are given.
    COLORREF Decode(const std::uint8_t* data, std::size_t length) const;

    // Bytes one pixel takes in a row of pixels.
    int BytesPerPixel() const { return m_nBytesPerPixel; }

private:
    struct Channel {
        std::uint32_t mask = 0;
        int shift = 0;
        std::uint32_t max = 0; // mask >> shift
        std::uint32_t To8Bits(std::uint32_t pixel) const;
    };
    static std::optional<Channel> MakeChannel(std::uint32_t mask);

    Channel m_red, m_green, m_blue;
    int m_nBytesPerPixel = 4;
    bool m_bMsbFirst = false;
};
