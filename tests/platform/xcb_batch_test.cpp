// Pixels read from real X servers (with and without shared memory) showing a pattern that names
// each pixel's place; and the pixel layouts X servers use, decoded.
#include "platform/x11/xcb_pixel_batch.h"
#include "platform/x11/xcb_reply.h"
#include "platform/x11/xcb_screen.h"
#include "support/private_xvfb.h"

#include <gtest/gtest.h>

namespace {

COLORREF PatternAt(QPoint p) {
    return RGB(p.x() & 0xFF, p.y() & 0xFF, ((p.x() >> 8) << 4) | (p.y() >> 8));
}

xcb_screen_t* FirstScreen(xcb_connection_t* connection) {
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
}

// Draws the pattern on the root window (24-bit TrueColor, 32 bits a pixel).
void PaintPattern(xcb_connection_t* connection) {
    xcb_screen_t* screen = FirstScreen(connection);
    const int width = screen->width_in_pixels, height = screen->height_in_pixels;
    const xcb_gcontext_t gc = xcb_generate_id(connection);
    xcb_create_gc(connection, gc, screen->root, 0, nullptr);
    constexpr int kStrip = 16; // rows a request, well below the request size limit
    std::vector<std::uint32_t> strip(static_cast<std::size_t>(width) * kStrip);
    for (int top = 0; top < height; top += kStrip) {
        const int rows = std::min(kStrip, height - top);
        for (int i = 0; i < width * rows; ++i) {
            const COLORREF c = PatternAt(QPoint(i % width, top + i / width));
            strip[static_cast<std::size_t>(i)] =
                GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
        }
        xcb_put_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root, gc,
                      static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(rows), 0,
                      static_cast<std::int16_t>(top), 0, screen->root_depth,
                      static_cast<std::uint32_t>(width * rows * 4),
                      reinterpret_cast<const std::uint8_t*>(strip.data()));
    }
    xcb_free_gc(connection, gc);
    XcbReply<xcb_get_input_focus_reply_t>(
        xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

std::vector<QPoint> Grid(QRect area, int step) {
    std::vector<QPoint> points;
    for (int y = area.top(); y <= area.bottom(); y += step)
        for (int x = area.left(); x <= area.right(); x += step)
            points.emplace_back(x, y);
    return points;
}

void ExpectEachPointsOwnPixel(const std::vector<QPoint>& points, const std::vector<COLORREF>& read,
                              QSize size) {
    for (std::size_t i = 0; i < points.size(); ++i) {
        const bool on = QRect(QPoint(), size).contains(points[i]);
        EXPECT_EQ(read[i], on ? PatternAt(points[i]) : kUnreadablePixel)
            << "point " << i << " at " << points[i].x() << "," << points[i].y();
    }
}

class XcbBatchTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        if (GetParam()) {
            m_pConnection = xcb_connect(nullptr, nullptr);
        } else {
            m_private = std::make_unique<PrivateXvfb>(QStringList{"640x480x24"},
                                                      QStringList{"-extension", "MIT-SHM"});
            m_pConnection = xcb_connect(m_private->Display().toLatin1().constData(), nullptr);
        }
        ASSERT_FALSE(xcb_connection_has_error(m_pConnection)) << "needs DISPLAY (Xvfb)";
        ASSERT_EQ(FirstScreen(m_pConnection)->root_depth, 24);
        PaintPattern(m_pConnection);
    }
    void TearDown() override {
        xcb_clear_area(m_pConnection, 0, FirstScreen(m_pConnection)->root, 0, 0, 0, 0);
        xcb_disconnect(m_pConnection);
    }
    QSize Size() const {
        return QSize(FirstScreen(m_pConnection)->width_in_pixels,
                     FirstScreen(m_pConnection)->height_in_pixels);
    }

    std::unique_ptr<PrivateXvfb> m_private;
    xcb_connection_t* m_pConnection = nullptr;
};

} // namespace

