// One instance per data file: the lock, the socket, a crashed holder, simultaneous starts,
// starts from sessions with other runtime folders, and the frames that cross the socket. The
// starts are real processes (tw_instance_probe).
#include "app/instance_message.h"
#include "app/single_instance.h"
#include "platform/real/runtime_folder.h"
#include "res/resource_ids.h"
#include "support/processes.h"
#include "support/waiting.h"

#include <QLocalSocket>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

const QByteArray kHandedOver = "received " + QByteArray::number(ID_TRAY_CONFIGURE);

// One start of the stand-in program for the data folder given, from a session whose runtime
// folder is `runtime`; it runs until its input closes.
struct Probe {
    explicit Probe(const QString& folder, const QString& runtime = {}) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (!runtime.isEmpty())
            environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(INSTANCE_PROBE), {folder});
    }
    ~Probe() {
        process.closeWriteChannel();
        process.waitForFinished();
    }
    // Whether its output holds `line` `times` times, waiting up to five seconds for it.
    bool Said(const QByteArray& line, int times = 1) {
        return WaitUntil([&] {
            output += process.readAllStandardOutput();
            return output.split('\n').count(line) >= times;
        });
    }
    bool EndedAsSecondary() {
        process.waitForFinished(10000); // false when it has ended already
        return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 &&
               Said("secondary");
    }
    QProcess process;
    QByteArray output;
};

} // namespace

TEST(SingleInstanceTest, LaterStartsHandOverTheirCommandAfterTheHolderCrashed) {
    UserFolders user;
    const QString folder = user.Path("data");
    {
        Probe crashed(folder);
        ASSERT_TRUE(crashed.Said("primary"));
        crashed.process.kill(); // SIGKILL: no clean-up at all
        crashed.process.waitForFinished();
        ASSERT_TRUE(QFileInfo::exists(folder + "/tintwatch.socket"));

        // The stale socket is replaced by a live one: a further start reaches the new holder.
        Probe next(folder);
        ASSERT_TRUE(next.Said("primary"));
        EXPECT_TRUE(Probe(folder).EndedAsSecondary());
        EXPECT_TRUE(next.Said(kHandedOver));
    }
    // Once the running one has ended, the lock and the socket are gone with it.
    EXPECT_FALSE(QFileInfo::exists(folder + "/tintwatch.lock"));
    EXPECT_FALSE(QFileInfo::exists(folder + "/tintwatch.socket"));
}

TEST(SingleInstanceTest, StartsAtTheSameMomentLeaveExactlyOneRunning) {
    UserFolders user;
    constexpr int kStarts = 6;
    std::vector<std::unique_ptr<Probe>> probes;
    for (int i = 0; i < kStarts; ++i)
        probes.push_back(std::make_unique<Probe>(user.Path("data")));
    // Every start but one hands its command over and ends; the one left runs on.
    ASSERT_TRUE(WaitUntil(
        [&] {
            return std::count_if(probes.begin(), probes.end(), [](const auto& probe) {
                       return probe->process.state() == QProcess::NotRunning;
                   }) == kStarts - 1;
        },
        10000));
    Settle(300); // room for a second instance to show itself
    Probe* primary = nullptr;
    for (auto& probe : probes) {
        if (probe->process.state() == QProcess::NotRunning)
            EXPECT_TRUE(probe->EndedAsSecondary());
        else
            primary = probe.get();
    }
    ASSERT_NE(primary, nullptr);
    EXPECT_TRUE(primary->Said("primary"));
    EXPECT_TRUE(primary->Said(kHandedOver, kStarts - 1));
    EXPECT_EQ(primary->output.count(kHandedOver), kStarts - 1);
}

