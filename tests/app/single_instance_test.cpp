// One instance per user: the lock, the socket, a crashed holder, simultaneous starts, and the
// frames that cross the socket. The starts are real processes (instance_probe).
#include "app/instance_message.h"
#include "app/single_instance.h"
#include "platform/real/runtime_folder.h"
#include "res/resource_ids.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A fresh runtime folder as the running program gets it: private to the user.
struct PrivateFolder {
    PrivateFolder() {
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner);
    }
    QString path() const { return dir.path(); }
    QTemporaryDir dir;
};

std::unique_ptr<QProcess> StartProbe(const QString& folder) {
    auto probe = std::make_unique<QProcess>();
    probe->start(QStringLiteral(INSTANCE_PROBE), {folder});
    return probe;
}

// Reads the probe's output until `line` appears; false after five seconds.
bool WaitForLine(QProcess& probe, const QByteArray& line, QByteArray* seen = nullptr) {
    QByteArray all;
    QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        all += probe.readAllStandardOutput();
        if (all.split('\n').contains(line)) {
            if (seen)
                *seen = all;
            return true;
        }
        probe.waitForReadyRead(100);
    }
    if (seen)
        *seen = all;
    return false;
}

void EndProbe(QProcess& probe) {
    probe.closeWriteChannel();
    if (!probe.waitForFinished(5000))
        probe.kill();
    probe.waitForFinished();
}

} // namespace

TEST(SingleInstanceTest, LaterStartHandsOverTheCommandAndEndsWithZero) {
    PrivateFolder folder;
    auto first = StartProbe(folder.path());
    ASSERT_TRUE(WaitForLine(*first, "primary"));

    auto second = StartProbe(folder.path());
    ASSERT_TRUE(second->waitForFinished(10000));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(second->readAllStandardOutput().trimmed(), "secondary");
    EXPECT_TRUE(WaitForLine(*first, "received " + QByteArray::number(ID_TRAY_CONFIGURE)));
    EndProbe(*first);

    // Once the running one has ended, the lock and the socket are gone with it.
    EXPECT_FALSE(QFileInfo::exists(folder.path() + "/tintwatch.lock"));
    EXPECT_FALSE(QFileInfo::exists(folder.path() + "/tintwatch.socket"));
}

TEST(SingleInstanceTest, CrashedHolderLeavesNothingThatBlocksTheNextStart) {
    PrivateFolder folder;
    auto crashed = StartProbe(folder.path());
    ASSERT_TRUE(WaitForLine(*crashed, "primary"));
    crashed->kill(); // SIGKILL: no clean-up at all
    crashed->waitForFinished();
    ASSERT_TRUE(QFileInfo::exists(folder.path() + "/tintwatch.lock"));
    ASSERT_TRUE(QFileInfo::exists(folder.path() + "/tintwatch.socket"));

    auto next = StartProbe(folder.path());
    ASSERT_TRUE(WaitForLine(*next, "primary"));
    // The stale socket was replaced by a live one: a further start reaches the new holder.
    auto later = StartProbe(folder.path());
    ASSERT_TRUE(later->waitForFinished(10000));
    EXPECT_EQ(later->exitCode(), 0);
    EXPECT_TRUE(WaitForLine(*next, "received " + QByteArray::number(ID_TRAY_CONFIGURE)));
    EndProbe(*next);
}

TEST(SingleInstanceTest, StartsAtTheSameMomentLeaveExactlyOneRunning) {
    PrivateFolder folder;
    constexpr int kStarts = 6;
    std::vector<std::unique_ptr<QProcess>> probes;
    for (int i = 0; i < kStarts; ++i)
        probes.push_back(StartProbe(folder.path()));

    // Every start but one ends by itself; the one left runs on.
    QDeadlineTimer deadline(10000);
    auto finished = [&] {
        int count = 0;
        for (auto& probe : probes)
            count += probe->state() == QProcess::NotRunning ? 1 : 0;
        return count;
    };
    while (finished() < kStarts - 1 && !deadline.hasExpired())
        QTest::qWait(20);
    QTest::qWait(300); // room for a second "primary" to show itself

    QProcess* primary = nullptr;
    int secondaries = 0;
    for (auto& probe : probes) {
        if (probe->state() == QProcess::NotRunning) {
            EXPECT_EQ(probe->exitCode(), 0);
            EXPECT_EQ(probe->readAllStandardOutput().trimmed(), "secondary");
            ++secondaries;
        } else {
            EXPECT_EQ(primary, nullptr) << "two instances run";
            primary = probe.get();
        }
    }
    ASSERT_NE(primary, nullptr);
    EXPECT_EQ(secondaries, kStarts - 1);
    QByteArray seen;
    WaitForLine(*primary, "primary", &seen);
    deadline.setRemainingTime(5000);
    while (seen.count("received") < kStarts - 1 && !deadline.hasExpired()) {
        primary->waitForReadyRead(100);
        seen += primary->readAllStandardOutput();
    }
    EXPECT_EQ(seen.count("received " + QByteArray::number(ID_TRAY_CONFIGURE)), kStarts - 1);
    EndProbe(*primary);
}

