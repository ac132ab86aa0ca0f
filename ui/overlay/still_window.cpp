#include "still_window.h"

#include "platform/wayland/frame.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <bit>
#include <cmath>

namespace {

// The frame's pixels as an image, without a copy: valid while the frame lives.
QImage ImageOf(const Frame& frame) {
    static_assert(std::endian::native == std::endian::little,
                  "BGRx bytes read as 32-bit words are QImage's RGB32 on little-endian only");
    const bool bgr =
        frame.format == FramePixelFormat::BGRx || frame.format == FramePixelFormat::BGRA;
    // Alpha is ignored: a screen has no transparent pixels.
    return QImage(frame.bytes.data(), frame.width, frame.height,
                  static_cast<qsizetype>(frame.stride),
                  bgr ? QImage::Format_RGB32 : QImage::Format_RGBX8888);
}

// The monitor Qt knows at that place of the desktop, else the first one.
QScreen* ScreenShowing(const QRect& area) {
    for (QScreen* screen : QGuiApplication::screens())
        if (screen->geometry().contains(area.center()))
            return screen;
    return QGuiApplication::primaryScreen();
}

} // namespace

StillWindow::StillWindow(MonitorStill still, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_still(std::move(still)),
      m_image(ImageOf(*m_still.frame)) {
    setWindowTitle(QStringLiteral("Tintwatch"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
}

void StillWindow::Open() {
    if (QScreen* screen = ScreenShowing(m_still.area)) {
        setScreen(screen);
        setGeometry(screen->geometry());
    }
    showFullScreen();
    activateWindow();
}

QPoint StillWindow::DesktopPoint(QPointF local) const {
    const QRect& area = m_still.area;
    const auto along = [](double offset, int areaSize, int windowSize) {
        return static_cast<int>(std::floor(offset * areaSize / std::max(windowSize, 1)));
    };
    return {area.x() + along(local.x(), area.width(), width()),
            area.y() + along(local.y(), area.height(), height())};
}

QPointF StillWindow::WindowPoint(QPoint desktop) const {
    const QRect& area = m_still.area;
    // The middle of the desktop pixel.
    return {(desktop.x() - area.x() + 0.5) * width() / area.width(),
            (desktop.y() - area.y() + 0.5) * height() / area.height()};
}

void StillWindow::paintEvent(QPaintEvent*) {
    QPainter(this).drawImage(rect(), m_image);
}
