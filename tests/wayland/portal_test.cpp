// The screen's talk with its portal, on a private bus of a real dbus-daemon, against a portal of
// our own on a second connection: slow, picky about cursor modes and tokens, or gone mid-request.
#include "fakes/fake_platform.h"
#include "platform/wayland/open_portal_screen.h"
#include "platform/wayland/portal_names.h"
#include "support/waiting.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Answers GetAll after `delayMs` (ScreenCast only), refuses a cursor mode it does not offer and,
// when `refuseTokens`, any restore token, as xdg-desktop-portal does: with a D-Bus error. Its
// CreateSession is answered only when `answer`.
struct Portal : QDBusVirtualObject {
    int delayMs = 0;
    unsigned cursorModes = 7;
    bool refuseTokens = false, answer = true;
    QList<QVariantMap> selected; // SelectSources' options
    int created = 0, connects = 0;
    QDBusConnection bus{QString()};

    void Connect(const QString& address) {
        bus = QDBusConnection::connectToBus(address, QStringLiteral("portal%1").arg(++connects));
        bus.registerVirtualObject(kPortalPath, this);
        bus.registerService(kPortalService);
    }
    // As a crash would: the connection goes, and the name with it.
    void Disconnect() {
        const QString name = std::exchange(bus, QDBusConnection(QString())).name();
        QDBusConnection::disconnectFromBus(name);
    }
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& call, const QDBusConnection&) override {
        const QVariantList in = call.arguments();
        if (call.member() == QLatin1String("GetAll")) {
            const QVariantMap cast{{"version", 4u}, {"AvailableCursorModes", cursorModes}};
            QTimer::singleShot(delayMs, [this, call, cast] {
                bus.send(call.arguments().value(0) == kScreenCastInterface
                             ? call.createReply(QVariant(cast))
                             : call.createErrorReply(QDBusError::InvalidArgs, "no"));
            });
            return true;
        }
        const auto options = qdbus_cast<QVariantMap>(in.value(in.size() - 1));
        const QString request = QStringLiteral("%1/request/%2/%3")
                                    .arg(kPortalPath, RequestSenderName(call.service()),
                                         options.value("handle_token").toString());
        QVariantMap results;
        if (call.member() == QLatin1String("CreateSession")) {
            ++created;
            if (!answer)
                return bus.send(call.createReply(QVariant::fromValue(QDBusObjectPath(request))));
            results.insert("session_handle", kPortalPath + "/session/s");
        } else if (call.member() == QLatin1String("SelectSources")) {
            selected.append(options);
            const unsigned mode = options.value("cursor_mode", cursorModes).toUInt();
            if ((refuseTokens && options.contains("restore_token")) || (mode & cursorModes) == 0)
                return bus.send(call.createErrorReply(QDBusError::InvalidArgs, "refused"));
        }
        bus.send(call.createReply(QVariant::fromValue(QDBusObjectPath(request))));
        QDBusMessage response = QDBusMessage::createSignal(request, kRequestInterface, "Response");
        // The user says no to whatever follows the session.
        response.setArguments({call.member() == QLatin1String("CreateSession") ? 0u : 1u, results});
        return bus.send(response);
    }
};

class PortalTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        daemon = std::make_unique<QProcess>();
        daemon->start("dbus-daemon", {"--session", "--nofork", "--print-address"});
        ASSERT_TRUE(daemon->waitForReadyRead(5000));
        address = QString::fromLatin1(daemon->readLine().trimmed());
        qputenv("DBUS_SESSION_BUS_ADDRESS", address.toLatin1());
    }
    static void TearDownTestSuite() {
        daemon->kill();
        daemon->waitForFinished();
        daemon.reset();
    }
    // The program's screen, and what it reports.
    std::unique_ptr<PortalScreen> Open() {
        auto screen = OpenPortalScreen(profile);
        screen->SetOnProblem([this](ShareProblem problem) { problems.append(problem); });
        return screen;
    }
    static inline std::unique_ptr<QProcess> daemon;
    static inline QString address;
    Portal portal;
    FakeProfile profile;
    QList<ShareProblem> problems;
};

} // namespace

TEST_F(PortalTest, ASlowPortalDelaysOnlyTheShareAndOnlyOfferedCursorModesAreAskedFor) {
    portal.delayMs = 1500;
    portal.cursorModes = 2; // embedded only: neither hidden nor metadata
    portal.Connect(address);
    QElapsedTimer started;
    started.start();
    const auto screen = Open();
    EXPECT_LT(started.elapsed(), 500);
    EXPECT_EQ(screen->Mechanisms().position, PointerPosition::Overlay);
    ASSERT_TRUE(WaitUntil([&] { return !portal.selected.isEmpty(); }));
    EXPECT_GE(started.elapsed(), 1500);
    EXPECT_FALSE(portal.selected[0].contains("cursor_mode"));
    ASSERT_TRUE(WaitUntil([&] { return !problems.isEmpty(); }));
    EXPECT_EQ(problems, QList{ShareProblem::Refused});
}

TEST_F(PortalTest, AnErrorAfterTheSessionIsToldAsItIsAndDropsARefusedToken) {
    portal.refuseTokens = true;
    portal.Connect(address);
    profile.WriteProfileString("Settings", "ScreenShareToken", "stale");
    const auto screen = Open();
    ASSERT_TRUE(WaitUntil([&] { return !problems.isEmpty(); }));
    EXPECT_EQ(problems, QList{ShareProblem::Error});
    EXPECT_EQ(profile.GetProfileString("Settings", "ScreenShareToken", "kept"), QString());
    screen->ShareAgain();
    ASSERT_TRUE(WaitUntil([&] { return portal.selected.size() == 2; }));
    EXPECT_FALSE(portal.selected[1].contains("restore_token"));
    EXPECT_EQ(portal.selected[1].value("cursor_mode"), 4u);
}

TEST_F(PortalTest, APortalGoneMidRequestFailsItAndSharingAgainReachesTheNextOne) {
    portal.answer = false;
    portal.Connect(address);
    const auto screen = Open();
    ASSERT_TRUE(WaitUntil([&] { return portal.created == 1; }));
    portal.Disconnect();
    ASSERT_TRUE(WaitUntil([&] { return !problems.isEmpty(); }));
    EXPECT_EQ(problems, QList{ShareProblem::NoPortal});
    portal.Connect(address);
    screen->ShareAgain();
    EXPECT_TRUE(WaitUntil([&] { return portal.created == 2; }));
}
