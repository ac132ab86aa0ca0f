// The list view at scale: building 1,000 rows at start-up (with the first paint) and what one
// detection costs the window.
#include "bench_window.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

constexpr int kEvents = 1000;

QPoint Diagonal(int i) {
    return QPoint(i, 2 * i);
}

void BM_ViewInitialUpdate1000(benchmark::State& state) {
    TicksHandler ticks;
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<ViewWindow>();
        window->Open(WatchedEvents(kEvents, 10, Diagonal), ManualTimers(ticks), kWindowSize);
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
    TicksHandler ticks;
    ViewWindow window;
    window.Open(WatchedEvents(kEvents, 10, Diagonal), ManualTimers(ticks), kWindowSize);
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

} // namespace
