// The program on headless KWin 5.27: its screen-cast dialog answered with clicks, its shortcuts
// typed, through KWin's fake input. KWin's virtual output sends no picture of a monitor, so
// everything up to the pictures is tested here.
#include "app/screen_share_notice.h"
#include "desktop.h"
#include "fakes/fake_platform.h"
#include "model/event_info.h"
#include "platform/wayland/open_portal_screen.h"
#include "platform/wayland/portal_hot_keys.h"
#include "support/probe_window.h"
#include "ui/editor/dlg_color_event.h"

#include <QAbstractButton>
#include <QDBusInterface>
#include <QDBusReply>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <gtest/gtest.h>

namespace {

bool Kde(const QStringList& steps) {
    return Input("kwin-input.py", steps);
}

// The desktop's names of the shortcut sessions it keeps.
QStringList ShortcutComponents() {
    QDBusInterface accel(QStringLiteral("org.kde.kglobalaccel"), QStringLiteral("/kglobalaccel"),
                         QStringLiteral("org.kde.KGlobalAccel"));
    const QDBusReply<QList<QDBusObjectPath>> reply = accel.call(QStringLiteral("allComponents"));
    QStringList names;
    for (const QDBusObjectPath& path : reply.value())
        names << path.path().section(u'/', -1);
    return names;
}

} // namespace

TEST(KdeTest, SharedOnceThenByTokenWithShortcutsAndThePointerButNoPicture) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    ASSERT_TRUE(bus.isConnected());
    // Every call this process makes to the portal, in order.
    QProcess calls;
    calls.start(
        QStringLiteral("dbus-monitor"),
        {QStringLiteral("--session"), QStringLiteral("type='method_call',sender='%1',"
                                                     "destination='org.freedesktop.portal.Desktop'")
                                          .arg(bus.baseService())});
    ASSERT_TRUE(calls.waitForReadyRead(5000));
    FakeProfile profile;
    const auto shared = [](PortalScreen& screen) {
        return WaitUntil([&] { return !screen.VirtualScreenSize().isEmpty(); }, 15000);
    };
    {
        const std::unique_ptr<PortalScreen> screen = OpenPortalScreen(profile);
        const PointerMechanisms kde{PickKeys::GlobalShortcuts, PointerPosition::CursorMetadata,
                                    PointerMove::RemoteDesktop};
        EXPECT_TRUE(WaitUntil([&] { return screen->Mechanisms() == kde; }));
        // The monitor's card, then Share, once the dialog has settled.
        ASSERT_TRUE(Kde({"dialog", "sleep:3500", "click:767,370", "sleep:500", "click:779,643"}));
        ASSERT_TRUE(shared(*screen));
    }
    Settle();
    const QStringList monitored = QString::fromUtf8(calls.readAll()).split(u'\n');
    const QStringList called = monitored.filter(QStringLiteral("method call"));
    ASSERT_FALSE(called.isEmpty());
    EXPECT_EQ(called.front().section(QStringLiteral("member="), 1), QStringLiteral("Register"))
        << "the program is known to the portal before any other call";

    // Again with the token: no question.
    const std::unique_ptr<PortalScreen> screen = OpenPortalScreen(profile);
    ASSERT_TRUE(shared(*screen));
    QMainWindow frame;
    frame.menuBar()->addMenu(QStringLiteral("&File"));
    FakePlatform fakes;
    ScreenShareNotice notice(*screen, *screen, fakes.messageBox, frame);
    EXPECT_TRUE(WaitUntil([&] { return frame.statusBar()->currentMessage().contains("picture"); }))
        << "no word that no picture came";

    // Each editor's pick keys, bound by the desktop under the same name every time.
    PortalHotKeys keys;
    CEventInfo event;
    for (const bool press : {true, false}) {
        CDlgColorEvent dialog(fakes.Services(screen.get(), &keys), nullptr);
        dialog.m_pEvent = &event;
        dialog.m_bEditMode = 1;
        dialog.show();
        const auto* hint = qobject_cast<QLabel*>(dialog.Control(IDC_LOCATION_HINT));
        ASSERT_TRUE(WaitUntil([&] { return hint->text().contains("F6"); }, 10000))
            << qPrintable(hint->text());
        if (press) {
            ASSERT_TRUE(Kde({"sleep:1000", "key:64"})); // F6
            // It arrives; with no picture, no pointer position comes with it.
            EXPECT_TRUE(WaitUntil([&] { return !fakes.messageBox.Texts().isEmpty(); }))
                << "the shortcut never reached the editor";
        }
    }
    EXPECT_EQ(ShortcutComponents().filter(QStringLiteral("tintwatch")).size(), 1)
        << qPrintable(ShortcutComponents().join(u' '));

    // "Show location" moves the pointer through the remote desktop, which asks a host program
    // nothing; a window over the whole monitor sees where it went.
    ProbeWindow probe(Qt::darkCyan);
    probe.showFullScreen();
    CDlgColorEvent dialog(fakes.Services(screen.get(), &keys), nullptr);
    dialog.m_pEvent = &event;
    dialog.show();
    // The points are clear of the dialog in the middle, which would hide the pointer.
    for (const QPoint target : {QPoint(60, 60), QPoint(1200, 760)}) {
        dialog.m_ptLocation = target;
        qobject_cast<QAbstractButton*>(dialog.Control(IDC_SHOW_LOCATION))->click();
        EXPECT_TRUE(WaitUntil([&] { return probe.pointer && probe.pointer->toPoint() == target; }))
            << target.x() << "," << target.y();
    }
}
