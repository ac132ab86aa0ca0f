// A rectangle of pixels as the X server hands it over: Z-pixmap rows, one after another.
#pragma once

#include "pixel_decoder.h"

#include <QPoint>
#include <QRect>

#include <cstddef>
#include <cstdint>

struct PixelRows {
    QRect area; // where on the window the first byte's pixel lies, and the size
    const std::uint8_t* data = nullptr;
    std::size_t length = 0; // bytes at data
    std::size_t stride = 0; // bytes from one row to the next

    // The colour at `point`, which lies in `area`; unreadable when the rows end short of it.
    COLORREF At(QPoint point, const PixelDecoder& decoder) const {
        const std::size_t offset = static_cast<std::size_t>(point.y() - area.y()) * stride +
                                   static_cast<std::size_t>(point.x() - area.x()) *
                                       static_cast<std::size_t>(decoder.BytesPerPixel());
        return offset < length ? decoder.Decode(data + offset, length - offset) : kUnreadablePixel;
    }
};
