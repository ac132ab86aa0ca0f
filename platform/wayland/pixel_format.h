// The byte layouts of the screen-cast frames we accept, and reading one pixel of them.
#pragma once

#include "platform/types.h"

#include <cstdint>

// Channel order in memory, one byte each; the fourth byte is alpha or padding and ignored.
enum class FramePixelFormat { BGRx, BGRA, RGBx, RGBA };

inline constexpr int kFrameBytesPerPixel = 4;

// The colour word of the 4-byte pixel starting at `pixel`.
constexpr COLORREF DecodeFramePixel(FramePixelFormat format, const std::uint8_t* pixel) {
    switch (format) {
    case FramePixelFormat::BGRx:
    case FramePixelFormat::BGRA:
        return RGB(pixel[2], pixel[1], pixel[0]);
    case FramePixelFormat::RGBx:
    case FramePixelFormat::RGBA:
        return RGB(pixel[0], pixel[1], pixel[2]);
    }
    return kUnreadablePixel;
}
