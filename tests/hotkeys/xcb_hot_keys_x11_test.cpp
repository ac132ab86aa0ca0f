// Hot keys on a real X server: who holds a key, what happens to a partial grab, and that
// presses arrive whatever the lock keys.
#include "hotkeys/x11_test_support.h"
#include "platform/hotkeys/xcb_hot_keys.h"
#include "platform/x11/qt_xcb_connection.h"
#include "platform/x11/xcb_reply.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
constexpr int kLock = XCB_MOD_MASK_LOCK;
constexpr int kNumLock = XCB_MOD_MASK_2;

// The lock modifiers the server reports as on now.
std::uint16_t LockState() {
    xcb_connection_t* connection = QtXcbConnection();
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const XcbReply<xcb_query_pointer_reply_t> reply(
        xcb_query_pointer_reply(connection, xcb_query_pointer(connection, screen->root), nullptr));
    return reply ? reply->mask : 0;
}

class XcbHotKeysTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(QtXcbConnection(), nullptr) << "needs an X display"; }

    std::unique_ptr<IHotKeyRegistration> Register(std::uint16_t key) {
        return hotKeys.RegisterHotKey(
            key, [this](std::uint16_t pressed) { presses.push_back(pressed); });
    }

    XcbHotKeys hotKeys;
    std::vector<std::uint16_t> presses;
};
} // namespace

TEST_F(XcbHotKeysTest, HeldKeyIsTakenForOthersUntilReleased) {
    auto registration = Register(VK_F6);
    ASSERT_NE(registration, nullptr);
    for (const int modifiers : {0, kLock, kNumLock, kLock | kNumLock})
        EXPECT_FALSE(FreeForOthers(6, modifiers)) << "modifiers " << modifiers;
    EXPECT_EQ(Register(VK_F6), nullptr) << "a key this program holds is not free either";

    registration.reset();
    for (const int modifiers : {0, kLock, kNumLock, kLock | kNumLock})
        EXPECT_TRUE(FreeForOthers(6, modifiers)) << "modifiers " << modifiers;
    EXPECT_NE(Register(VK_F6), nullptr);
}

TEST_F(XcbHotKeysTest, KeyHeldElsewhereFailsWithoutKeepingAPartialGrab) {
    // The other client holds only the CapsLock variant: our other three grabs succeed first.
    KeyGrabber other;
    ASSERT_EQ(other.Grab(7, kLock), QStringLiteral("grabbed"));
    EXPECT_EQ(Register(VK_F7), nullptr);
    for (const int modifiers : {0, kNumLock, kLock | kNumLock})
        EXPECT_TRUE(FreeForOthers(7, modifiers)) << "modifiers " << modifiers;

    other.Release();
    EXPECT_NE(Register(VK_F7), nullptr);
}

TEST_F(XcbHotKeysTest, OnlyFunctionKeysCanBeRegistered) {
    EXPECT_EQ(Register(0x41), nullptr); // 'A'
    EXPECT_EQ(Register(0), nullptr);
}

TEST_F(XcbHotKeysTest, PressesArriveWithAndWithoutLockKeys) {
    auto registration = Register(VK_F8);
    ASSERT_NE(registration, nullptr);
    ASSERT_EQ(LockState() & (kLock | kNumLock), 0);

    ASSERT_TRUE(Xdotool({QStringLiteral("key"), QStringLiteral("F8")}));
    ASSERT_TRUE(WaitUntil([&] { return presses.size() == 1; }));

    ASSERT_TRUE(Xdotool({QStringLiteral("key"), QStringLiteral("Num_Lock")}));
    ASSERT_TRUE(WaitUntil([] { return (LockState() & kNumLock) != 0; })) << "NumLock is on Mod2";
    ASSERT_TRUE(Xdotool({QStringLiteral("key"), QStringLiteral("F8")}));
    const bool withNumLock = WaitUntil([&] { return presses.size() == 2; });

    ASSERT_TRUE(Xdotool({QStringLiteral("key"), QStringLiteral("Caps_Lock")}));
    ASSERT_TRUE(Xdotool({QStringLiteral("key"), QStringLiteral("F8")}));
    const bool withBoth = WaitUntil([&] { return presses.size() == 3; });

    Xdotool({QStringLiteral("key"), QStringLiteral("Num_Lock")});
    Xdotool({QStringLiteral("key"), QStringLiteral("Caps_Lock")});
    EXPECT_TRUE(withNumLock);
    EXPECT_TRUE(withBoth);
    EXPECT_EQ(presses, std::vector<std::uint16_t>(presses.size(), VK_F8));

    // Once released, a press reaches nobody here.
    registration.reset();
    ASSERT_TRUE(Xdotool({QStringLiteral("key"), QStringLiteral("F8")}));
    Settle();
    EXPECT_EQ(presses.size(), 3u);
}
