// Hot keys on a real X server: who holds a key, what happens to a partial grab when another
// client holds the key, and that presses arrive whatever the lock keys.
#include "platform/hotkeys/xcb_hot_keys.h"
#include "platform/x11/qt_xcb_connection.h"
#include "support/waiting.h"
#include "support/x11_session.h"

#include <xcb/xcb.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kLock = XCB_MOD_MASK_LOCK;
constexpr int kNumLock = XCB_MOD_MASK_2;
constexpr int kLockVariants[] = {0, kLock, kNumLock, kLock | kNumLock};

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
    EXPECT_EQ(Register(0x41), nullptr) << "only function keys";
    auto registration = Register(VK_F6);
    ASSERT_NE(registration, nullptr);
    for (const int modifiers : kLockVariants)
        EXPECT_FALSE(FreeForOthers(6, modifiers)) << "modifiers " << modifiers;
    EXPECT_EQ(Register(VK_F6), nullptr) << "a key this program holds is not free either";

    registration.reset();
    for (const int modifiers : kLockVariants)
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

TEST_F(XcbHotKeysTest, PressesArriveWithAnyLockKeysUntilReleased) {
    auto registration = Register(VK_F8);
    ASSERT_NE(registration, nullptr);
    // NumLock, then CapsLock as well, then both off again.
    for (const char* lock : {"", "Num_Lock", "Caps_Lock"}) {
        if (*lock) {
            ASSERT_TRUE(Xdotool({"key", lock}));
        }
        const std::size_t before = presses.size();
        ASSERT_TRUE(Xdotool({"key", "F8"}));
        EXPECT_TRUE(WaitUntil([&] { return presses.size() == before + 1; })) << lock;
    }
    Xdotool({"key", "Num_Lock"});
    Xdotool({"key", "Caps_Lock"});
    EXPECT_EQ(presses, std::vector<std::uint16_t>(3, VK_F8));

    // Once released, a press reaches nobody here.
    registration.reset();
    ASSERT_TRUE(Xdotool({"key", "F8"}));
    Settle();
    EXPECT_EQ(presses.size(), 3u);
}
