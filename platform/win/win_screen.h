// Screen pixels and the pointer through GDI and the window manager, in physical pixels of the
// virtual screen (Qt makes the process aware of each monitor's scale).
#pragma once

#include "platform/screen.h"
#include "win32_calls.h"

class WinScreen : public IScreen {
public:
    COLORREF GetPixel(int x, int y) override;
    std::optional<QPoint> GetCursorPos() override;
    void SetCursorPos(QPoint position) override;
    QSize VirtualScreenSize() override;

private:
    // Held for the program's life: getting a device context per read would cost more than
    // the read.
    win32::ScreenDc m_screen;
};
