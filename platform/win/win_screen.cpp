#include "win_screen.h"

COLORREF WinScreen::GetPixel(int x, int y) {
    return m_screen.Pixel(x, y).value_or(kUnreadablePixel);
}

std::optional<QPoint> WinScreen::GetCursorPos() {
    const std::optional<win32::ScreenPoint> point = win32::CursorPos();
    if (!point)
        return std::nullopt;
    return QPoint(point->x, point->y);
}

void WinScreen::SetCursorPos(QPoint position) {
    win32::MoveCursorTo({position.x(), position.y()});
}

QSize WinScreen::VirtualScreenSize() {
    const win32::ScreenPoint size = win32::VirtualScreenSize();
    return {size.x, size.y};
}
