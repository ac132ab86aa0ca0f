// The screen's talk with its portal, on the private bus of a real dbus-daemon (the test runs
// under dbus-run-session), against a portal of the test's own on a connection of its own.
#include "fakes/fake_platform.h"
#include "platform/wayland/open_portal_screen.h"
#include "platform/wayland/portal_names.h"
#include "support/waiting.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Answers GetAll after `delayMs`; fails a cursor mode not offered and (`refuseTokens`) a restore
// token as xdg-desktop-portal; grants CreateSession, refuses the rest, or (!`answer`) never tells.
struct Portal : QDBusVirtualObject {
    int delayMs = 0, created = 0;
    unsigned cursorModes = 7;
    bool refuseTokens = false, answer = true;
    QList<QVariantMap> selected; // SelectSources' options
    QDBusConnection bus{QString()};

    Portal() { Connect(); }
    ~Portal() override { Disconnect(); }
    void Connect() {
        bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "portal");
        bus.registerVirtualObject(kPortalPath, this);
        bus.registerService(kPortalService);
    }
    // As a crash would: the connection goes, and the name with it.
    void Disconnect() {
        QDBusConnection::disconnectFromBus(std::exchange(bus, QDBusConnection(QString())).name());
    }
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& call, const QDBusConnection&) override {
        const QString method = call.member();
        if (method == QLatin1String("GetAll")) {
            const QVariantMap cast{{"version", 4u}, {"AvailableCursorModes", cursorModes}};
            const QVariant all(call.arguments().value(0) == kScreenCastInterface ? cast
                                                                                 : QVariantMap());
            QTimer::singleShot(delayMs, [this, reply = call.createReply(all)] { bus.send(reply); });
            return true;
        }
        const auto options = qdbus_cast<QVariantMap>(call.arguments().constLast());
        const QString request = QStringLiteral("%1/request/%2/%3")
                                    .arg(kPortalPath, RequestSenderName(call.service()),
                                         options.value("handle_token").toString());
        if (method == QLatin1String("SelectSources")) {
            selected.append(options);
            const unsigned mode = options.value("cursor_mode", cursorModes).toUInt();
            if ((refuseTokens && options.contains("restore_token")) || (mode & cursorModes) == 0)
                return bus.send(call.createErrorReply(QDBusError::InvalidArgs, "refused"));
        }
        created += method == QLatin1String("CreateSession") ? 1 : 0;
        bus.send(call.createReply(QVariant::fromValue(QDBusObjectPath(request))));
        QDBusMessage response = QDBusMessage::createSignal(request, kRequestInterface, "Response");
        const QVariantMap session{{"session_handle", kPortalPath + "/session/s"}};
        response.setArguments({method == QLatin1String("CreateSession") ? 0u : 1u, session});
        return !answer || bus.send(response);
    }
};

class PortalTest : public ::testing::Test {
protected:
    std::unique_ptr<PortalScreen> Open() {
        auto screen = OpenPortalScreen(profile);
        screen->SetOnProblem([this](ShareProblem problem) { problems.append(problem); });
        return screen;
    }
    Portal portal;
    FakeProfile profile;
    QList<ShareProblem> problems;
};

} // namespace

TEST_F(PortalTest, ASlowPortalDelaysOnlyTheShareAndOnlyOfferedCursorModesAreAskedFor) {
    portal.delayMs = 1500;
    portal.cursorModes = 2; // embedded only: neither hidden nor metadata
    const QDeadlineTimer quick(500);
    const auto screen = Open();
    EXPECT_FALSE(quick.hasExpired());
    ASSERT_TRUE(WaitUntil([&] { return !problems.isEmpty(); }));
    EXPECT_FALSE(portal.selected.value(0).contains("cursor_mode"));
    EXPECT_EQ(problems, QList{ShareProblem::Refused});
}

TEST_F(PortalTest, ErrorsAfterTheSessionAreToldAsTheyAreAndAPortalGoneMidRequestFailsIt) {
    portal.refuseTokens = true;
    profile.WriteProfileString("Settings", "ScreenShareToken", "stale");
    const auto screen = Open();
    ASSERT_TRUE(WaitUntil([&] { return problems.size() == 1; }));
    EXPECT_EQ(problems[0], ShareProblem::Error);
    EXPECT_EQ(profile.GetProfileString("Settings", "ScreenShareToken", "kept"), QString());
    // Asked again without it, and for metadata, which the portal offers; the user says no.
    screen->ShareAgain();
    ASSERT_TRUE(WaitUntil([&] { return problems.size() == 2; }));
    EXPECT_FALSE(portal.selected[1].contains("restore_token"));
    EXPECT_EQ(portal.selected[1].value("cursor_mode"), 4u);
    // The portal goes before it answers: the request fails, and the next portal is asked.
    portal.answer = false;
    screen->ShareAgain();
    ASSERT_TRUE(WaitUntil([&] { return portal.created == 3; }));
    portal.Disconnect();
    ASSERT_TRUE(WaitUntil([&] { return problems.size() == 3; }));
    EXPECT_EQ(problems[2], ShareProblem::NoPortal);
    portal.Connect();
    screen->ShareAgain();
    EXPECT_TRUE(WaitUntil([&] { return portal.created == 4; }));
}
