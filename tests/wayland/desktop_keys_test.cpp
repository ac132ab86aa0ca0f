// The editor on a desktop that binds the pick keys itself and tells where the pointer is,
// over fakes.
#include "fakes/fake_platform.h"
#include "model/event_info.h"
#include "ui/editor/dlg_color_event.h"

#include <QAbstractButton>
#include <QLabel>
#include <gtest/gtest.h>

namespace {

constexpr COLORREF kRose = RGB(200, 40, 90);
constexpr COLORREF kLeaf = RGB(20, 180, 60);

const QString kOverlayHint =
    QStringLiteral("Press SpaceBar Key, then Click the Desired Position to Get the Color There.");

const QString kKeyHint = QStringLiteral(
    "Move Cursor to the Desired Position and Press  %1  Key to Get the Color Under Curor.");

class DesktopKeys : public FakeHotKeys {
public:
    std::unique_ptr<IHotKeyRegistration> BindPickShortcuts(PickShortcutEvents bound) override {
        ++binds;
        events = std::move(bound);
        return std::make_unique<Registration>([this] { ++releases; });
    }
    PickShortcutEvents events;
    int binds = 0, releases = 0;
};

class DesktopKeysTest : public ::testing::Test {
protected:
    CDlgColorEvent& Open() {
        screen.mechanisms = {PickKeys::GlobalShortcuts, PointerPosition::CursorMetadata,
                             PointerMove::RemoteDesktop};
        dialog = std::make_unique<CDlgColorEvent>(fakes.Services(&screen, &keys), nullptr);
        dialog->m_pEvent = &event;
        dialog->show();
        QCoreApplication::processEvents();
        return *dialog;
    }

    FakePlatform fakes;
    FakeScreen screen;
    DesktopKeys keys;
    CEventInfo event;
    std::unique_ptr<CDlgColorEvent> dialog;
};

} // namespace

TEST_F(DesktopKeysTest, KeysTheDesktopAssignsPickWhereThePointerIs) {
    screen.pixels = {{{50, 60}, kRose}, {{70, 80}, kLeaf}};
    screen.cursor = QPoint(50, 60);
    CDlgColorEvent& d = Open();
    ASSERT_EQ(keys.binds, 1);
    EXPECT_TRUE(keys.held.empty()) << "no key grabbed as on X11";
    EXPECT_EQ(d.m_stcLocationHint->text(), kOverlayHint);
    EXPECT_EQ(d.m_stcColorHint->text(), kOverlayHint);
    // Opening took the point under the pointer, which the desktop tells.
    EXPECT_EQ(d.m_ptLocation, QPoint(50, 60));
    EXPECT_EQ(d.m_clrMatch, kRose);
    qobject_cast<QAbstractButton*>(d.Control(IDC_LOCATION_UNDER_CURSOR))
        ->click(); // unbound, as below

    // The desktop bound only the location pick, to a key of the user's choosing.
    keys.events.assigned(QStringLiteral("Meta+F6"), QString());
    EXPECT_EQ(d.m_stcLocationHint->text(), kKeyHint.arg(QStringLiteral("Meta+F6")));
    EXPECT_EQ(d.m_stcColorHint->text(), kOverlayHint);
    screen.cursor = QPoint(70, 80);
    keys.events.pressed(PickAction::Location);
    QCoreApplication::processEvents();
    EXPECT_EQ(d.m_ptLocation, QPoint(70, 80));
    EXPECT_EQ(d.m_clrMatch, kLeaf);

    // The colour pick has no key yet: its button opens the overlay, which has no picture here.
    qobject_cast<QAbstractButton*>(d.Control(IDC_COLOR_UNDER_CURSOR))->click();
    ASSERT_EQ(fakes.messageBox.shown.size(), 2u);
    EXPECT_EQ(fakes.messageBox.shown[0].text,
              QStringLiteral("Could not get a Picture of the Screen to Pick From. Share the Screen "
                             "with Tintwatch and Try Again."));

    keys.events.assigned(QStringLiteral("Meta+F6"), QStringLiteral("F7"));
    EXPECT_EQ(d.m_stcColorHint->text(), kKeyHint.arg(QStringLiteral("F7")));
    keys.events.pressed(PickAction::Color);
    QCoreApplication::processEvents();
    EXPECT_EQ(d.m_clrTarget, kLeaf);

    // Closing gives the keys back, however it closes; a new opening starts over.
    d.reject();
    EXPECT_EQ(keys.releases, 1);
    d.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(keys.binds, 2);
    EXPECT_EQ(d.m_stcLocationHint->text() + d.m_stcColorHint->text(), kOverlayHint + kOverlayHint);
}
