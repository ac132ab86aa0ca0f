// One instance per user: the lock, the socket, a crashed holder, simultaneous starts, and the
// frames that cross the socket. The starts are real processes (tw_instance_probe).
#include "app/instance_message.h"
#include "app/single_instance.h"
#include "platform/real/runtime_folder.h"
#include "res/resource_ids.h"
#include "support/processes.h"
#include "support/waiting.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

const QByteArray kHandedOver = "received " + QByteArray::number(ID_TRAY_CONFIGURE);

// One start of the stand-in program; it runs until its input closes.
struct Probe {
    explicit Probe(const QString& folder) {
        process.start(QStringLiteral(INSTANCE_PROBE), {folder});
    }
    ~Probe() {
        process.closeWriteChannel();
        if (!process.waitForFinished(5000))
            process.kill();
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
        return process.state() == QProcess::NotRunning &&
               process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 &&
               Said("secondary");
    }
    QProcess process;
    QByteArray output;
};

} // namespace

TEST(SingleInstanceTest, LaterStartHandsOverTheCommandAndEnds) {
    UserFolders user;
    const QString folder = user.Path("runtime");
    {
        Probe first(folder);
        ASSERT_TRUE(first.Said("primary"));
        EXPECT_TRUE(Probe(folder).EndedAsSecondary());
        EXPECT_TRUE(first.Said(kHandedOver));
    }
    // Once the running one has ended, the lock and the socket are gone with it.
    EXPECT_FALSE(QFileInfo::exists(folder + "/tintwatch.lock"));
    EXPECT_FALSE(QFileInfo::exists(folder + "/tintwatch.socket"));
}

TEST(SingleInstanceTest, CrashedHolderLeavesNothingThatBlocksTheNextStart) {
    UserFolders user;
    const QString folder = user.Path("runtime");
    Probe crashed(folder);
    ASSERT_TRUE(crashed.Said("primary"));
    crashed.process.kill(); // SIGKILL: no clean-up at all
    crashed.process.waitForFinished();
    ASSERT_TRUE(QFileInfo::exists(folder + "/tintwatch.lock"));
    ASSERT_TRUE(QFileInfo::exists(folder + "/tintwatch.socket"));

    Probe next(folder);
    ASSERT_TRUE(next.Said("primary"));
    // The stale socket was replaced by a live one: a further start reaches the new holder.
    EXPECT_TRUE(Probe(folder).EndedAsSecondary());
    EXPECT_TRUE(next.Said(kHandedOver));
}

TEST(SingleInstanceTest, StartsAtTheSameMomentLeaveExactlyOneRunning) {
    UserFolders user;
    constexpr int kStarts = 6;
    std::vector<std::unique_ptr<Probe>> probes;
    for (int i = 0; i < kStarts; ++i)
        probes.push_back(std::make_unique<Probe>(user.Path("runtime")));
    // Every start but one ends by itself; the one left runs on.
    const auto ended = [&] {
        return std::count_if(probes.begin(), probes.end(), [](const auto& probe) {
            return probe->process.state() == QProcess::NotRunning;
        });
    };
    ASSERT_TRUE(WaitUntil([&] { return ended() == kStarts - 1; }, 10000));
    Settle(300); // room for a second instance to show itself
    int secondaries = 0;
    Probe* primary = nullptr;
    for (auto& probe : probes) {
        if (probe->process.state() == QProcess::NotRunning) {
            secondaries += probe->EndedAsSecondary();
            continue;
        }
        EXPECT_EQ(primary, nullptr) << "two instances run";
        primary = probe.get();
    }
    EXPECT_EQ(secondaries, kStarts - 1);
    ASSERT_NE(primary, nullptr);
    EXPECT_TRUE(primary->Said("primary"));
    EXPECT_TRUE(primary->Said(kHandedOver, kStarts - 1));
    EXPECT_EQ(primary->output.count(kHandedOver), kStarts - 1);
}

TEST(SingleInstanceTest, OnlyWellFormedFramesReachTheRunningInstanceFromThisUser) {
    UserFolders user;
    EXPECT_EQ(SingleInstance(QString()).Claim(ID_TRAY_CONFIGURE), SingleInstance::Role::Unguarded);
    SingleInstance instance(user.Path("runtime"));
    ASSERT_EQ(instance.Claim(ID_TRAY_CONFIGURE), SingleInstance::Role::Primary);
    EXPECT_EQ(QFileInfo(instance.SocketPath()).permissions().toInt() & 0x77, 0) << "not private";
    QSignalSpy received(&instance, &SingleInstance::CommandReceived);

    QByteArray wrongVersion = InstanceMessage::Encode(ID_TRAY_CONFIGURE);
    wrongVersion[4] = 2;
    for (const QByteArray& frame :
         {QByteArray(16, 'x'), wrongVersion, InstanceMessage::Encode(ID_TRAY_CONFIGURE)}) {
        QLocalSocket socket;
        socket.connectToServer(instance.SocketPath());
        ASSERT_TRUE(socket.waitForConnected(2000));
        socket.write(frame);
        // A bad frame is hung up on without an answer; a good one is acknowledged.
        ASSERT_TRUE(WaitUntil([&] {
            return socket.bytesAvailable() > 0 || socket.state() != QLocalSocket::ConnectedState;
        }));
        const bool good = frame == InstanceMessage::Encode(ID_TRAY_CONFIGURE);
        EXPECT_EQ(socket.read(1), good ? QByteArray(1, InstanceMessage::kAcknowledge) : "");
    }
    ASSERT_TRUE(received.count() == 1 || received.wait(3000));
    EXPECT_EQ(received.count(), 1);
    EXPECT_EQ(received.at(0).at(0).toInt(), ID_TRAY_CONFIGURE);
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
    UserFolders user;
    const QString closed = user.Path("runtime"), open = user.Path("home");
    QFile::setPermissions(open, QFile::permissions(closed) | QFileDevice::ReadOther |
                                    QFileDevice::ExeOther);
    QFile::link(closed, user.Path("link"));
    EXPECT_TRUE(IsPrivateFolder(closed));
    EXPECT_FALSE(IsPrivateFolder(open));
    EXPECT_FALSE(IsPrivateFolder(user.Path("link")));
    EXPECT_FALSE(IsPrivateFolder(user.Path("missing")));

    const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR"), savedTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", user.Path("data").toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", closed.toLocal8Bit());
    EXPECT_EQ(PrivateRuntimeFolder(), closed);
    // A runtime folder others can enter is passed over for a private one in the temporary
    // folder, named after the user; a planted one that others can enter is never used.
    qputenv("XDG_RUNTIME_DIR", open.toLocal8Bit());
    const QString fallback = PrivateRuntimeFolder();
    EXPECT_TRUE(fallback.startsWith(user.Path("data/tintwatch-")));
    EXPECT_TRUE(IsPrivateFolder(fallback));
    QFile::setPermissions(fallback, QFile::permissions(open) | QFileDevice::WriteOther);
    EXPECT_EQ(PrivateRuntimeFolder(), QString());
    qputenv("XDG_RUNTIME_DIR", savedRuntime);
    qputenv("TMPDIR", savedTemp);
}
