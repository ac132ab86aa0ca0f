// The screen and the hot keys on a real X server (Xvfb): a window of known colour read back,
// points off the screen, the pointer; who holds a key, what happens to a partial grab when
// another client holds the key, and that presses arrive whatever the lock keys.
#include "platform/hotkeys/xcb_hot_keys.h"
#include "platform/x11/xcb_screen.h"
#include "support/processes.h"
#include "support/waiting.h"
#include "support/x11_session.h"

#include <QColor>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <vector>

TEST(XcbScreenTest, WindowColoursReadBackWithRedInTheLowByte) {
    XcbScreen screen;
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

TEST(XcbScreenTest, PointsOffTheScreenAreUnreadable) {
    XcbScreen screen;
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

TEST(XcbScreenTest, PointerWarpsReadsBackAndStaysOnTheScreen) {
    XcbScreen screen;
    const QSize size = screen.VirtualScreenSize();
    for (const auto& [to, at] :
         {std::pair{QPoint(123, 456), QPoint(123, 456)}, std::pair{QPoint(0, 0), QPoint(0, 0)},
          std::pair{QPoint(size.width() + 100, 7), QPoint(size.width() - 1, 7)},
          std::pair{QPoint(5, 66000), QPoint(5, size.height() - 1)}}) {
        screen.SetCursorPos(to);
        EXPECT_EQ(screen.GetCursorPos(), at);
    }
    // Sent at once: another client sees the pointer there before this one asks anything.
    screen.SetCursorPos(QPoint(321, 234));
    EXPECT_TRUE(Xdotool({"getmouselocation"}).value_or("").startsWith("x:321 y:234 "));
}

namespace {

constexpr int kLock = XCB_MOD_MASK_LOCK;
constexpr int kNumLock = XCB_MOD_MASK_2;
constexpr int kLockVariants[] = {0, kLock, kNumLock, kLock | kNumLock};

class XcbHotKeysTest : public ::testing::Test {
protected:
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
    EXPECT_NE(Register(0x70), nullptr) << "F1, the first of them";
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