TEST_P(XcbBatchTest, EveryPointGetsItsOwnPixelInOneReadOfTheScreen) {
    XcbScreen screen(m_pConnection, 0);
    const QSize s = Size();
    EXPECT_EQ(screen.VirtualScreenSize(), s);
    std::vector<QPoint> scattered, offScreen = Grid(QRect(3, 3, 12, 12), 1);
    for (int i = 0; i < 40; ++i)
        scattered.emplace_back(i * (s.width() / 40) + i % 7, i * 97 % s.height());
    // Beyond 16 bits too: not wrapped around onto the screen.
    for (QPoint off :
         {QPoint(s.width(), 0), QPoint(0, s.height()), QPoint(s.width() + 50, 50), QPoint(-1, 3),
          QPoint(3, -1), QPoint(70000, 5), QPoint(5, 40000), QPoint(32767, 5), QPoint(5, 32767)})
        offScreen.insert(offScreen.begin() + offScreen.size() / 2, off);
    const struct {
        const char* name;
        std::vector<QPoint> points;
        int requests; // that a repeated read sends; -1: one a point
    } cases[] = {
        {"one point", {{5, 7}}, 1},
        {"scattered", scattered, -1},
        {"clustered", Grid(QRect(s.width() / 2, s.height() / 3, 20, 20), 1), 1},
        {"dense over the whole screen", Grid(QRect(QPoint(), s), 7), 1},
        // The box, and one each for the five off the screen that fit in 16 bits.
        {"clustered with points off every screen", offScreen, 1 + 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<COLORREF> read(c.points.size(), 0);
        screen.GetPixels(c.points, read); // a first read may set up shared memory
        ExpectEachPointsOwnPixel(c.points, read, s);
        std::fill(read.begin(), read.end(), 0);
        const unsigned before = xcb_no_operation(m_pConnection).sequence;
        screen.GetPixels(c.points, read);
        const unsigned requests = xcb_no_operation(m_pConnection).sequence - before - 1;
        ExpectEachPointsOwnPixel(c.points, read, s);
        EXPECT_EQ(requests, c.requests < 0 ? c.points.size() : static_cast<unsigned>(c.requests));
    }
    EXPECT_EQ(screen.GetPixel(s.width() - 1, 1), PatternAt(QPoint(s.width() - 1, 1)));
}

TEST_P(XcbBatchTest, ABoxReadThatFailsCostsOnlyThePointsOffTheScreen) {
    // A root larger than the real one: the server refuses the box around these points whole.
    const QSize size = Size();
    const auto decoder = PixelDecoder::Make(0xFF0000, 0xFF00, 0xFF, 32, false);
    ASSERT_TRUE(decoder);
    XcbPixelBatch batch(m_pConnection, FirstScreen(m_pConnection)->root, *decoder,
                        size + QSize(30, 30));
    const std::vector<QPoint> points = Grid(QRect(size.width() - 6, size.height() - 6, 12, 12), 1);
    std::vector<COLORREF> read(points.size(), 0);
    for (int round = 0; round < 2; ++round) {
        batch.Read(points, read);
        ExpectEachPointsOwnPixel(points, read, size);
    }
}

INSTANTIATE_TEST_SUITE_P(SharedMemoryOrSocket, XcbBatchTest, ::testing::Bool(),
                         [](const auto& param) {
                             return param.param ? "DisplayWithSharedMemory" : "XvfbWithoutIt";
                         });

TEST(PixelDecoder, LayoutsDecodeToFullRangeColours) {
    using Masks = std::array<std::uint32_t, 3>; // red, green, blue
    constexpr Masks k888{0xFF0000, 0xFF00, 0xFF}, k565{0xF800, 0x07E0, 0x001F};
    const struct {
        const char* layout;
        Masks masks;
        int bitsPerPixel;
        bool msbFirst;
        std::vector<std::uint8_t> bytes;
        COLORREF colour;
    } cases[] = {
        {"MSB first", k888, 32, true, {0, 0x12, 0x34, 0x56}, RGB(0x12, 0x34, 0x56)},
        {"red low", {0xFF, 0xFF00, 0xFF0000}, 32, false, {0x56, 0x34, 0x12, 0}, RGB(86, 52, 18)},
        {"packed 24", k888, 24, false, {3, 2, 1}, RGB(1, 2, 3)},
        {"565 white", k565, 16, false, {0xFF, 0xFF}, RGB(255, 255, 255)},
        {"565 red", k565, 16, false, {0x00, 0xF8}, RGB(255, 0, 0)},
        {"565 halfway", k565, 16, false, {0x10, 0x84}, RGB(132, 130, 132)},
        {"565 MSB first", k565, 16, true, {0x84, 0x10}, RGB(132, 130, 132)},
        {"332", {0xE0, 0x1C, 0x03}, 8, false, {0x6D}, RGB(109, 109, 85)},
        {"30 bits", {0x3FF00000, 0xFFC00, 0x3FF}, 32, false, {0, 0, 0xF8, 0x3F}, RGB(255, 128, 0)},
        {"too short", k888, 32, false, {1, 2, 3}, kUnreadablePixel},
    };
    for (const auto& c : cases) {
        const auto& [red, green, blue] = c.masks;
        const auto decoder = PixelDecoder::Make(red, green, blue, c.bitsPerPixel, c.msbFirst);
        ASSERT_TRUE(decoder) << c.layout;
        EXPECT_EQ(decoder->Decode(c.bytes.data(), c.bytes.size()), c.colour) << c.layout;
        EXPECT_EQ(decoder->Decode(nullptr, 4), kUnreadablePixel) << c.layout;
    }
    EXPECT_FALSE(PixelDecoder::Make(0, 0xFF00, 0xFF, 32, false));        // no red at all
    EXPECT_FALSE(PixelDecoder::Make(0xF0F000, 0xFF00, 0xFF, 32, false)); // holes in a mask
    EXPECT_FALSE(PixelDecoder::Make(0xFF0000, 0xFF00, 0xFF, 4, false));  // 4 bits per pixel
    EXPECT_FALSE(PixelDecoder::Make(0x1FFFF, 0xFF00, 0xFF, 32, false));  // a 17-bit channel
}
