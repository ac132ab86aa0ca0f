// Many points on the real timers and screen: processor time per tick, ticks delivered and how
// late, and how soon a change is acted on under that load.
#include "bench_window.h"
#include "platform/qt/desktop_launcher.h"
#include "platform/qt/qt_timer_host.h"
#include "platform/x11/qt_xcb_connection.h"
#include "platform/x11/xcb_reply.h"
#include "platform/x11/xcb_screen.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

void RunEventLoop(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// Points spread over the top `height` rows of the screen, none next to another.
std::function<QPoint(int)> Spread(QSize size, int height) {
    return [size, height](int i) {
        return QPoint(i * 613 % size.width(), i * 347 % std::min(height, size.height()));
    };
}

// `count` events at `pointOf(i)` that match what the screen shows there now.
std::vector<CEventInfo> QuietEvents(IScreen& screen, int count, int intervalMs,
                                    const std::function<QPoint(int)>& pointOf) {
    std::vector<CEventInfo> events = WatchedEvents(count, intervalMs, pointOf);
    for (CEventInfo& event : events)
        event.m_clrMatch = screen.GetPixel(event.m_ptLocation.x(), event.m_ptLocation.y());
    return events;
}

// Real timers that note when each id's tick arrives before the view runs it.
struct TimedTicks {
    explicit TimedTicks(std::size_t ids) : lastNs(ids + 1, -1) { clock.start(); }
    TimerHostFactory Factory(int intervalMs) {
        return [this, intervalMs](TicksHandler onTicks) {
            return std::make_unique<QtTimerHost>([this, intervalMs,
                                                  onTicks](std::span<const std::uintptr_t> ids) {
                const qint64 now = clock.nsecsElapsed();
                for (const std::uintptr_t id : ids) {
                    if (counting && lastNs[id] >= 0)
                        lateMs.push_back(static_cast<double>(now - lastNs[id]) * 1e-6 - intervalMs);
                    lastNs[id] = now;
                    ticks += counting ? 1 : 0;
                }
                onTicks(ids);
            });
        };
    }
    double LatenessP99() {
        std::sort(lateMs.begin(), lateMs.end());
        return lateMs.empty() ? 0 : lateMs[lateMs.size() * 99 / 100];
    }

    QElapsedTimer clock;
    std::vector<qint64> lastNs;
    std::vector<double> lateMs;
    long long ticks = 0;
    bool counting = false;
};

// range(0) events at range(1) ms, on the whole screen, nothing changing: no tick detects.
void BM_WatchPoints(benchmark::State& state) {
    const auto points = static_cast<int>(state.range(0));
    const auto intervalMs = static_cast<int>(state.range(1));
    const int runMs = std::max(2000, 30 * intervalMs);
    XcbScreen screen;
    TimedTicks timed(static_cast<std::size_t>(points));
    ViewWindow window(&screen);
    window.Open(
        QuietEvents(screen, points, intervalMs, Spread(screen.VirtualScreenSize(), 1 << 15)),
        timed.Factory(intervalMs), kWindowSize);
    window.view->OnInitialUpdate();
    // The timers find their pace: Qt moves coarse ones by up to 5 % a period until they meet.
    RunEventLoop(std::max(200, 20 * intervalMs));
    for (auto _ : state) {
        timed.counting = true;
        const double cpuBefore = ProcessorSeconds();
        RunEventLoop(runMs);
        const double cpu = ProcessorSeconds() - cpuBefore;
        timed.counting = false;
        const double due = points * static_cast<double>(runMs) / intervalMs;
        // Compared with the round trip: processor time per tick.
        state.SetIterationTime(timed.ticks > 0 ? cpu / static_cast<double>(timed.ticks) : 0);
        state.counters["cpu_percent"] = 100.0 * cpu / (runMs / 1000.0);
        state.counters["delivered_percent"] = 100.0 * static_cast<double>(timed.ticks) / due;
        state.counters["late_p99_ms"] = timed.LatenessP99();
    }
    state.counters["target_ratio"] = 0.25;
    for (int row = 0; row < points; ++row)
        if (window.view->GetItemData(row)->m_nDetectCount != 0) {
            state.SkipWithError("the screen changed during the run; not quiet ticks");
            break;
        }
}
BENCHMARK(BM_WatchPoints)
    ->Args({1000, 10})
    ->Args({10000, 100})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

// 100 points at 10 ms while a program is started 20 times a second for 10 s: the starts run
// off the UI thread, so the ticks keep their time.
void BM_TicksBesideLaunches(benchmark::State& state) {
    XcbScreen screen;
    TimedTicks timed(100);
    ViewWindow window(&screen);
    window.Open(QuietEvents(screen, 100, 10, Spread(screen.VirtualScreenSize(), 1 << 15)),
                timed.Factory(10), kWindowSize);
    window.view->OnInitialUpdate();
    RunEventLoop(200);
    int started = 0;
    DesktopLauncher launcher;
    QTimer launches;
    QObject::connect(&launches, &QTimer::timeout, [&] {
        launcher.ShellExecute("open", "/bin/true", [&](const QString& failure) {
            started += failure.isEmpty() ? 1 : 0;
        });
    });
    for (auto _ : state) {
        timed.counting = true;
        launches.start(50);
        RunEventLoop(10000);
        launches.stop();
        timed.counting = false;
        RunEventLoop(200); // the last starts report
        state.SetIterationTime(timed.LatenessP99() * 1e-3);
        state.counters["late_p99_ms"] = timed.LatenessP99();
        state.counters["started"] = started;
    }
    state.counters["target_late_p99_ms"] = 5;
}
BENCHMARK(BM_TicksBesideLaunches)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// A 16 x 16 window of ours, its colour switched by the server at once.
class Patch {
public:
    Patch(xcb_connection_t* connection, QPoint at)
        : m_pConnection(connection),
          m_screen(xcb_setup_roots_iterator(xcb_get_setup(connection)).data),
          m_window(xcb_generate_id(connection)) {
        const std::uint32_t values[] = {m_screen->white_pixel, 1};
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, m_window, m_screen->root,
                          static_cast<std::int16_t>(at.x()), static_cast<std::int16_t>(at.y()), 16,
                          16, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, m_screen->root_visual,
                          XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
        xcb_map_window(connection, m_window);
        Show(true);
    }
    ~Patch() {
        xcb_destroy_window(m_pConnection, m_window);
        xcb_flush(m_pConnection);
    }
    // Returns once the server has painted it.
    void Show(bool white) {
        const std::uint32_t pixel = white ? m_screen->white_pixel : m_screen->black_pixel;
        xcb_change_window_attributes(m_pConnection, m_window, XCB_CW_BACK_PIXEL, &pixel);
        xcb_clear_area(m_pConnection, 0, m_window, 0, 0, 0, 0);
        const XcbReply<xcb_get_input_focus_reply_t> sync(
            xcb_get_input_focus_reply(m_pConnection, xcb_get_input_focus(m_pConnection), nullptr));
    }

private:
    xcb_connection_t* m_pConnection;
    const xcb_screen_t* m_screen;
    xcb_window_t m_window;
};

// A point turns from white to black; how long until its event launches its file, with
// range(0) other events at 10 ms spread over the rest of the screen. Mean of 40 changes.
void BM_ChangeToLaunch(benchmark::State& state) {
    constexpr int kChanges = 40;
    const auto load = static_cast<int>(state.range(0));
    XcbScreen screen;
    const QSize size = screen.VirtualScreenSize();
    const QPoint at(size.width() / 2, size.height() - 40);
    Patch patch(QtXcbConnection(), at);
    const auto spread = Spread(size, size.height() - 80);
    std::vector<CEventInfo> events = QuietEvents(
        screen, load + 1, 10, [&](int i) { return i < load ? spread(i) : at + QPoint(8, 8); });
    events.back().m_bExecute = 1; // the patch's, the only one that launches
    TimedTicks timed(events.size());
    ViewWindow window(&screen);
    window.Open(std::move(events), timed.Factory(10), kWindowSize);
    std::function<void()>& onLaunch = window.platform.launcher.onShellExecute;
    window.view->OnInitialUpdate();
    RunEventLoop(200);

    QElapsedTimer clock;
    for (auto _ : state) {
        double sumMs = 0;
        for (int change = 0; change < kChanges; ++change) {
            patch.Show(true);
            onLaunch = nullptr;
            RunEventLoop(25 + change % 7); // the change lands anywhere in a tick's interval
            QEventLoop loop;
            qint64 launchedNs = -1;
            onLaunch = [&] {
                if (launchedNs < 0)
                    launchedNs = clock.nsecsElapsed();
                loop.quit();
            };
            patch.Show(false);
            clock.start();
            QTimer::singleShot(1000, &loop, &QEventLoop::quit);
            loop.exec();
            if (launchedNs < 0) {
                state.SkipWithError("a change was never acted on");
                break;
            }
            sumMs += static_cast<double>(launchedNs) * 1e-6;
        }
        onLaunch = nullptr;
        patch.Show(true);
        state.SetIterationTime(sumMs / kChanges * 1e-3);
    }
}
BENCHMARK(BM_ChangeToLaunch)
    ->Arg(0)
    ->Arg(1000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
