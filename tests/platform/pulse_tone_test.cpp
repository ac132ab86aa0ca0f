// Tones with no sound server, with one that never answers, and with a private PulseAudio on a null
// sink whose monitor the test records to check that the tone really played, at its frequency and
// for its length.
#include "engine/tone_workers.h"
#include "platform/pulse/pulse_tone.h"
#include "support/processes.h"
#include "support/waiting.h"

#include <QLocalServer>
#include <gtest/gtest.h>

#include <thread>

namespace {

qint64 MillisecondsOf(PulseTone& tone, std::uint32_t hz, std::uint32_t ms) {
    QElapsedTimer clock;
    clock.start();
    tone.Beep(hz, ms, {});
    return clock.elapsed();
}

class PrivatePulseServer : public ::testing::Test {
protected:
    void SetUp() override {
        qunsetenv("PULSE_SERVER");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(user.Path("runtime")));
        server.setProcessEnvironment(user.Environment());
        server.start("pulseaudio",
                     {"-n", "--daemonize=no", "--exit-idle-time=-1", "--load=module-null-sink",
                      "--load=module-native-protocol-unix"});
        ASSERT_TRUE(
            WaitUntil([&] { return QFileInfo::exists(user.Path("runtime/pulse/native")); }, 10000))
            << "pulseaudio made no socket";
        // A listener asking for 20 ms makes the null sink play in real time, as a sound card
        // does; to a file, since a pipe nobody reads while a tone blocks would stall it.
        recorder.setStandardOutputFile(user.Path("heard.raw"));
        recorder.start("parec", {"--device=null.monitor", "--format=s16le", "--rate=48000",
                                 "--channels=1", "--raw", "--latency-msec=20"});
        ASSERT_TRUE(recorder.waitForStarted(3000)) << "parec (pulseaudio-utils) is needed";
        // The sink's first block must pass before it renders at the listener's pace.
        ASSERT_TRUE(WaitUntil([&] { return !Heard().empty(); }, 10000));
    }
    void TearDown() override {
        for (QProcess* process : {&recorder, &server}) {
            process->terminate();
            process->waitForFinished();
        }
    }
    // What has been played since the last call, as 16-bit mono samples at 48 kHz.
    std::vector<std::int16_t> Heard() {
        QThread::msleep(200);
        const QByteArray bytes = ReadFile(user.Path("heard.raw")).mid(heardBytes);
        std::vector<std::int16_t> samples(static_cast<std::size_t>(bytes.size() / 2));
        std::memcpy(samples.data(), bytes.constData(), samples.size() * 2);
        heardBytes += static_cast<qint64>(samples.size() * 2);
        return samples;
    }

    UserFolders user;
    QProcess server, recorder;
    qint64 heardBytes = 0;
    PulseTone tone;
};

// The frequency (median spacing of rising zero crossings, so that a dropout does not read as a
// lower tone) and length of the span above a noise floor.
std::pair<double, double> HzAndMsOf(const std::vector<std::int16_t>& samples) {
    std::size_t first = samples.size(), last = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (std::abs(samples[i]) > 1000) {
            first = std::min(first, i);
            last = i;
        }
    }
    if (first >= last)
        return {0, 0};
    std::vector<std::size_t> rises, periods;
    for (std::size_t i = first + 1; i <= last; ++i)
        if (samples[i - 1] < 0 && samples[i] >= 0)
            rises.push_back(i);
    for (std::size_t i = 1; i < rises.size(); ++i)
        periods.push_back(rises[i] - rises[i - 1]);
    if (periods.empty())
        return {0, 0};
    std::nth_element(periods.begin(), periods.begin() + periods.size() / 2, periods.end());
    const double seconds = static_cast<double>(last - first) / 48000.0;
    return {48000.0 / static_cast<double>(periods[periods.size() / 2]), seconds * 1000.0};
}

} // namespace

TEST_F(PrivatePulseServer, AToneSoundsItsFrequencyForItsDurationAndAStopCutsItShort) {
    for (const auto& [hz, ms] : {std::pair{440u, 300u}, std::pair{1000u, 200u}}) {
        const qint64 elapsed = MillisecondsOf(tone, hz, ms);
        EXPECT_GE(elapsed, ms - 20);
        EXPECT_LE(elapsed, ms + 500);
        const auto [heardHz, heardMs] = HzAndMsOf(Heard());
        EXPECT_NEAR(heardHz, hz, hz * 0.03);
        EXPECT_NEAR(heardMs, ms, 30.0);
    }
    // Nothing at all for a zero frequency or length.
    EXPECT_LT(MillisecondsOf(tone, 0, 300), 50);
    EXPECT_LT(MillisecondsOf(tone, 440, 0), 50);
    // A stop cuts a long tone short within a piece.
    std::stop_source stop;
    QElapsedTimer clock;
    clock.start();
    std::jthread worker([&] { tone.Beep(440, 5000, stop.get_token()); });
    QThread::msleep(300);
    const qint64 asked = clock.elapsed();
    stop.request_stop();
    worker.join();
    EXPECT_LT(clock.elapsed() - asked, 100);
    // Nothing where no sound server is to be found.
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(user.Path("home")));
    EXPECT_LT(MillisecondsOf(tone, 440, 200), 100);
}

TEST(HungSoundServer, ClosingNeverWaitsForTonesAndEachGivesUpOnItsOwn) {
    UserFolders user;
    QLocalServer hung; // takes connections and never says a word
    ASSERT_TRUE(hung.listen(user.Path("native")));
    qputenv("PULSE_SERVER", "unix:" + QFile::encodeName(hung.fullServerName()));
    const auto threads = [] { return QDir("/proc/self/task").count(); };
    const qsizetype before = threads();
    QElapsedTimer clock;
    {
        ToneWorkers tones(std::make_shared<PulseTone>());
        for (int i = 0; i < ToneWorkers::kMaxSounding; ++i)
            EXPECT_TRUE(tones.Start(440, 300));
        Settle(100);
        clock.start();
    }
    EXPECT_LT(clock.elapsed(), 50) << "closing waited for the tones";
    EXPECT_TRUE(WaitUntil([&] { return threads() == before; }, 500)) << "a stop went unheard";
    PulseTone tone;
    EXPECT_NEAR(static_cast<double>(MillisecondsOf(tone, 440, 300)), 2000.0, 300.0);
    qunsetenv("PULSE_SERVER");
}
