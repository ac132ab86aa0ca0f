// Value types shared by the platform services and everything above them.
#pragma once

#include <cstdint>

// A colour word: red in bits 0-7, green 8-15, blue 16-23, bits 24-31 zero.
using COLORREF = std::uint32_t;

// What a pixel that cannot be read samples as; differs from every real colour word.
inline constexpr COLORREF kUnreadablePixel = 0xFFFFFFFFu;

constexpr COLORREF RGB(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}
constexpr std::uint32_t GetRValue(COLORREF c) { return c & 0xFF; }
constexpr std::uint32_t GetGValue(COLORREF c) { return (c >> 8) & 0xFF; }
constexpr std::uint32_t GetBValue(COLORREF c) { return (c >> 16) & 0xFF; }
