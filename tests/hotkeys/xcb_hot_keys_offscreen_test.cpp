// Without an X connection the hot keys fail softly.
#include "platform/hotkeys/xcb_hot_keys.h"

#include <gtest/gtest.h>

TEST(XcbHotKeysWithoutDisplay, EveryRegistrationFailsAndNothingCrashes) {
    XcbHotKeys hotKeys;
    int presses = 0;
    for (const std::uint16_t key : {VK_F6, VK_F7, VK_F8, VK_F9})
        EXPECT_EQ(hotKeys.RegisterHotKey(key, [&](std::uint16_t) { ++presses; }), nullptr);
    EXPECT_EQ(presses, 0);
}
