#include "frame.h"

#include <cstring>

bool Frame::CopyFrom(const std::uint8_t* source, std::size_t available, std::size_t sourceStride,
                     int newWidth, int newHeight, FramePixelFormat newFormat) {
    const std::size_t row = static_cast<std::size_t>(newWidth) * kFrameBytesPerPixel;
    const bool fits = source && newWidth > 0 && newHeight > 0 && sourceStride >= row &&
                      sourceStride * static_cast<std::size_t>(newHeight - 1) + row <= available;
    width = fits ? newWidth : 0;
    height = fits ? newHeight : 0;
    stride = row;
    format = newFormat;
    if (!fits) {
        bytes.clear();
        return false;
    }
    // The storage of an earlier frame is reused: no allocation while the size stays.
    bytes.resize(row * static_cast<std::size_t>(height));
    if (sourceStride == row) {
        std::memcpy(bytes.data(), source, bytes.size());
        return true;
    }
    for (int y = 0; y < height; ++y)
        std::memcpy(bytes.data() + static_cast<std::size_t>(y) * row,
                    source + static_cast<std::size_t>(y) * sourceStride, row);
    return true;
}
