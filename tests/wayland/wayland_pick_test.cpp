// Picks and "Show location" on headless sway with the wlr portal: sway moves the pointer and
// wtype types the keys, as a user's would.
#include "app/screen_share_notice.h"
#include "fakes/fake_platform.h"
#include "model/event_info.h"
#include "platform/wayland/open_portal_screen.h"
#include "support/probe_window.h"
#include "support/waiting.h"
#include "ui/editor/dlg_color_event.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMouseEvent>
#include <QProcess>
#include <QStatusBar>
#include <gtest/gtest.h>

namespace {

constexpr COLORREF kRose = RGB(200, 40, 90);
constexpr COLORREF kLeaf = RGB(20, 180, 60);
// sway tiles the two windows side by side on its 1280 x 720 output; the editor floats in the
// middle, clear of these points.
const QPoint kOnRose(100, 100);
const QPoint kOnLeaf(1180, 600);
const QPoint kAside(1279, 0);

// The pointer moved and clicked by sway itself, the keys typed by wtype.
bool Run(const QString& program, const QStringList& arguments) {
    return QProcess::execute(program, arguments) == 0;
}
bool MovePointer(QPoint to) {
    return Run("swaymsg",
               {"seat", "-", "cursor", "set", QString::number(to.x()), QString::number(to.y())});
}

// The real screen, the two windows it shows and a keyboard, for the whole suite; they go in
// the reverse order.
struct Desktop {
    FakeProfile profile;
    std::unique_ptr<PortalScreen> screen = OpenPortalScreen(profile);
    ProbeWindow rose{QColor(200, 40, 90)};
    ProbeWindow leaf{QColor(20, 180, 60)};
    // The desktop has no keyboard of its own, and one that wtype adds only for its keys would
    // be gone before this program got to know it.
    QProcess keyboard;
};

class WaylandPickTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("wayland"))
            << "run inside the Wayland session of scripts/wayland-session.sh";
        desktop = std::make_unique<Desktop>();
        desktop->rose.show();
        desktop->leaf.show();
        desktop->keyboard.start(QStringLiteral("wtype"),
                                {QStringLiteral("-s"), QStringLiteral("600000")});
        ASSERT_TRUE(desktop->keyboard.waitForStarted());
        // sway draws its pointer into the shared pictures: out of the way of the points read.
        ASSERT_TRUE(MovePointer(kAside));
        PortalScreen& screen = *desktop->screen;
        ASSERT_TRUE(WaitUntil(
            [&] {
                return screen.GetPixel(kOnRose.x(), kOnRose.y()) == kRose &&
                       screen.GetPixel(kOnLeaf.x(), kOnLeaf.y()) == kLeaf;
            },
            60000))
            << "the shared screen never showed the two windows: " << std::hex
            << screen.GetPixel(kOnRose.x(), kOnRose.y()) << " "
            << screen.GetPixel(kOnLeaf.x(), kOnLeaf.y()) << " " << screen.CanBeRead();
    }
    static void TearDownTestSuite() { desktop.reset(); }

    // The editor with the real screen, the other services faked.
    CDlgColorEvent& Open() {
        event.m_ptLocation = QPoint(640, 10);
        event.m_clrMatch = RGB(1, 2, 3);
        event.m_clrTarget = RGB(4, 5, 6);
        event.m_bExecute = 0;
        dialog = std::make_unique<CDlgColorEvent>(fakes.Services(desktop->screen.get()), nullptr);
        dialog->m_pEvent = &event;
        dialog->m_bEditMode = 1;
        dialog->show();
        Settle();
        return *dialog;
    }

    // Clicks a button of the dialog and waits until the overlay it opens is on the screen.
    bool OpenOverlayWith(int button) {
        qobject_cast<QAbstractButton*>(dialog->Control(button))->click();
        return WaitUntil(OverlayOpen);
    }
    static bool OverlayOpen() {
        const QWidget* active = QApplication::activeWindow();
        return active && active->isFullScreen();
    }

    static inline std::unique_ptr<Desktop> desktop;
    FakePlatform fakes;
    CEventInfo event;
    std::unique_ptr<CDlgColorEvent> dialog;
};

} // namespace

