// The list of 1,000 events: one save and one load of the whole file, as every detection and
// every change pays it; building the rows at start-up (with the first paint); and what one
// detection costs the window.
#include "bench_window.h"
#include "model/data_file_path.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

constexpr int kEvents = 1000;

// The window over the events on timers fired by hand, shown; the rows are the caller's to build.
std::unique_ptr<ViewWindow> OpenWindow(TicksHandler& ticks) {
    auto window = std::make_unique<ViewWindow>();
    window->Open(WatchedEvents(kEvents, 10, [](int i) { return QPoint(i, 2 * i); }),
                 ManualTimers(ticks), kWindowSize);
    window->frame.show();
    return window;
}

void BM_DocumentSave1000(benchmark::State& state) {
    TicksHandler ticks;
    const auto window = OpenWindow(ticks);
    window->view->OnInitialUpdate();
    for (auto _ : state)
        window->doc.OnFileSave();
    if (!window->platform.messageBox.shown.empty())
        state.SkipWithError("the save failed");
}
BENCHMARK(BM_DocumentSave1000)->Unit(benchmark::kMillisecond);

void BM_DocumentLoad1000(benchmark::State& state) {
    TicksHandler ticks;
    const auto window = OpenWindow(ticks);
    window->view->OnInitialUpdate();
    QString path;
    GetDataFilePath(path);
    if (!window->doc.OnSaveDocument(path))
        state.SkipWithError("the save failed");
    for (auto _ : state) {
        CTintwatchDoc doc(window->services.screen, window->services.messageBox);
        if (doc.OnOpenDocument(path) != CTintwatchDoc::OpenResult::Complete ||
            doc.m_arrEvents.size() != kEvents) {
            state.SkipWithError("the file did not load whole");
            break;
        }
    }
}
BENCHMARK(BM_DocumentLoad1000)->Unit(benchmark::kMillisecond);

void BM_ViewInitialUpdate1000(benchmark::State& state) {
    TicksHandler ticks;
    for (auto _ : state) {
        state.PauseTiming();
        auto window = OpenWindow(ticks);
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
    const auto window = OpenWindow(ticks);
    window->view->OnInitialUpdate();
    QCoreApplication::processEvents();
    window->platform.screen.background = RGB(9, 9, 9); // every event sees a change
    std::uintptr_t id = 0;
    for (auto _ : state) {
        // Rows far apart, so each detection scrolls its row into view.
        id = (id + 397) % kEvents + 1;
        ticks({&id, 1});
        QCoreApplication::processEvents(); // the saves as they come due
    }
    if (!window->platform.messageBox.shown.empty())
        state.SkipWithError("the save failed");
}
BENCHMARK(BM_ViewDetection)->Unit(benchmark::kMicrosecond);

} // namespace