TEST(SingleInstanceTest, OnlyWellFormedFramesReachTheRunningInstance) {
    PrivateFolder folder;
    SingleInstance instance(folder.path());
    ASSERT_EQ(instance.Claim(ID_TRAY_CONFIGURE), SingleInstance::Role::Primary);
    QSignalSpy received(&instance, &SingleInstance::CommandReceived);

    QByteArray wrongVersion = InstanceMessage::Encode(ID_TRAY_CONFIGURE);
    wrongVersion[4] = 2;
    for (const QByteArray& junk : {QByteArray(16, 'x'), wrongVersion}) {
        QLocalSocket socket;
        socket.connectToServer(instance.SocketPath());
        ASSERT_TRUE(socket.waitForConnected(2000));
        socket.write(junk);
        socket.flush();
        // The instance hangs up without an answer.
        QDeadlineTimer deadline(3000);
        while (socket.state() == QLocalSocket::ConnectedState && !deadline.hasExpired())
            QTest::qWait(20);
        EXPECT_EQ(socket.bytesAvailable(), 0);
        EXPECT_NE(socket.state(), QLocalSocket::ConnectedState);
    }
    EXPECT_EQ(received.count(), 0);

    QLocalSocket socket;
    socket.connectToServer(instance.SocketPath());
    ASSERT_TRUE(socket.waitForConnected(2000));
    socket.write(InstanceMessage::Encode(ID_TRAY_CONFIGURE));
    ASSERT_TRUE(received.wait(3000));
    ASSERT_EQ(received.count(), 1);
    EXPECT_EQ(received.at(0).at(0).toInt(), ID_TRAY_CONFIGURE);
    ASSERT_TRUE(socket.bytesAvailable() > 0 || socket.waitForReadyRead(2000));
    EXPECT_EQ(socket.read(1), QByteArray(1, InstanceMessage::kAcknowledge));
}

TEST(SingleInstanceTest, InstanceFilesAreForThisUserOnly) {
    PrivateFolder folder;
    SingleInstance instance(folder.path());
    ASSERT_EQ(instance.Claim(ID_TRAY_CONFIGURE), SingleInstance::Role::Primary);
    const QFileInfo socket(instance.SocketPath());
    ASSERT_TRUE(socket.exists());
    const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                        QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    EXPECT_EQ(socket.permissions() & others, QFileDevice::Permissions());
}

TEST(SingleInstanceTest, NoFolderMeansRunningUnguarded) {
    SingleInstance instance{QString()};
    EXPECT_EQ(instance.Claim(ID_TRAY_CONFIGURE), SingleInstance::Role::Unguarded);
}

TEST(InstanceMessageTest, FramesCarryTheCommandAndRejectAnythingElse) {
    const QByteArray frame = InstanceMessage::Encode(ID_TRAY_CONFIGURE);
    ASSERT_EQ(frame.size(), InstanceMessage::kFrameSize);
    EXPECT_EQ(InstanceMessage::Decode(frame), ID_TRAY_CONFIGURE);
    EXPECT_EQ(InstanceMessage::Decode(InstanceMessage::Encode(-5)), -5);

    EXPECT_EQ(InstanceMessage::Decode(frame.left(15)), std::nullopt);
    EXPECT_EQ(InstanceMessage::Decode(frame + 'x'), std::nullopt);
    for (int byte : {0, 4, 8}) {
        QByteArray broken = frame;
        broken[byte] = static_cast<char>(broken[byte] + 1);
        EXPECT_EQ(InstanceMessage::Decode(broken), std::nullopt) << "byte " << byte;
    }
}

TEST(RuntimeFolderTest, OnlyPrivateFoldersOfThisUserAreTrusted) {
    QTemporaryDir root;
    const QString open = root.path() + "/open";
    const QString closed = root.path() + "/closed";
    QDir().mkdir(open);
    QDir().mkdir(closed);
    QFile::setPermissions(open, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                    QFileDevice::ExeOther);
    QFile::setPermissions(closed,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::link(closed, root.path() + "/link");
    EXPECT_TRUE(IsPrivateFolder(closed));
    EXPECT_FALSE(IsPrivateFolder(open));
    EXPECT_FALSE(IsPrivateFolder(root.path() + "/link"));
    EXPECT_FALSE(IsPrivateFolder(root.path() + "/missing"));

    const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray savedTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", root.path().toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", closed.toLocal8Bit());
    EXPECT_EQ(PrivateRuntimeFolder(), closed);
    // A runtime folder others can enter is passed over for a private one in the temporary
    // folder, named after the user.
    qputenv("XDG_RUNTIME_DIR", open.toLocal8Bit());
    const QString fallback = PrivateRuntimeFolder();
    EXPECT_TRUE(fallback.startsWith(root.path() + "/tintwatch-"));
    EXPECT_TRUE(IsPrivateFolder(fallback));
    // A planted fallback that others can enter is never used.
    QFile::setPermissions(fallback, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                        QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                        QFileDevice::WriteOther | QFileDevice::ExeOther);
    EXPECT_EQ(PrivateRuntimeFolder(), QString());
    qputenv("XDG_RUNTIME_DIR", savedRuntime);
    qputenv("TMPDIR", savedTemp);
}
