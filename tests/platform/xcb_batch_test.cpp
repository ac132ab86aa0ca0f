// Many pixels read together from real X servers: the display's own (with shared memory) and a
// private Xvfb without MIT-SHM, both showing a pattern where every pixel's colour names its
// place. Every point must get its own pixel, whichever way the batch reads them.
#include "platform/x11/xcb_pixel_batch.h"
#include "platform/x11/xcb_reply.h"
#include "platform/x11/xcb_screen.h"

#include <QProcess>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

COLORREF PatternAt(QPoint p) {
    return RGB(p.x() & 0xFF, p.y() & 0xFF, ((p.x() >> 8) << 4) | (p.y() >> 8));
}

xcb_screen_t* FirstScreen(xcb_connection_t* connection) {
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
}

// Shows the pattern as the root window's background (24-bit TrueColor, 32 bits a pixel).
void PaintPattern(xcb_connection_t* connection) {
    xcb_screen_t* screen = FirstScreen(connection);
    const int width = screen->width_in_pixels, height = screen->height_in_pixels;
    const xcb_pixmap_t pixmap = xcb_generate_id(connection);
    xcb_create_pixmap(connection, screen->root_depth, pixmap, screen->root,
                      static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height));
    const xcb_gcontext_t gc = xcb_generate_id(connection);
    xcb_create_gc(connection, gc, pixmap, 0, nullptr);
    constexpr int kStrip = 16; // rows a request, well below the request size limit
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(width) * kStrip * 4);
    for (int top = 0; top < height; top += kStrip) {
        const int rows = std::min(kStrip, height - top);
        for (int y = 0; y < rows; ++y)
            for (int x = 0; x < width; ++x) {
                const COLORREF c = PatternAt(QPoint(x, top + y));
                std::uint8_t* px = &bytes[(static_cast<std::size_t>(y) * width + x) * 4];
                px[0] = static_cast<std::uint8_t>(GetBValue(c));
                px[1] = static_cast<std::uint8_t>(GetGValue(c));
                px[2] = static_cast<std::uint8_t>(GetRValue(c));
                px[3] = 0;
            }
        xcb_put_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc,
                      static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(rows), 0,
                      static_cast<std::int16_t>(top), 0, screen->root_depth,
                      static_cast<std::uint32_t>(width * rows * 4), bytes.data());
    }
    xcb_change_window_attributes(connection, screen->root, XCB_CW_BACK_PIXMAP, &pixmap);
    xcb_clear_area(connection, 0, screen->root, 0, 0, 0, 0);
    xcb_free_gc(connection, gc);
    xcb_free_pixmap(connection, pixmap);
    XcbReply<xcb_get_input_focus_reply_t>(
        xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

void ClearPattern(xcb_connection_t* connection) {
    xcb_screen_t* screen = FirstScreen(connection);
    const std::uint32_t none = XCB_BACK_PIXMAP_NONE;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_BACK_PIXMAP, &none);
    xcb_clear_area(connection, 0, screen->root, 0, 0, 0, 0);
    xcb_flush(connection);
}

// A private Xvfb without the shared-memory extension, ended with this object.
class XvfbWithoutShm {
public:
    XvfbWithoutShm() {
        // It picks a free display itself and names it on its standard output.
        m_server.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-extension", "MIT-SHM",
                                                "-screen", "0", "640x480x24", "-nolisten", "tcp"});
        if (!m_server.waitForReadyRead(10000))
            return;
        const QByteArray display = ":" + m_server.readLine().trimmed();
        m_pConnection = xcb_connect(display.constData(), nullptr);
    }
    ~XvfbWithoutShm() {
        if (m_pConnection)
            xcb_disconnect(m_pConnection);
        m_server.terminate();
        m_server.waitForFinished();
    }
    xcb_connection_t* Connection() const {
        return m_pConnection && !xcb_connection_has_error(m_pConnection) ? m_pConnection : nullptr;
    }

private:
    QProcess m_server;
    xcb_connection_t* m_pConnection = nullptr;
};

