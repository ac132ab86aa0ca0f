// One picture of one monitor as the stream delivered it, never changed once shared.
#pragma once

#include "pixel_format.h"

#include <cstddef>
#include <cstdint>
#include <vector>

struct Frame {
    int width = 0;
    int height = 0;
    std::size_t stride = 0; // bytes from one row to the next
    FramePixelFormat format = FramePixelFormat::BGRx;
    std::vector<std::uint8_t> bytes;

    // Colour of the frame's own pixel (fx, fy); kUnreadablePixel outside the frame.
    COLORREF PixelAt(int fx, int fy) const {
        if (fx < 0 || fy < 0 || fx >= width || fy >= height)
            return kUnreadablePixel;
        return DecodeFramePixel(format, bytes.data() + static_cast<std::size_t>(fy) * stride +
                                            static_cast<std::size_t>(fx) * kFrameBytesPerPixel);
    }

    // Replaces the picture with `height` rows of `width` pixels read `sourceStride` bytes
    // apart from `source`, which holds `available` bytes. False, leaving the frame empty, when
    // the rows do not fit in what is available.
    bool CopyFrom(const std::uint8_t* source, std::size_t available, std::size_t sourceStride,
                  int width, int height, FramePixelFormat format);
};
