#include "xcb_screen.h"

#include "qt_xcb_connection.h"
#include "xcb_pixel_batch.h"
#include "xcb_reply.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

const xcb_visualtype_t* RootVisual(const xcb_screen_t* screen) {
    for (auto depths = xcb_screen_allowed_depths_iterator(screen); depths.rem > 0;
         xcb_depth_next(&depths)) {
        for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem > 0;
             xcb_visualtype_next(&visuals)) {
            if (visuals.data->visual_id == screen->root_visual)
                return visuals.data;
        }
    }
    return nullptr;
}

int BitsPerPixel(const xcb_setup_t* setup, std::uint8_t depth) {
    for (auto formats = xcb_setup_pixmap_formats_iterator(setup); formats.rem > 0;
         xcb_format_next(&formats)) {
        if (formats.data->depth == depth)
            return formats.data->bits_per_pixel;
    }
    return 0;
}

// Colour-mapped visuals would need a colormap look-up per pixel; only mask-decoded ones are
// read, the rest sample as unreadable.
std::optional<PixelDecoder> DecoderFor(const xcb_setup_t* setup, const xcb_screen_t* screen) {
    const xcb_visualtype_t* visual = RootVisual(screen);
    if (!visual || (visual->_class != XCB_VISUAL_CLASS_TRUE_COLOR &&
                    visual->_class != XCB_VISUAL_CLASS_DIRECT_COLOR))
        return std::nullopt;
    return PixelDecoder::Make(visual->red_mask, visual->green_mask, visual->blue_mask,
                              BitsPerPixel(setup, screen->root_depth),
                              setup->image_byte_order == XCB_IMAGE_ORDER_MSB_FIRST);
}

} // namespace

XcbScreen::XcbScreen() : XcbScreen(QtXcbConnection(), QtXcbScreenNumber()) {}

XcbScreen::XcbScreen(xcb_connection_t* connection, int screenNumber) {
    if (!connection || xcb_connection_has_error(connection))
        return;
    const xcb_screen_t* screen = XcbScreenOf(connection, screenNumber);
    if (!screen)
        return;
    const xcb_setup_t* setup = xcb_get_setup(connection);
    m_pConnection = connection;
    m_hRoot = screen->root;
    // The layout of the root's pixels never changes, so it is looked up once.
    if (const std::optional<PixelDecoder> decoder = DecoderFor(setup, screen))
        m_pixels = std::make_unique<XcbPixelBatch>(
            connection, m_hRoot, *decoder,
            QSize(screen->width_in_pixels, screen->height_in_pixels));
}

XcbScreen::~XcbScreen() = default;

COLORREF XcbScreen::GetPixel(int x, int y) {
    const QPoint point(x, y);
    COLORREF pixel = kUnreadablePixel;
    GetPixels({&point, 1}, {&pixel, 1});
    return pixel;
}

void XcbScreen::GetPixels(std::span<const QPoint> points, std::span<COLORREF> out) {
    if (m_pixels)
        m_pixels->Read(points, out);
    else
        std::fill(out.begin(), out.end(), kUnreadablePixel);
}

std::optional<QPoint> XcbScreen::GetCursorPos() {
    if (!m_pConnection)
        return std::nullopt;
    const XcbReply<xcb_query_pointer_reply_t> reply(
        xcb_query_pointer_reply(m_pConnection, xcb_query_pointer(m_pConnection, m_hRoot), nullptr));
    // On another screen of the display the root coordinates are not ours.
    if (!reply || !reply->same_screen)
        return std::nullopt;
    return QPoint(reply->root_x, reply->root_y);
}

void XcbScreen::SetCursorPos(QPoint position) {
    if (!m_pConnection)
        return;
    const auto clamp = [](int value) {
        return static_cast<std::int16_t>(std::clamp<int>(value,
                                                         std::numeric_limits<std::int16_t>::min(),
                                                         std::numeric_limits<std::int16_t>::max()));
    };
    xcb_warp_pointer(m_pConnection, XCB_NONE, m_hRoot, 0, 0, 0, 0, clamp(position.x()),
                     clamp(position.y()));
    xcb_flush(m_pConnection);
}

QSize XcbScreen::VirtualScreenSize() {
    if (!m_pConnection)
        return QSize(0, 0);
    // Asked each time: the root grows and shrinks as monitors come and go.
    const XcbReply<xcb_get_geometry_reply_t> reply(
        xcb_get_geometry_reply(m_pConnection, xcb_get_geometry(m_pConnection, m_hRoot), nullptr));
    if (!reply)
        return QSize(0, 0);
    return QSize(reply->width, reply->height);
}
