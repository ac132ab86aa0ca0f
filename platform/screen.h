// The screen as the program sees it: pixels and the pointer, in coordinates of the virtual
// screen. On X11 and Windows these are physical pixels (never Qt's logical pixels). On Wayland
// they are the desktop's logical pixels, the only ones its portals and protocols speak: a
// monitor at 2x covers half as many units as it has pixels each way, a point reads the pixel
// its unit starts on, and a location saved there lands elsewhere on the same monitor under X11.
#pragma once

#include "monitor_still.h"
#include "pointer_mechanisms.h"
#include "types.h"

#include <QPoint>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>
#include <span>
#include <vector>

class IScreen {
public:
    virtual ~IScreen() = default;
    // Colour of the pixel at (x, y); kUnreadablePixel when the point lies on no screen or the
    // read fails. Safe to call on the UI thread only.
    virtual COLORREF GetPixel(int x, int y) = 0;
    // The colours of `points`, read together, into `out` (as many entries as points): what
    // GetPixel gives for each, with a failure affecting only the points it concerns. Backends
    // that pay a round trip per read override it to pay about one for all.
    virtual void GetPixels(std::span<const QPoint> points, std::span<COLORREF> out) {
        for (std::size_t i = 0; i < points.size() && i < out.size(); ++i)
            out[i] = GetPixel(points[i].x(), points[i].y());
    }
    // Pointer position; nullopt when it cannot be read (no display, pointer on another screen).
    virtual std::optional<QPoint> GetCursorPos() = 0;
    // Moves the pointer; silently does nothing without a display.
    virtual void SetCursorPos(QPoint position) = 0;
    // Moves the pointer to show the user `position`, then runs `done` (on the UI thread,
    // possibly later: the desktop may ask the user first) with whether it was moved.
    virtual void ShowPointerAt(QPoint position, std::function<void(bool moved)> done) {
        SetCursorPos(position);
        if (done)
            done(true);
    }
    // Width and height of the whole virtual screen; 0 x 0 without a display.
    virtual QSize VirtualScreenSize() = 0;
    // Whether the screen can be read at all now. False while a desktop withholds it (a share
    // not granted yet, refused or stopped, or its first picture still to come): points then
    // read as unreadable for want of a picture, not because the screen changed.
    virtual bool CanBeRead() { return true; }
    // How this desktop lets the program reach the pointer and the keys; X11 allows everything.
    virtual PointerMechanisms Mechanisms() { return {}; }
    // The newest picture of each monitor, where the screen arrives as pictures (Wayland); empty
    // where pixels are read one at a time (X11), and before the first pictures come.
    virtual std::vector<MonitorStill> Stills() { return {}; }
    // The monitors, by name, that the desktop keeps from the program (left out of its screen
    // share): every point on them reads as unreadable. Empty where all can be read.
    virtual std::vector<QString> UnsharedMonitors() { return {}; }
};
