// The screen read through a real X server (Xvfb): a window of known colour read back, points
// off the screen, the pointer, the root size.
#include "platform/x11/qt_xcb_connection.h"
#include "platform/x11/xcb_screen.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// Polls until the pixel shows `expected`: the server paints the window a little after it is
// mapped. Returns the last colour read.
COLORREF WaitForPixel(XcbScreen& screen, QPoint at, COLORREF expected) {
    QElapsedTimer clock;
    clock.start();
    COLORREF pixel = screen.GetPixel(at.x(), at.y());
    while (pixel != expected && clock.elapsed() < 3000) {
        QTest::qWait(20);
        pixel = screen.GetPixel(at.x(), at.y());
    }
    return pixel;
}

// The display size as an independent client reports it.
QSize XdpyinfoSize() {
    QProcess xdpyinfo;
    xdpyinfo.start(QStringLiteral("xdpyinfo"), {});
    if (!xdpyinfo.waitForFinished(5000))
        return {};
    const auto match = QRegularExpression(QStringLiteral(R"(dimensions:\s+(\d+)x(\d+) pixels)"))
                           .match(QString::fromLocal8Bit(xdpyinfo.readAllStandardOutput()));
    return match.hasMatch() ? QSize(match.captured(1).toInt(), match.captured(2).toInt()) : QSize();
}

class XcbScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(QtXcbConnection(), nullptr) << "these tests need Qt on xcb with DISPLAY set";
        ASSERT_EQ(qApp->devicePixelRatio(), 1.0) << "Xvfb runs unscaled";
    }
    XcbScreen screen;
};

} // namespace

TEST_F(XcbScreenTest, WindowColoursReadBackWithRedInTheLowByte) {
    QWidget window(nullptr, Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
    window.setGeometry(200, 150, 60, 40);
    window.setAutoFillBackground(true);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QPoint inside(225, 170);

    const QColor colours[] = {QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255),
                              QColor(0x12, 0x34, 0x56), QColor(0xFE, 0x01, 0x80)};
    for (const QColor& colour : colours) {
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, colour);
        window.setPalette(palette);
        window.update();
        const COLORREF expected = RGB(static_cast<std::uint32_t>(colour.red()),
                                      static_cast<std::uint32_t>(colour.green()),
                                      static_cast<std::uint32_t>(colour.blue()));
        EXPECT_EQ(WaitForPixel(screen, inside, expected), expected) << colour.name().toStdString();
    }
    // Just outside the window is not the window's colour.
    EXPECT_NE(screen.GetPixel(199, 170), RGB(0xFE, 0x01, 0x80));
}

TEST_F(XcbScreenTest, PointsOffTheScreenAreUnreadable) {
    const QSize size = screen.VirtualScreenSize();
    ASSERT_FALSE(size.isEmpty());
    EXPECT_NE(screen.GetPixel(size.width() - 1, size.height() - 1), kUnreadablePixel);
    EXPECT_EQ(screen.GetPixel(size.width(), 0), kUnreadablePixel);
    EXPECT_EQ(screen.GetPixel(0, size.height() + 20), kUnreadablePixel);
    EXPECT_EQ(screen.GetPixel(-1, 0), kUnreadablePixel);
    EXPECT_EQ(screen.GetPixel(0, -1), kUnreadablePixel);
    // Beyond the protocol's 16 bits, not wrapped around onto the screen.
    EXPECT_EQ(screen.GetPixel(65536 + 5, 5), kUnreadablePixel);
    EXPECT_EQ(screen.GetPixel(5, 40000), kUnreadablePixel);
}

TEST_F(XcbScreenTest, NegativePointsCostNoRequest) {
    xcb_connection_t* connection = QtXcbConnection();
    // Each request takes the next sequence number, so the gap counts our requests.
    const auto requestsDuring = [&](auto&& call) {
        const unsigned before = xcb_no_operation(connection).sequence;
        call();
        return xcb_no_operation(connection).sequence - before - 1;
    };
    EXPECT_EQ(requestsDuring([&] { screen.GetPixel(-3, 10); }), 0u);
    EXPECT_EQ(requestsDuring([&] { screen.GetPixel(10, -3); }), 0u);
    EXPECT_EQ(requestsDuring([&] { screen.GetPixel(10, 10); }), 1u);
    xcb_flush(connection);
}

TEST_F(XcbScreenTest, PointerWarpsAndReadsBack) {
    screen.SetCursorPos(QPoint(123, 456));
    EXPECT_EQ(screen.GetCursorPos(), QPoint(123, 456));
    screen.SetCursorPos(QPoint(0, 0));
    EXPECT_EQ(screen.GetCursorPos(), QPoint(0, 0));
    // The server keeps the pointer on the screen.
    const QSize size = screen.VirtualScreenSize();
    screen.SetCursorPos(QPoint(size.width() + 100, 7));
    EXPECT_EQ(screen.GetCursorPos(), QPoint(size.width() - 1, 7));
}

TEST_F(XcbScreenTest, VirtualScreenSizeIsTheDisplaySize) {
    const QSize expected = XdpyinfoSize();
    ASSERT_FALSE(expected.isEmpty()) << "xdpyinfo gave no size";
    EXPECT_EQ(screen.VirtualScreenSize(), expected);
}
