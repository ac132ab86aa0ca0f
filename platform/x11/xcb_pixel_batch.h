// Many pixels of the root window for about the price of one round trip: either every 1x1
// request is sent before the first reply is awaited, or the box around the points is read in
// one go, whichever costs less for their number and spread.
#pragma once

#include "pixel_decoder.h"
#include "xcb_shm_area.h"

#include <xcb/xcb.h>

#include <QPoint>
#include <QSize>

#include <cstddef>
#include <span>
#include <vector>

class XcbPixelBatch {
public:
    // Reads `root` of `connection`, whose pixels `decoder` understands and whose size was
    // `rootSize` when the connection was made.
    XcbPixelBatch(xcb_connection_t* connection, xcb_window_t root, PixelDecoder decoder,
                  QSize rootSize);

    // The colours of `points` into `out`; points on no screen, and points whose read failed,
    // are kUnreadablePixel. Negative points and points beyond 16 bits cost no request.
    void Read(std::span<const QPoint> points, std::span<COLORREF> out);

private:
    // Reads the points `which` with a 1x1 request each, all sent before any reply is awaited;
    // an error answers only its own request. Returns whether any of them could be read.
    bool ReadEach(std::span<const QPoint> points, std::span<const std::size_t> which,
                  std::span<COLORREF> out);
    // Reads the points `which`, all inside `box`, from one image of the box. False when the
    // image could not be had; nothing is written then.
    bool ReadBox(QRect box, std::span<const QPoint> points, std::span<const std::size_t> which,
                 std::span<COLORREF> out);
    bool BoxIsCheaper(QRect box, std::size_t points) const;
    // The root's size as last known; asked again after it was found to have changed.
    QSize RootSize();

    xcb_connection_t* m_pConnection;
    xcb_window_t m_hRoot;
    PixelDecoder m_decoder;
    XcbShmArea m_shm;
    QSize m_rootSize; // invalid: to be asked
    // Kept between reads, so that a read of as many points as the last allocates nothing.
    std::vector<std::size_t> m_inside, m_outside;
    std::vector<xcb_get_image_cookie_t> m_cookies;
};
