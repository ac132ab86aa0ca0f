// The screen read through a real X server (Xvfb): a window of known colour read back, points
// off the screen, the pointer, the root size.
#include "platform/x11/qt_xcb_connection.h"
#include "platform/x11/xcb_screen.h"
#include "support/processes.h"
#include "support/waiting.h"
#include "support/x11_session.h"

#include <QColor>
#include <gtest/gtest.h>

class XcbScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(QtXcbConnection(), nullptr) << "these tests need Qt on xcb with DISPLAY set";
    }
    XcbScreen screen;
};

TEST_F(XcbScreenTest, WindowColoursReadBackWithRedInTheLowByte) {
    ColourWindow window(QRect(200, 150, 60, 40), "#000000");
    for (const char* name : {"#ff0000", "#00ff00", "#0000ff", "#123456", "#fe0180"}) {
        ASSERT_TRUE(window.SetColour(name));
        const QColor colour(name);
        const COLORREF expected = RGB(colour.red(), colour.green(), colour.blue());
        COLORREF pixel = kUnreadablePixel;
        WaitUntil([&] { return (pixel = screen.GetPixel(225, 170)) == expected; }, 3000);
        EXPECT_EQ(pixel, expected) << name;
        EXPECT_NE(screen.GetPixel(199, 170), expected) << "read beside the point";
    }
}

TEST_F(XcbScreenTest, PointsOffTheScreenAreUnreadable) {
    const QSize size = screen.VirtualScreenSize();
    EXPECT_EQ(Xdotool({"getdisplaygeometry"}).value_or("").trimmed(),
              QByteArray::number(size.width()) + ' ' + QByteArray::number(size.height()));
    EXPECT_NE(screen.GetPixel(size.width() - 1, size.height() - 1), kUnreadablePixel);
    EXPECT_NE(screen.GetPixel(0, 0), kUnreadablePixel);
    // Beyond 16 bits: not wrapped around onto the screen.
    for (const QPoint off : {QPoint(size.width(), 0), QPoint(0, size.height() + 20), QPoint(-1, 0),
                             QPoint(0, -1), QPoint(65536 + 5, 5), QPoint(5, 40000)})
        EXPECT_EQ(screen.GetPixel(off.x(), off.y()), kUnreadablePixel) << off.x() << ',' << off.y();
}

TEST_F(XcbScreenTest, PointerWarpsReadsBackAndStaysOnTheScreen) {
    const QSize size = screen.VirtualScreenSize();
    for (const auto& [to, at] :
         {std::pair{QPoint(123, 456), QPoint(123, 456)}, std::pair{QPoint(0, 0), QPoint(0, 0)},
          std::pair{QPoint(size.width() + 100, 7), QPoint(size.width() - 1, 7)},
          std::pair{QPoint(5, 66000), QPoint(5, size.height() - 1)}}) {
        screen.SetCursorPos(to);
        EXPECT_EQ(screen.GetCursorPos(), at);
    }
}
