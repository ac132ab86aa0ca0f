// The editor on a real X server: the pointer moved and the keys pressed by xdotool, pixels
// read back from the screen, and another client holding a key. With TINTWATCH_SCREENSHOT set
// to a file name, the dialog is also saved there for a look.
#include "editor_test_support.h"
#include "platform/hotkeys/xcb_hot_keys.h"
#include "platform/x11/xcb_screen.h"
#include "support/processes.h"
#include "support/waiting.h"
#include "support/x11_session.h"

#include <gtest/gtest.h>

namespace {
constexpr COLORREF kRose = RGB(200, 40, 90);
constexpr COLORREF kLeaf = RGB(20, 180, 60);
// Right of the dialog, which opens at the top-left corner.
const QRect kRoseArea(900, 100, 150, 150);
const QRect kLeafArea(1080, 100, 150, 150);

bool MovePointer(QPoint p) {
    return Xdotool({"mousemove", QString::number(p.x()), QString::number(p.y())}).has_value();
}

bool Press(const char* key) {
    return Xdotool({"key", QString::fromLatin1(key)}).has_value();
}

class EditorX11Test : public ::testing::Test {
protected:
    // Opens the editor with the real screen and hot keys, the other services faked.
    CDlgColorEvent& Open(bool editMode) {
        PlatformServices services = fakes.Services();
        PlatformServices real{
            screen,  services.tone,        services.launcher, services.profile, services.messageBox,
            hotKeys, services.fileChooser, services.folders};
        dialog = std::make_unique<CDlgColorEvent>(real, nullptr);
        dialog->m_pEvent = &event;
        dialog->m_bEditMode = editMode ? 1 : 0;
        dialog->move(0, 0);
        dialog->show();
        Settle();
        return *dialog;
    }
    QString Text(int id) const { return qobject_cast<QLineEdit*>(dialog->Control(id))->text(); }
    // The colour the swatch shows on the screen, read back at its centre.
    COLORREF Shown(const CColorStatic* swatch) {
        const QPoint centre = swatch->mapToGlobal(swatch->rect().center());
        return screen.GetPixel(centre.x(), centre.y());
    }

    ColourWindow rose{kRoseArea, QStringLiteral("#c8285a")};
    ColourWindow leaf{kLeafArea, QStringLiteral("#14b43c")};
    FakePlatform fakes;
    XcbScreen screen;
    XcbHotKeys hotKeys;
    CEventInfo event;
    std::unique_ptr<CDlgColorEvent> dialog;
};
} // namespace

TEST_F(EditorX11Test, KeysPickLocationAndTargetFromThePointWhereThePointerIs) {
    ASSERT_TRUE(MovePointer(kRoseArea.center()));
    CDlgColorEvent& d = Open(false);
    // Opening in add mode picked the point under the pointer.
    ASSERT_TRUE(WaitUntil([&] { return d.m_ptLocation == kRoseArea.center(); }));
    EXPECT_EQ(d.m_clrMatch, kRose);
    if (const QByteArray screenshot = qgetenv("TINTWATCH_SCREENSHOT"); !screenshot.isEmpty()) {
        EXPECT_TRUE(d.grab().save(QString::fromLocal8Bit(screenshot)));
    }

    const QPoint leafPoint = kLeafArea.center() + QPoint(10, -20);
    ASSERT_TRUE(MovePointer(leafPoint));
    ASSERT_TRUE(Press("F6"));
    ASSERT_TRUE(WaitUntil([&] { return d.m_ptLocation == leafPoint; }));
    EXPECT_EQ(Text(IDC_X), QString::number(leafPoint.x()));
    EXPECT_EQ(Text(IDC_GREEN), QStringLiteral("180"));
    EXPECT_TRUE(WaitUntil([&] { return Shown(d.m_stcMatchColor) == kLeaf; }));

    // The colour key changes the target only.
    ASSERT_TRUE(MovePointer(kRoseArea.topLeft() + QPoint(5, 5)));
    ASSERT_TRUE(Press("F7"));
    ASSERT_TRUE(WaitUntil([&] { return d.m_clrTarget == kRose; }));
    EXPECT_TRUE(WaitUntil([&] { return Shown(d.m_stcTargetColor) == kRose; }));
    EXPECT_EQ(d.m_ptLocation, leafPoint);
    EXPECT_EQ(Shown(d.m_stcMatchColor), kLeaf);

    // With NumLock on, the key still works.
    ASSERT_TRUE(Press("Num_Lock"));
    const QPoint rosePoint = kRoseArea.center() + QPoint(-30, 30);
    ASSERT_TRUE(MovePointer(rosePoint));
    ASSERT_TRUE(Press("F6"));
    const bool pickedWithNumLock = WaitUntil([&] { return d.m_ptLocation == rosePoint; });
    Press("Num_Lock");
    EXPECT_TRUE(pickedWithNumLock);

    // OK writes what was picked, and the keys are free for others afterwards.
    qobject_cast<QCheckBox*>(d.Control(IDC_EXECUTE))->setChecked(false);
    d.OnOK();
    ASSERT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(event.m_ptLocation, rosePoint);
    EXPECT_EQ(event.m_clrMatch, kRose);
    EXPECT_EQ(event.m_clrTarget, kRose);
    EXPECT_TRUE(FreeForOthers(6));
    EXPECT_TRUE(FreeForOthers(7));
}

TEST_F(EditorX11Test, KeyHeldByAnotherProgramMovesThePicksToTheNextKeys) {
    KeyGrabber other;
    ASSERT_EQ(other.Grab(6), QStringLiteral("grabbed"));
    CDlgColorEvent& d = Open(true);
    EXPECT_TRUE(d.m_stcLocationHint->text().contains(QStringLiteral("Press  F7  Key")));
    EXPECT_TRUE(d.m_stcColorHint->text().contains(QStringLiteral("Press  F8  Key")));
    ASSERT_TRUE(MovePointer(kLeafArea.center()));
    ASSERT_TRUE(Press("F7"));
    ASSERT_TRUE(WaitUntil([&] { return d.m_ptLocation == kLeafArea.center(); }));
    EXPECT_EQ(d.m_clrMatch, kLeaf);

    // Cancel gives the keys back just as OK does; F6 stays the other program's.
    d.reject();
    Settle();
    EXPECT_TRUE(FreeForOthers(7));
    EXPECT_TRUE(FreeForOthers(8));
    EXPECT_FALSE(FreeForOthers(6));
    other.Release();
    EXPECT_TRUE(FreeForOthers(6));
}