struct Case {
    const char* name;
    std::function<std::vector<QPoint>(QSize)> points;
    // Requests a repeated read sends: -1 for one a point.
    int requests;
};

std::vector<QPoint> Grid(QRect area, int step) {
    std::vector<QPoint> points;
    for (int y = area.top(); y <= area.bottom(); y += step)
        for (int x = area.left(); x <= area.right(); x += step)
            points.emplace_back(x, y);
    return points;
}

const Case kCases[] = {
    {"one point",
     [](QSize) {
         return std::vector<QPoint>{{5, 7}};
     },
     1},
    {"scattered",
     [](QSize s) {
         std::vector<QPoint> points;
         for (int i = 0; i < 40; ++i)
             points.emplace_back(i * (s.width() / 40) + i % 7, i * 97 % s.height());
         return points;
     },
     -1},
    {"clustered", [](QSize s) { return Grid(QRect(s.width() / 2, s.height() / 3, 20, 20), 1); }, 1},
    {"dense over the whole screen", [](QSize s) { return Grid(QRect(QPoint(), s), 7); }, 1},
    {"clustered with points off every screen",
     [](QSize s) {
         std::vector<QPoint> points = Grid(QRect(3, 3, 12, 12), 1);
         for (QPoint off :
              {QPoint(s.width(), 0), QPoint(0, s.height()), QPoint(s.width() + 50, s.height() + 50),
               QPoint(-1, 3), QPoint(3, -1), QPoint(70000, 5), QPoint(5, 40000)})
             points.insert(points.begin() + points.size() / 2, off);
         return points;
     },
     1 + 3}, // the box, and one each for the three off the screen that fit in 16 bits
};

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
            m_ownDisplay = xcb_connect(nullptr, nullptr);
            ASSERT_FALSE(xcb_connection_has_error(m_ownDisplay)) << "needs DISPLAY (Xvfb)";
            m_pConnection = m_ownDisplay;
        } else {
            m_private = std::make_unique<XvfbWithoutShm>();
            m_pConnection = m_private->Connection();
            ASSERT_NE(m_pConnection, nullptr) << "could not start Xvfb";
        }
        ASSERT_EQ(FirstScreen(m_pConnection)->root_depth, 24);
        PaintPattern(m_pConnection);
    }
    void TearDown() override {
        if (m_ownDisplay) {
            ClearPattern(m_ownDisplay);
            xcb_disconnect(m_ownDisplay);
        }
    }
    unsigned RequestsDuring(const std::function<void()>& call) {
        const unsigned before = xcb_no_operation(m_pConnection).sequence;
        call();
        return xcb_no_operation(m_pConnection).sequence - before - 1;
    }
    QSize Size() const {
        return QSize(FirstScreen(m_pConnection)->width_in_pixels,
                     FirstScreen(m_pConnection)->height_in_pixels);
    }

    xcb_connection_t* m_ownDisplay = nullptr;
    std::unique_ptr<XvfbWithoutShm> m_private;
    xcb_connection_t* m_pConnection = nullptr;
};

} // namespace

TEST_P(XcbBatchTest, EveryPointGetsItsOwnPixelInOneReadOfTheScreen) {
    XcbScreen screen(m_pConnection, 0);
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const std::vector<QPoint> points = c.points(Size());
        std::vector<COLORREF> read(points.size(), 0);
        screen.GetPixels(points, read); // a first read may set up shared memory
        ExpectEachPointsOwnPixel(points, read, Size());
        std::fill(read.begin(), read.end(), 0);
        const unsigned requests = RequestsDuring([&] { screen.GetPixels(points, read); });
        ExpectEachPointsOwnPixel(points, read, Size());
        EXPECT_EQ(requests, c.requests < 0 ? points.size() : static_cast<unsigned>(c.requests));
    }
}

TEST_P(XcbBatchTest, ABoxReadThatFailsCostsOnlyThePointsOffTheScreen) {
    // The root as the batch last knew it was larger: the box around these points reaches past
    // the real one, and the server refuses it whole.
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
