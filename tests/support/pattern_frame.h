// A frame as a screen cast delivers it, whose pixel (x, y) has red x, green y and blue `tag`
// (mod 256): every pixel names its own place.
#pragma once

#include "platform/wayland/frame.h"

#include <QSize>

#include <memory>

inline std::shared_ptr<Frame> PatternFrame(QSize pixels, std::uint8_t tag) {
    std::vector<std::uint8_t> bytes;
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x)
            bytes.insert(bytes.end(),
                         {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), tag, 0xff});
    auto frame = std::make_shared<Frame>();
    frame->CopyFrom(bytes.data(), bytes.size(), static_cast<std::size_t>(pixels.width()) * 4,
                    pixels.width(), pixels.height(), FramePixelFormat::RGBx);
    return frame;
}
