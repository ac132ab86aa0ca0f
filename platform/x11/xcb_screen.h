// Screen pixels and the pointer read from the X server's root window, in physical pixels.
#pragma once

#include "platform/screen.h"

#include <xcb/xcb.h>

#include <memory>
#include <optional>

class XcbPixelBatch;

class XcbScreen : public IScreen {
public:
    // Takes Qt's X connection; without one every call fails softly.
    XcbScreen();
    // Uses `connection` (nullptr: no display) and its screen number `screenNumber`.
    XcbScreen(xcb_connection_t* connection, int screenNumber);
    ~XcbScreen() override;
    XcbScreen(const XcbScreen&) = delete;
    XcbScreen& operator=(const XcbScreen&) = delete;

    COLORREF GetPixel(int x, int y) override;
    void GetPixels(std::span<const QPoint> points, std::span<COLORREF> out) override;
    std::optional<QPoint> GetCursorPos() override;
    void SetCursorPos(QPoint position) override;
    QSize VirtualScreenSize() override;

private:
    xcb_connection_t* m_pConnection = nullptr;
    xcb_window_t m_hRoot = XCB_NONE;
    // Pixel reads; none when the root's pixel layout is one we cannot decode.
    std::unique_ptr<XcbPixelBatch> m_pixels;
};
