// Without an X connection (Qt on its offscreen platform) the screen fails softly.
#include "platform/x11/qt_xcb_connection.h"
#include "platform/x11/xcb_screen.h"

#include <gtest/gtest.h>

TEST(XcbScreenWithoutDisplay, EveryCallFailsSoftly) {
    ASSERT_EQ(QtXcbConnection(), nullptr);
    XcbScreen screen;
    EXPECT_EQ(screen.GetPixel(0, 0), kUnreadablePixel);
    EXPECT_EQ(screen.GetPixel(-5, 7), kUnreadablePixel);
    EXPECT_EQ(screen.GetCursorPos(), std::nullopt);
    screen.SetCursorPos(QPoint(10, 10));
    EXPECT_EQ(screen.VirtualScreenSize(), QSize(0, 0));
}
