// The list view at scale: building 1,000 rows at start-up (with the first paint), what one
// detection costs the window, and what each of 1,000 ticks due together costs, screen read
// included.
#include "bench_window.h"
#include "platform/x11/xcb_screen.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <numeric>

namespace {

constexpr int kEvents = 1000;

bool HaveWidgets(benchmark::State& state) {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        return true;
    state.SkipWithError("the view needs a QApplication");
    return false;
}

QPoint Diagonal(int i) {
    return QPoint(i, 2 * i);
}

void BM_ViewInitialUpdate1000(benchmark::State& state) {
    if (!HaveWidgets(state))
        return;
    TicksHandler ticks;
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<BenchWindow>(WatchedEvents(kEvents, 10, Diagonal),
                                                    ManualTimers(ticks));
        window->frame.show();
        state.ResumeTiming();
        window->view->OnInitialUpdate();
        QCoreApplication::processEvents(); // layout and first paint
        state.PauseTiming();
        if (window->view->rowCount() != kEvents)
            state.SkipWithError("rows missing");
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ViewInitialUpdate1000)->Unit(benchmark::kMillisecond);

// A change that stays: every tick of a row is a detection. The row's refresh and scroll, the
// save request, and the saves of 1,000 events that the requests bring, spread over them.
void BM_ViewDetection(benchmark::State& state) {
    if (!HaveWidgets(state))
        return;
    TicksHandler ticks;
    BenchWindow window(WatchedEvents(kEvents, 10, Diagonal), ManualTimers(ticks));
    window.frame.show();
    window.view->OnInitialUpdate();
    QCoreApplication::processEvents();
    window.platform.screen.background = RGB(9, 9, 9); // every event sees a change
    std::uintptr_t id = 0;
    for (auto _ : state) {
        // Rows far apart, so each detection scrolls its row into view.
        id = (id + 397) % kEvents + 1;
        ticks({&id, 1});
        QCoreApplication::processEvents(); // the saves as they come due
    }
    if (!window.platform.messageBox.shown.empty())
        state.SkipWithError("the save failed");
}
BENCHMARK(BM_ViewDetection)->Unit(benchmark::kMicrosecond);

// 1,000 ticks handed over together, points spread over the whole screen, nothing changed:
// one read of the real screen for all, then each row's step. Timed per tick.
void BM_ViewTicks1000DueTogether(benchmark::State& state) {
    if (!HaveWidgets(state))
        return;
    XcbScreen screen;
    const QSize size = screen.VirtualScreenSize();
    const auto spread = [size](int i) {
        return QPoint(i * 613 % size.width(), i * 347 % size.height());
    };
    std::vector<CEventInfo> events = WatchedEvents(kEvents, 10, spread);
    for (CEventInfo& event : events)
        event.m_clrMatch = screen.GetPixel(event.m_ptLocation.x(), event.m_ptLocation.y());
    TicksHandler ticks;
    BenchWindow window(std::move(events), ManualTimers(ticks), &screen);
    window.view->OnInitialUpdate();
    std::vector<std::uintptr_t> ids(kEvents);
    std::iota(ids.begin(), ids.end(), std::uintptr_t{1});
    for (auto _ : state)
        ticks(ids);
    state.counters["items"] = kEvents;
    state.counters["target_ratio"] = 0.25;
    for (int row = 0; row < kEvents; ++row)
        if (window.view->GetItemData(row)->m_nDetectCount != 0) {
            state.SkipWithError("the screen changed during the run; not a quiet tick");
            break;
        }
}
BENCHMARK(BM_ViewTicks1000DueTogether)->Unit(benchmark::kMicrosecond);

} // namespace
