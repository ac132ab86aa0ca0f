// The cost of one save and one load of a list of 1,000 events, the whole file each time, as
// every detection and every change pays it.
#include "bench_window.h"
#include "fakes/fake_event_list.h"
#include "fakes/fake_platform.h"
#include "model/data_file_path.h"
#include "model/tintwatch_doc.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kEvents = 1000;

void FillRows(FakeEventList& rows) {
    for (const CEventInfo& event :
         WatchedEvents(kEvents, 10, [](int i) { return QPoint(i, 2 * i); }))
        rows.Add(event);
}

void BM_DocumentSave1000(benchmark::State& state) {
    FakePlatform platform;
    FakeEventList rows;
    FillRows(rows);
    CTintwatchDoc doc(platform.screen, platform.messageBox);
    doc.SetView(&rows);
    for (auto _ : state)
        doc.OnFileSave();
    if (!platform.messageBox.shown.empty())
        state.SkipWithError("the save failed");
}
BENCHMARK(BM_DocumentSave1000)->Unit(benchmark::kMillisecond);

void BM_DocumentLoad1000(benchmark::State& state) {
    FakePlatform platform;
    FakeEventList rows;
    FillRows(rows);
    CTintwatchDoc saved(platform.screen, platform.messageBox);
    saved.SetView(&rows);
    QString path;
    GetDataFilePath(path);
    if (!saved.OnSaveDocument(path)) {
        state.SkipWithError("the save failed");
        return;
    }
    for (auto _ : state) {
        CTintwatchDoc doc(platform.screen, platform.messageBox);
        if (doc.OnOpenDocument(path) != CTintwatchDoc::OpenResult::Complete ||
            doc.m_arrEvents.size() != kEvents) {
            state.SkipWithError("the file did not load whole");
            break;
        }
        benchmark::DoNotOptimize(doc.m_arrEvents.data());
    }
}
BENCHMARK(BM_DocumentLoad1000)->Unit(benchmark::kMillisecond);

} // namespace
