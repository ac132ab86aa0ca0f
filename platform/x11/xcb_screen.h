// Screen pixels and the pointer read from the X server's root window, in physical pixels.
#pragma once

#include "pixel_decoder.h"
#include "platform/screen.h"

#include <xcb/xcb.h>

#include <optional>

class XcbScreen : public IScreen {
public:
    // Takes Qt's X connection; without one every call fails softly.
    XcbScreen();
    // Uses `connection` (nullptr: no display) and its screen number `screenNumber`.
    XcbScreen(xcb_connection_t* connection, int screenNumber);

    COLORREF GetPixel(int x, int y) override;
    std::optional<QPoint> GetCursorPos() override;
    void SetCursorPos(QPoint position) override;
    QSize VirtualScreenSize() override;

private:
    xcb_connection_t* m_pConnection = nullptr;
    xcb_window_t m_hRoot = XCB_NONE;
    // How the root window's pixels are laid out; looked up once, since it never changes.
    std::optional<PixelDecoder> m_decoder;
};
