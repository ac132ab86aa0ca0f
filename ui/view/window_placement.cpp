#include "window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace {

qint64 OverlapArea(const QRect& a, const QRect& b) {
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : qint64{common.width()} * common.height();
}

// How far `window` lies from `screen`: zero when they touch or overlap.
qint64 Distance(const QRect& window, const QRect& screen) {
    const qint64 dx = std::max({0, screen.left() - window.right(), window.left() - screen.right()});
    const qint64 dy = std::max({0, screen.top() - window.bottom(), window.top() - screen.bottom()});
    return dx * dx + dy * dy;
}

} // namespace

QRect KeepOnScreen(const QRect& window, const QList<QRect>& screens) {
    if (screens.isEmpty() ||
        std::ranges::any_of(screens, [&](const QRect& screen) { return screen.contains(window); }))
        return window;
    const QRect nearest = *std::ranges::min_element(screens, [&](const QRect& a, const QRect& b) {
        const qint64 overlapA = OverlapArea(window, a);
        const qint64 overlapB = OverlapArea(window, b);
        return overlapA != overlapB ? overlapA > overlapB
                                    : Distance(window, a) < Distance(window, b);
    });
    QRect kept(window.topLeft(), window.size().boundedTo(nearest.size()));
    kept.moveLeft(std::clamp(kept.left(), nearest.left(), nearest.right() - kept.width() + 1));
    kept.moveTop(std::clamp(kept.top(), nearest.top(), nearest.bottom() - kept.height() + 1));
    return kept;
}

bool RestorePlacement(QWidget& window, const QByteArray& placement) {
    if (!window.restoreGeometry(placement))
        return false;
    // A maximised or full-screen window is the window manager's to place.
    if (window.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return true;
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    const QRect kept = KeepOnScreen(window.geometry(), screens);
    if (kept != window.geometry())
        window.setGeometry(kept);
    return true;
}
