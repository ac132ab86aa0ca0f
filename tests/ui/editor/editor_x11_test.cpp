// The editor on a real X server: the pointer moved and the keys pressed by xdotool, pixels read
// from the screen, and another client holding a key.
#include "fakes/fake_platform.h"
#include "model/event_info.h"
#include "platform/hotkeys/xcb_hot_keys.h"
#include "platform/x11/xcb_screen.h"
#include "support/processes.h"
#include "support/waiting.h"
#include "support/x11_session.h"
#include "ui/editor/dlg_color_event.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace {

constexpr COLORREF kRose = RGB(200, 40, 90);
constexpr COLORREF kLeaf = RGB(20, 180, 60);
// Right of the dialog, which opens at the top-left corner.
const QRect kRoseArea(900, 100, 150, 150);
const QRect kLeafArea(1080, 100, 150, 150);

bool PressAt(QPoint p, const char* key) {
    return Xdotool({"mousemove", QString::number(p.x()), QString::number(p.y())}) &&
           Xdotool({"key", QString::fromLatin1(key)});
}

TEST(EditorX11Test, KeysPickWhereThePointerIsAndSkipAndReleaseTheOnesOthersHold) {
    ColourWindow rose{kRoseArea, QStringLiteral("#c8285a")};
    ColourWindow leaf{kLeafArea, QStringLiteral("#14b43c")};
    KeyGrabber other;
    ASSERT_EQ(other.Grab(6), QStringLiteral("grabbed"));

    // The real screen and hot keys, the other services faked.
    FakePlatform fakes;
    XcbScreen screen;
    XcbHotKeys hotKeys;
    const PlatformServices faked = fakes.Services();
    CDlgColorEvent dialog({screen, faked.tone, faked.launcher, faked.profile, faked.messageBox,
                           hotKeys, faked.fileChooser, faked.folders},
                          nullptr);
    CEventInfo event;
    dialog.m_pEvent = &event;
    dialog.m_bEditMode = 1;
    dialog.move(0, 0);
    dialog.show();
    EXPECT_TRUE(dialog.m_stcLocationHint->text().contains("Press  F7  Key"));
    EXPECT_TRUE(dialog.m_stcColorHint->text().contains("Press  F8  Key"));

    const QPoint leafPoint = kLeafArea.center() + QPoint(10, -20);
    ASSERT_TRUE(PressAt(leafPoint, "F7"));
    ASSERT_TRUE(WaitUntil([&] { return dialog.m_ptLocation == leafPoint; }));
    EXPECT_EQ(dialog.m_clrMatch, kLeaf);
    // With NumLock on, the colour key still works, and changes the target only.
    ASSERT_TRUE(Xdotool({"key", "Num_Lock"}));
    ASSERT_TRUE(PressAt(kRoseArea.topLeft() + QPoint(5, 5), "F8"));
    const bool pickedWithNumLock = WaitUntil([&] { return dialog.m_clrTarget == kRose; });
    Xdotool({"key", "Num_Lock"});
    EXPECT_TRUE(pickedWithNumLock);
    EXPECT_EQ(dialog.m_ptLocation, leafPoint);

    // Closing gives the keys back; F6 stays the other program's until it lets go.
    dialog.reject();
    Settle();
    EXPECT_TRUE(FreeForOthers(7));
    EXPECT_TRUE(FreeForOthers(8));
    EXPECT_FALSE(FreeForOthers(6));
    other.Release();
    EXPECT_TRUE(FreeForOthers(6));
}

} // namespace
