// Tones with no sound server, and with a private PulseAudio on a null sink whose monitor the
// test records to check that the tone really played.
#include "platform/pulse/pulse_tone.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

namespace {

qint64 MillisecondsOf(const std::function<void()>& call) {
    QElapsedTimer clock;
    clock.start();
    call();
    return clock.elapsed();
}

// Points the tone at `runtimeDir` and nowhere else.
void UseRuntimeDir(const QString& runtimeDir) {
    unsetenv("PULSE_SERVER");
    setenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir).constData(), 1);
}

// Zero crossings per second of signed 16-bit mono samples above a noise floor.
double DominantFrequency(const QByteArray& raw, int sampleRate) {
    std::vector<std::int16_t> samples(static_cast<std::size_t>(raw.size()) / 2);
    if (!samples.empty())
        std::memcpy(samples.data(), raw.constData(), samples.size() * 2);
    std::size_t first = samples.size(), last = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (std::abs(samples[i]) > 1000) {
            first = std::min(first, i);
            last = i;
        }
    }
    if (first >= last)
        return 0;
    int crossings = 0;
    for (std::size_t i = first + 1; i <= last; ++i)
        crossings += (samples[i - 1] < 0) != (samples[i] < 0);
    return crossings / 2.0 / (static_cast<double>(last - first) / sampleRate);
}

class PrivatePulseServer : public ::testing::Test {
protected:
    void SetUp() override {
        const QString binary = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        if (binary.isEmpty())
            GTEST_SKIP() << "pulseaudio is not installed: apt-get install -y pulseaudio";
        ASSERT_TRUE(runtime.isValid());
        QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.remove(QStringLiteral("PULSE_SERVER"));
        server.setProcessEnvironment(env);
        server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        server.start(binary, {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                              QStringLiteral("--exit-idle-time=-1"),
                              QStringLiteral("--load=module-null-sink"),
                              QStringLiteral("--load=module-native-protocol-unix")});
        ASSERT_TRUE(server.waitForStarted(5000));
        const QString socket = runtime.path() + QStringLiteral("/pulse/native");
        QElapsedTimer clock;
        clock.start();
        while (!QFileInfo::exists(socket) && clock.elapsed() < 10000 &&
               server.state() == QProcess::Running)
            QThread::msleep(50);
        ASSERT_TRUE(QFileInfo::exists(socket)) << "pulseaudio made no socket";
        UseRuntimeDir(runtime.path());
        // A null sink idles with a 2 s block; a listener asking for 20 ms makes it play in
        // real time, as a sound card does. What it hears is checked by the tests.
        // To a file: a pipe nobody reads while a tone blocks would stall the recorder.
        recorder.setStandardOutputFile(runtime.filePath(QStringLiteral("heard.raw")));
        recorder.start(QStringLiteral("parec"),
                       {QStringLiteral("--device=null.monitor"), QStringLiteral("--format=s16le"),
                        QStringLiteral("--rate=48000"), QStringLiteral("--channels=1"),
                        QStringLiteral("--raw"), QStringLiteral("--latency-msec=20")});
        ASSERT_TRUE(recorder.waitForStarted(3000)) << "parec (pulseaudio-utils) is needed";
        // The sink's first block must pass before it renders at the listener's pace.
        QElapsedTimer warmUp;
        warmUp.start();
        while (Heard().isEmpty() && warmUp.elapsed() < 10000) {
        }
    }
    void TearDown() override {
        recorder.terminate();
        recorder.waitForFinished(3000);
        if (server.state() == QProcess::NotRunning)
            return;
        server.terminate();
        if (!server.waitForFinished(5000)) {
            server.kill();
            server.waitForFinished();
        }
    }

    // What has been played since the last call, as 16-bit mono samples at 48 kHz.
    QByteArray Heard() {
        QThread::msleep(200);
        QFile file(runtime.filePath(QStringLiteral("heard.raw")));
        if (!file.open(QIODevice::ReadOnly) || !file.seek(heardBytes))
            return {};
        QByteArray samples = file.readAll();
        samples.chop(samples.size() % 2);
        heardBytes += samples.size();
        return samples;
    }

    QTemporaryDir runtime{QDir::tempPath() + QStringLiteral("/twpa-XXXXXX")};
    QProcess server;
    QProcess recorder;
    qint64 heardBytes = 0;
    PulseTone tone;
};

} // namespace

TEST(PulseToneWithoutServer, ReturnsAtOnce) {
    QTemporaryDir empty;
    UseRuntimeDir(empty.path());
    PulseTone tone;
    EXPECT_LT(MillisecondsOf([&] { tone.Beep(440, 200, {}); }), 100);
    // An address given explicitly that nobody serves fails as quickly, spawning nothing.
    setenv("PULSE_SERVER", "unix:/nonexistent/tintwatch/native", 1);
    EXPECT_LT(MillisecondsOf([&] { tone.Beep(440, 200, {}); }), 500);
    unsetenv("PULSE_SERVER");
}

TEST_F(PrivatePulseServer, AToneLastsItsDurationAndSoundsItsFrequency) {
    const qint64 elapsed = MillisecondsOf([&] { tone.Beep(440, 300, {}); });
    EXPECT_GE(elapsed, 280);
    EXPECT_LE(elapsed, 800);
    EXPECT_NEAR(DominantFrequency(Heard(), 48000), 440.0, 15.0);

    tone.Beep(1000, 200, {});
    EXPECT_NEAR(DominantFrequency(Heard(), 48000), 1000.0, 30.0);
}

TEST_F(PrivatePulseServer, FrequencyOrDurationZeroReturnAtOnce) {
    EXPECT_LT(MillisecondsOf([&] { tone.Beep(0, 300, {}); }), 50);
    EXPECT_LT(MillisecondsOf([&] { tone.Beep(440, 0, {}); }), 50);
    EXPECT_EQ(DominantFrequency(Heard(), 48000), 0.0);
}

TEST_F(PrivatePulseServer, TonesFromSeveralThreadsOverlap) {
    const qint64 elapsed = MillisecondsOf([&] {
        std::vector<std::thread> threads;
        for (int i = 0; i < 3; ++i)
            threads.emplace_back(
                [&, i] { tone.Beep(static_cast<std::uint32_t>(500 + 100 * i), 300, {}); });
        for (auto& thread : threads)
            thread.join();
    });
    EXPECT_GE(elapsed, 280);
    EXPECT_LT(elapsed, 800); // one after another would take 900 ms
}

TEST_F(PrivatePulseServer, AStopCutsALongToneShortWithinAPiece) {
    std::stop_source stop;
    QElapsedTimer clock;
    clock.start();
    std::jthread worker([&] { tone.Beep(440, 5000, stop.get_token()); });
    QThread::msleep(300);
    const qint64 asked = clock.elapsed();
    stop.request_stop();
    worker.join();
    EXPECT_LT(clock.elapsed() - asked, 100);
}
