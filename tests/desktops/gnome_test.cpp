// The program on headless GNOME Shell 43: its screen-cast and remote-desktop dialogs answered
// with keys, as a user would; the pointer moved through mutter's own remote desktop.
#include "desktop.h"
#include "fakes/fake_platform.h"
#include "platform/wayland/open_portal_screen.h"
#include "support/processes.h"
#include "support/records.h"
#include "support/waiting.h"
#include "ui/editor/dlg_color_event.h"

#include <QAbstractButton>
#include <QApplication>
#include <QSettings>
#include <gtest/gtest.h>

#include <csignal>

namespace {

// The dialogs' keys: the monitor, then Share; in the remote-desktop one, "Allow remote
// interaction" on (or left off), then Share.
const QStringList kShareScreen{"dialog", "Tab", "Tab", "Tab", "Tab", "space"};
const QStringList kSharePointer{"dialog", "Tab", "Tab", "Tab", "space", "Tab", "Tab", "space"};
const QStringList kShareNoPointer{"dialog", "Tab", "Tab", "Tab", "Tab", "Tab", "space"};

bool Gnome(const QStringList& steps) {
    return Input("mutter-input.py", steps);
}

QString RestoreToken(const UserFolders& folders) {
    return QSettings(folders.SettingsFilePath(), QSettings::IniFormat)
        .value(QStringLiteral("Settings/ScreenShareToken"))
        .toString();
}

// The editor on the real screen, the other services faked.
std::unique_ptr<CDlgColorEvent> OpenEditor(FakePlatform& fakes, PortalScreen& screen,
                                           CEventInfo& event) {
    auto dialog = std::make_unique<CDlgColorEvent>(fakes.Services(&screen), nullptr);
    dialog->m_pEvent = &event;
    dialog->m_bEditMode = 1;
    dialog->show();
    Settle();
    return dialog;
}
// The pick overlay or the marker, shown.
bool OverlayOpen() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(),
                       [](const QWidget* w) { return w->isVisible() && w->isFullScreen(); });
}
// Kept by the in-process share for the next one.
FakeProfile profile;

int Detections(const UserFolders& folders) {
    const auto events = EventsOf(ReadFile(folders.DataFilePath()));
    return events && events->size() == 1 ? events->front().m_nDetectCount : -1;
}

} // namespace

TEST(GnomeTest, ANativeWindowIsWatchedAfterTheDialogAndAgainWithoutIt) {
    UserFolders folders;
    // As large as the monitor: GNOME places it, and fits it below its top bar.
    ColourWindow watched(QRect(0, 0, 1280, 800), kWatchedBlue);
    qunsetenv("QT_QPA_PLATFORM");
    CEventInfo event = WatchingEvent(QString());
    event.m_ptLocation = QPoint(40, 760); // clear of the program's window in the middle
    event.m_nInterval = 100;
    ASSERT_TRUE(WriteFile(folders.DataFilePath(), DataFileBytes({event})));

    {
        ProgramRun run(folders);
        ASSERT_TRUE(Gnome(kShareScreen));
        ASSERT_TRUE(WaitUntil([&] { return !RestoreToken(folders).isEmpty(); }, 15000))
            << "the screen was not shared";
        Settle(1500);
        EXPECT_EQ(Detections(folders), 0);
        ASSERT_TRUE(watched.SetColour(QStringLiteral("#e02020")));
        EXPECT_TRUE(WaitUntil([&] { return Detections(folders) == 1; }, 10000));
        ::kill(static_cast<pid_t>(run.Pid()), SIGTERM);
        EXPECT_EQ(run.WaitForExit(), 0);
    }
    // The second start asks nothing: the token restores the share.
    ProgramRun run(folders);
    ASSERT_TRUE(watched.SetColour(QStringLiteral("#20c040")));
    EXPECT_TRUE(WaitUntil([&] { return Detections(folders) == 2; }, 15000));
}

