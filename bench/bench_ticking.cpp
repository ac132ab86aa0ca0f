// Many watched points at the shortest interval, on the real timers and the real screen: how much
// processor time one delivered tick costs and how late the ticks come. The detection step runs as
// the list view runs it; nothing on the screen changes, so no tick is a detection.
#include "engine/detection.h"
#include "engine/tone_workers.h"
#include "fakes/fake_event_list.h"
#include "fakes/fake_platform.h"
#include "platform/qt/qt_timer_host.h"
#include "platform/x11/xcb_screen.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <ctime>
#include <vector>

namespace {

constexpr int kIntervalMs = 10;
constexpr int kRunMs = 2000;

double ProcessCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void BM_Watch10msPoints(benchmark::State& state) {
    const auto points = static_cast<int>(state.range(0));
    XcbScreen screen;
    FakeEventList list;
    for (int i = 0; i < points; ++i) {
        CEventInfo event;
        event.m_bOnlySpecificColor = 0;
        event.m_ptLocation = QPoint(5 + i % 100, 5 + i / 100);
        event.m_clrMatch = screen.GetPixel(event.m_ptLocation.x(), event.m_ptLocation.y());
        event.m_nInterval = kIntervalMs;
        list.Add(event);
    }
    FakeTone tone;
    ToneWorkers tones(tone);
    FakeLauncher launcher;
    DetectionServices services{screen, tones, launcher};

    QElapsedTimer clock;
    std::vector<qint64> lastTickNs(static_cast<std::size_t>(points) + 1, -1);
    double lateMsSum = 0;
    long long ticks = 0, intervals = 0;
    std::unique_ptr<QtTimerHost> timers;
    timers = std::make_unique<QtTimerHost>([&](std::uintptr_t id) {
        const qint64 now = clock.nsecsElapsed();
        if (lastTickNs[id] >= 0) {
            lateMsSum += static_cast<double>(now - lastTickNs[id]) * 1e-6 - kIntervalMs;
            ++intervals;
        }
        lastTickNs[id] = now;
        ++ticks;
        RunDetectionStep(id, list, *timers, services);
    });

    for (auto _ : state) {
        clock.start();
        for (int row = 0; row < points; ++row)
            UpdateEventRow(row, list, *timers);
        const double cpuBefore = ProcessCpuSeconds();
        QEventLoop loop;
        QTimer::singleShot(kRunMs, &loop, &QEventLoop::quit);
        loop.exec();
        const double cpu = ProcessCpuSeconds() - cpuBefore;
        for (std::uintptr_t id = 1; id <= static_cast<std::uintptr_t>(points); ++id)
            timers->KillTimer(id);
        // The figure compared with the pixel round trip: processor time per delivered tick.
        state.SetIterationTime(ticks > 0 ? cpu / static_cast<double>(ticks) : 0);
        state.counters["cpu_percent"] = 100.0 * cpu / (kRunMs / 1000.0);
        state.counters["ticks_per_s"] = static_cast<double>(ticks) / (kRunMs / 1000.0);
        state.counters["due_per_s"] = points * 1000.0 / kIntervalMs;
        state.counters["late_ms"] = intervals > 0 ? lateMsSum / static_cast<double>(intervals) : 0;
    }
}
BENCHMARK(BM_Watch10msPoints)
    ->Arg(10)
    ->Arg(50)
    ->Arg(100)
    ->Arg(300)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

} // namespace
