#include "xcb_pixel_batch.h"

#include "xcb_reply.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

// What one pipelined 1x1 request costs, in pixels of a box read, as measured on Xvfb: one to
// two microseconds a request against 0.4 to 0.8 ns a pixel through shared memory and 1.2 to
// 1.8 ns through the socket (bench/bench_pixel.cpp, BM_ReadStrategy).
constexpr std::size_t kShmPixelsPerRequest = 2000;
constexpr std::size_t kSocketPixelsPerRequest = 800;

// The protocol carries coordinates in 16 bits, signed; a point beyond would wrap to another,
// and a negative one lies on no screen.
bool Requestable(QPoint point) {
    return point.x() >= 0 && point.y() >= 0 &&
           point.x() <= std::numeric_limits<std::int16_t>::max() &&
           point.y() <= std::numeric_limits<std::int16_t>::max();
}

xcb_get_image_cookie_t RequestImage(xcb_connection_t* connection, xcb_window_t root, QRect area) {
    return xcb_get_image(
        connection, XCB_IMAGE_FORMAT_Z_PIXMAP, root, static_cast<std::int16_t>(area.x()),
        static_cast<std::int16_t>(area.y()), static_cast<std::uint16_t>(area.width()),
        static_cast<std::uint16_t>(area.height()), std::numeric_limits<std::uint32_t>::max());
}

// The reply to a GetImage, or none when it failed (a point off every screen is a BadMatch).
XcbReply<xcb_get_image_reply_t> ImageReply(xcb_connection_t* connection,
                                           xcb_get_image_cookie_t cookie) {
    xcb_generic_error_t* rawError = nullptr;
    XcbReply<xcb_get_image_reply_t> reply(xcb_get_image_reply(connection, cookie, &rawError));
    const XcbReply<xcb_generic_error_t> error(rawError);
    if (error)
        reply.reset();
    return reply;
}

PixelRows RowsOf(const xcb_get_image_reply_t& reply, QRect area) {
    const auto length = static_cast<std::size_t>(xcb_get_image_data_length(&reply));
    return PixelRows{area, xcb_get_image_data(&reply), length,
                     length / static_cast<std::size_t>(area.height())};
}

} // namespace

XcbPixelBatch::XcbPixelBatch(xcb_connection_t* connection, xcb_window_t root, PixelDecoder decoder,
                             QSize rootSize)
    : m_pConnection(connection), m_hRoot(root), m_decoder(decoder), m_shm(connection),
      m_rootSize(rootSize) {}

void XcbPixelBatch::Read(std::span<const QPoint> points, std::span<COLORREF> out) {
    std::fill(out.begin(), out.end(), kUnreadablePixel);
    const std::size_t count = std::min(points.size(), out.size());
    const QRect root(QPoint(0, 0), RootSize());
    m_inside.clear();
    m_outside.clear();
    int left = std::numeric_limits<int>::max(), top = left, right = -1, bottom = -1;
    for (std::size_t i = 0; i < count; ++i) {
        const QPoint point = points[i];
        if (!Requestable(point))
            continue;
        if (!root.contains(point)) {
            m_outside.push_back(i);
            continue;
        }
        m_inside.push_back(i);
        left = std::min(left, point.x());
        top = std::min(top, point.y());
        right = std::max(right, point.x());
        bottom = std::max(bottom, point.y());
    }
    const QRect box(QPoint(left, top), QPoint(right, bottom));
    const bool boxed = m_inside.size() >= 2 && BoxIsCheaper(box, m_inside.size());
    if (!boxed || !ReadBox(box, points, m_inside, out)) {
        // A box that failed may reach past a root that has shrunk.
        if (boxed)
            m_rootSize = QSize();
        ReadEach(points, m_inside, out);
    }
    // Off the screen as last known, yet read: the root has grown.
    if (ReadEach(points, m_outside, out))
        m_rootSize = QSize();
}

bool XcbPixelBatch::BoxIsCheaper(QRect box, std::size_t points) const {
    const std::size_t perRequest = m_shm.Usable() ? kShmPixelsPerRequest : kSocketPixelsPerRequest;
    const auto area =
        static_cast<std::size_t>(box.width()) * static_cast<std::size_t>(box.height());
    return area <= points * perRequest;
}

bool XcbPixelBatch::ReadEach(std::span<const QPoint> points, std::span<const std::size_t> which,
                             std::span<COLORREF> out) {
    m_cookies.clear();
    for (const std::size_t i : which)
        m_cookies.push_back(RequestImage(m_pConnection, m_hRoot, QRect(points[i], QSize(1, 1))));
    bool anyRead = false;
    for (std::size_t k = 0; k < which.size(); ++k) {
        const auto reply = ImageReply(m_pConnection, m_cookies[k]);
        if (!reply)
            continue;
        const PixelRows rows = RowsOf(*reply, QRect(points[which[k]], QSize(1, 1)));
        out[which[k]] = rows.At(points[which[k]], m_decoder);
        anyRead = true;
    }
    return anyRead;
}

bool XcbPixelBatch::ReadBox(QRect box, std::span<const QPoint> points,
                            std::span<const std::size_t> which, std::span<COLORREF> out) {
    XcbReply<xcb_get_image_reply_t> reply; // holds the pixels when they came through the socket
    std::optional<PixelRows> rows;
    if (m_shm.Usable())
        rows = m_shm.Read(m_hRoot, box);
    if (!rows && !m_shm.Usable()) {
        reply = ImageReply(m_pConnection, RequestImage(m_pConnection, m_hRoot, box));
        if (reply)
            rows = RowsOf(*reply, box);
    }
    if (!rows)
        return false;
    for (const std::size_t i : which)
        out[i] = rows->At(points[i], m_decoder);
    return true;
}

QSize XcbPixelBatch::RootSize() {
    if (m_rootSize.isValid())
        return m_rootSize;
    const XcbReply<xcb_get_geometry_reply_t> reply(
        xcb_get_geometry_reply(m_pConnection, xcb_get_geometry(m_pConnection, m_hRoot), nullptr));
    m_rootSize = reply ? QSize(reply->width, reply->height) : QSize(0, 0);
    return m_rootSize;
}
