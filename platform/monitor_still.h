// One monitor's picture held still: where the monitor lies on the desktop and what it showed.
#pragma once

#include "types.h"

#include <QRect>
#include <memory>

struct Frame;

struct MonitorStill {
    QRect area; // desktop coordinates
    std::shared_ptr<const Frame> frame;

    // Colour at desktop point (x, y), scaled when the picture's size differs from the
    // monitor's; kUnreadablePixel outside the monitor or without a picture.
    COLORREF PixelAt(int x, int y) const;
};