TEST(GnomeTest, PicksOnTheOverlayReadTheStreamsPointerAndShowLocationAsksForIt) {
    qputenv("QT_QPA_PLATFORM", "wayland");
    const std::unique_ptr<PortalScreen> screen = OpenPortalScreen(profile);
    // GNOME 43 offers no shortcut portal, and a remote desktop that cannot be restored; the
    // choice is made once the portal has answered.
    const PointerMechanisms gnome{PickKeys::Overlay, PointerPosition::CursorMetadata,
                                  PointerMove::RemoteDesktop};
    ASSERT_TRUE(WaitUntil([&] { return screen->Mechanisms() == gnome; }));
    ASSERT_TRUE(Gnome(kShareScreen));
    constexpr COLORREF kRose = RGB(200, 40, 90);
    QWidget rose;
    rose.setPalette(QColor(200, 40, 90));
    rose.setAutoFillBackground(true);
    rose.resize(400, 300);
    rose.show();
    std::optional<QPoint> onRose;
    ASSERT_TRUE(WaitUntil([&] { return (onRose = Find(*screen, kRose)).has_value(); }, 20000))
        << "the rose window never showed on the shared screen";

    // Mutter sends the pointer as a 384 x 384 picture with each move.
    const QPoint aside(900, 700);
    ASSERT_TRUE(Gnome({"move:900,700"}));
    EXPECT_TRUE(WaitUntil([&] { return screen->GetCursorPos() == aside; }));

    FakePlatform fakes;
    CEventInfo event;
    event.m_ptLocation = QPoint(640, 10);
    const auto editor = OpenEditor(fakes, *screen, event);
    CDlgColorEvent& dialog = *editor;
    qobject_cast<QAbstractButton*>(dialog.Control(IDC_LOCATION_UNDER_CURSOR))->click();
    ASSERT_TRUE(WaitUntil(OverlayOpen));
    // F6 typed through mutter does not reach the overlay: GNOME keeps the keyboard on the editor.
    ASSERT_TRUE(Gnome(
        {QStringLiteral("move:%1,%2").arg(onRose->x()).arg(onRose->y()), "sleep:1000", "click"}));
    ASSERT_TRUE(WaitUntil([&] { return dialog.m_ptLocation == *onRose; }))
        << dialog.m_ptLocation.x() << "," << dialog.m_ptLocation.y() << " for " << onRose->x()
        << "," << onRose->y();
    EXPECT_EQ(dialog.m_clrMatch, kRose);

    // The pointer is asked for at the first "Show location", not before.
    for (const QPoint target : {QPoint(300, 650), QPoint(1000, 150)}) {
        dialog.m_ptLocation = target;
        qobject_cast<QAbstractButton*>(dialog.Control(IDC_SHOW_LOCATION))->click();
        if (target.x() == 300) {
            ASSERT_TRUE(Gnome(kSharePointer));
        }
        EXPECT_TRUE(WaitUntil([&] { return screen->GetCursorPos() == target; }))
            << target.x() << "," << target.y();
    }
}

TEST(GnomeTest, ARemoteDesktopWithoutThePointerShowsTheMarker) {
    // The token the share before kept: no question this time.
    const std::unique_ptr<PortalScreen> screen = OpenPortalScreen(profile);
    ASSERT_TRUE(WaitUntil([&] { return screen->CanBeRead(); }, 10000));
    FakePlatform fakes;
    CEventInfo event;
    event.m_ptLocation = QPoint(500, 400);
    const auto editor = OpenEditor(fakes, *screen, event);
    CDlgColorEvent& dialog = *editor;
    qobject_cast<QAbstractButton*>(dialog.Control(IDC_SHOW_LOCATION))->click();
    ASSERT_TRUE(Gnome(kShareNoPointer));
    EXPECT_TRUE(WaitUntil(OverlayOpen));
    EXPECT_NE(screen->GetCursorPos(), event.m_ptLocation);
}
