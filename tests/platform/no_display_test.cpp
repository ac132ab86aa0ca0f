// Without an X connection (Qt on its offscreen platform) the screen and the hot keys fail
// softly.
#include "platform/hotkeys/xcb_hot_keys.h"
#include "platform/x11/qt_xcb_connection.h"
#include "platform/x11/xcb_screen.h"

#include <gtest/gtest.h>

TEST(WithoutDisplay, EveryCallFailsSoftly) {
    ASSERT_EQ(QtXcbConnection(), nullptr);
    XcbScreen screen;
    EXPECT_EQ(screen.GetPixel(0, 0), kUnreadablePixel);
    EXPECT_EQ(screen.GetCursorPos(), std::nullopt);
    screen.SetCursorPos(QPoint(10, 10));
    EXPECT_EQ(screen.VirtualScreenSize(), QSize(0, 0));
    XcbHotKeys hotKeys;
    EXPECT_EQ(hotKeys.RegisterHotKey(VK_F6, [](std::uint16_t) {}), nullptr);
}
