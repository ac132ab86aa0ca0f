// The Wayland screen: one pixel from the newest frame, and the stream's processor cost while the
// screen changes and while it is still (needs scripts/wayland-session.sh's desktop).
#include "bench_window.h"
#include "fakes/fake_platform.h"
#include "platform/wayland/frame_store.h"
#include "platform/wayland/open_portal_screen.h"
#include "support/pattern_frame.h"
#include "support/waiting.h"

#include <QProcess>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 720;
constexpr int kRunMs = 3000;

void BM_WaylandFramePixelRead(benchmark::State& state) {
    FrameStore store;
    store.SetOutputs({QRect(0, 0, kWidth, kHeight)});
    store.Publish(0, PatternFrame(QSize(kWidth, kHeight), 0));
    int x = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.PixelAt(x, 400));
        x = (x + 97) % kWidth; // a different cache line each time, as separate points are
    }
    state.counters["target_ratio"] = 0.05;
}
BENCHMARK(BM_WaylandFramePixelRead)->Unit(benchmark::kMicrosecond);

// Arg: how many times a second the watched window changes colour (0: a still screen).
void BM_WaylandStreamOpen(benchmark::State& state) {
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        state.SkipWithError("needs the desktop of scripts/wayland-session.sh");
        return;
    }
    QProcess window;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
    window.setProcessEnvironment(environment);
    window.start(QStringLiteral(COLOUR_WINDOW),
                 {"0", "0", QString::number(kWidth), QString::number(kHeight), "#000000"});
    FakeProfile profile;
    const std::unique_ptr<PortalScreen> portal = OpenPortalScreen(profile);
    PortalScreen& screen = *portal;
    if (!WaitUntil([&] { return screen.CanBeRead(); }, 15000)) {
        state.SkipWithError("the screen was not shared");
        return;
    }
    const auto changesPerSecond = static_cast<int>(state.range(0));
    for (auto _ : state) {
        // The window flips between two colours; each tick also samples what the stream shows.
        int flips = 0, seen = 0;
        COLORREF last = screen.GetPixel(100, 100);
        QTimer ticks;
        QObject::connect(&ticks, &QTimer::timeout, [&] {
            if (changesPerSecond > 0)
                window.write(++flips % 2 ? "#ffffff\n" : "#000000\n");
            const COLORREF now = screen.GetPixel(100, 100);
            seen += now != last ? 1 : 0;
            last = now;
        });
        ticks.start(changesPerSecond > 0 ? 1000 / changesPerSecond : 1000 / 60);
        const double before = ProcessorSeconds();
        Settle(kRunMs);
        const double used = ProcessorSeconds() - before;
        ticks.stop();
        state.SetIterationTime(used / (kRunMs / 1000.0 * 60));
        state.counters["cpu_percent"] = 100.0 * used / (kRunMs / 1000.0);
        state.counters["changes_seen_per_s"] = seen / (kRunMs / 1000.0);
    }
    window.closeWriteChannel();
    window.waitForFinished(3000);
}
// Reported as processor time per sixtieth of a second; the percentage is the figure to read.
BENCHMARK(BM_WaylandStreamOpen)
    ->Arg(60)
    ->Arg(0)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

} // namespace