// Esc, F7 and several monitors: overlay_test.
TEST_F(WaylandPickTest, OverlayTakesThePointAndColourUnderThePointer) {
    CDlgColorEvent& d = Open();
    const auto shown = [&](int id) { return qobject_cast<QLineEdit*>(d.Control(id))->text(); };

    // F6 over the rose window takes the location and its colour.
    ASSERT_TRUE(OpenOverlayWith(IDC_LOCATION_UNDER_CURSOR));
    ASSERT_TRUE(MovePointer(kOnRose));
    Settle();
    ASSERT_TRUE(::Run("wtype", {"-k", "F6"}));
    ASSERT_TRUE(WaitUntil([&] { return d.m_ptLocation == kOnRose; }));
    EXPECT_EQ(d.m_clrMatch, kRose);
    EXPECT_EQ(shown(IDC_X), QString::number(kOnRose.x()));
    EXPECT_EQ(shown(IDC_RED), QStringLiteral("200"));
    EXPECT_TRUE(WaitUntil([] { return !OverlayOpen(); }));

    // A click over the leaf window on the overlay of the colour pick takes the target colour
    // only.
    ASSERT_TRUE(OpenOverlayWith(IDC_COLOR_UNDER_CURSOR));
    ASSERT_TRUE(MovePointer(kOnLeaf));
    Settle();
    ASSERT_TRUE(::Run("swaymsg", {"seat", "-", "cursor", "press", "button1"}) &&
                ::Run("swaymsg", {"seat", "-", "cursor", "release", "button1"}));
    ASSERT_TRUE(WaitUntil([&] { return d.m_clrTarget == kLeaf; }));
    EXPECT_EQ(d.m_ptLocation, kOnRose);
    EXPECT_EQ(d.m_clrMatch, kRose);

    d.OnOK();
    ASSERT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(event.m_ptLocation, kOnRose);
    EXPECT_EQ(event.m_clrMatch, kRose);
    EXPECT_EQ(event.m_clrTarget, kLeaf);
}

TEST_F(WaylandPickTest, ShowLocationMovesThePointerThere) {
    CDlgColorEvent& d = Open();
    for (const QPoint target : {kOnRose, QPoint(37, 650)}) {
        d.m_ptLocation = target;
        qobject_cast<QAbstractButton*>(d.Control(IDC_SHOW_LOCATION))->click();
        // The rose window fills the left half from the output's corner: its points are the
        // desktop's.
        EXPECT_TRUE(WaitUntil([&] {
            return desktop->rose.pointer && desktop->rose.pointer->toPoint() == target;
        })) << target.x()
            << "," << target.y();
    }
}

// The portal shares HEADLESS-1 alone, as told. A new share gets no picture until the screen
// changes, hence the pointer's moves. Last: sway 1.7 cannot take an added output away.
TEST_F(WaylandPickTest, TheShareFollowsMonitorChangesAndNamesTheMonitorsItLeavesOut) {
    PortalScreen& screen = *desktop->screen;
    QMainWindow frame;
    ScreenShareNotice notice(screen, screen, fakes.messageBox, frame);
    int moves = 0;
    const auto shows = [&](QSize size) {
        return WaitUntil(
            [&] {
                MovePointer(QPoint(900 + ++moves % 2, 700)); // on HEADLESS-1 at either size
                return screen.VirtualScreenSize() == size &&
                       screen.UnsharedMonitors() == std::vector<QString>{"HEADLESS-2"} &&
                       screen.GetPixel(kOnRose.x(), kOnRose.y()) == kRose;
            },
            20000);
    };
    ASSERT_TRUE(::Run("swaymsg", {"create_output"}));
    EXPECT_TRUE(shows(QSize(1280, 720)));
    EXPECT_TRUE(
        WaitUntil([&] { return frame.statusBar()->currentMessage().endsWith("HEADLESS-2."); }));
    ASSERT_TRUE(::Run("swaymsg", {"--", "output", "HEADLESS-1", "mode", "--custom", "1024x768"}));
    EXPECT_TRUE(shows(QSize(1024, 768)));
}