TEST(SingleInstanceTest, OnlyWellFormedFramesReachTheRunningInstanceFromThisUser) {
    UserFolders user;
    EXPECT_EQ(SingleInstance(QString()).Claim(ID_TRAY_CONFIGURE), SingleInstance::Role::Unguarded);
    SingleInstance instance(user.Path("data"));
    ASSERT_EQ(instance.Claim(ID_TRAY_CONFIGURE), SingleInstance::Role::Primary);
    EXPECT_EQ(QFileInfo(instance.SocketPath()).permissions().toInt() & 0x77, 0) << "not private";
    QSignalSpy received(&instance, &SingleInstance::CommandReceived);

    // Frames of the wrong magic, version or payload size are hung up on without an answer; a
    // good one is answered, then hung up on too, long before an idle client would be.
    const QByteArray good = InstanceMessage::Encode(ID_TRAY_CONFIGURE);
    QByteArrayList frames;
    for (int byte : {0, 4, 8}) {
        frames << good;
        frames.last()[byte] = static_cast<char>(good[byte] + 1);
    }
    // So are commands other than the one a start sends: any process of the user can connect.
    for (int id : {ID_FILE_NEW, ID_FILE_SAVE, ID_APP_EXIT, ID_TRAY_EXIT, ID_EVENT_DELETE, 0})
        frames << InstanceMessage::Encode(id);
    frames << good;
    for (const QByteArray& frame : frames) {
        QLocalSocket socket;
        socket.connectToServer(instance.SocketPath());
        ASSERT_TRUE(socket.waitForConnected(2000));
        socket.write(frame);
        ASSERT_TRUE(
            WaitUntil([&] { return socket.state() != QLocalSocket::ConnectedState; }, 2000));
        EXPECT_EQ(socket.read(1),
                  frame == good ? QByteArray(1, InstanceMessage::kAcknowledge) : "");
    }
    ASSERT_TRUE(received.count() == 1 || received.wait(3000));
    EXPECT_EQ(received.count(), 1);
    EXPECT_EQ(received.at(0).at(0).toInt(), ID_TRAY_CONFIGURE);
    EXPECT_TRUE(WaitUntil([&] { return instance.findChildren<QLocalSocket*>().isEmpty(); }));
}

TEST(SingleInstanceTest, OneRunsPerDataFileWhateverTheRuntimeFolderOfItsSession) {
    UserFolders user;
    QDir().mkpath(user.Path("other"));
    QFile::setPermissions(user.Path("other"), QFile::permissions(user.Path("runtime")));
    // The second path is too long for a socket beside it: the socket goes to the runtime folder.
    const QString deep = user.Path("data/") + QString(120, u'd');
    QDir().mkpath(deep);
    for (const QString& folder : {user.Path("data"), deep}) {
        SCOPED_TRACE(qPrintable(folder));
        Probe desktop(folder, user.Path("runtime"));
        ASSERT_TRUE(desktop.Said("primary"));
        EXPECT_TRUE(Probe(folder, user.Path("runtime")).EndedAsSecondary());
        EXPECT_TRUE(desktop.Said(kHandedOver));
        // Another session (ssh, cron) never runs beside it; beside a socket it cannot reach, it
        // refuses to run.
        Probe remote(folder, user.Path("other"));
        if (folder == deep)
            EXPECT_TRUE(remote.process.waitForFinished(15000) && remote.Said("unreachable"));
        else
            EXPECT_TRUE(remote.EndedAsSecondary() && desktop.Said(kHandedOver, 2));
    }
}

TEST(RuntimeFolderTest, OnlyAPrivateFolderOfThisUserIsUsedAndNothingInTheSharedOne) {
    UserFolders user;
    const QString closed = user.Path("runtime"), open = user.Path("home");
    QFile::setPermissions(open, QFile::permissions(closed) | QFileDevice::ReadOther |
                                    QFileDevice::ExeOther);
    QFile::link(closed, user.Path("link"));
    const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR"), savedTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", user.Path("config").toLocal8Bit());
    // A runtime folder others can enter, a link or none gives none: nothing is made in the
    // temporary folder, where another user could have taken the name first.
    for (const QString& runtime : {closed, open, user.Path("link"), user.Path("missing")}) {
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
        EXPECT_EQ(PrivateRuntimeFolder(), runtime == closed ? closed : QString());
    }
    EXPECT_TRUE(QDir(user.Path("config")).isEmpty());
    qputenv("XDG_RUNTIME_DIR", savedRuntime);
    qputenv("TMPDIR", savedTemp);
}
