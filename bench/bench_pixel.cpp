// What one pixel read costs: the bare X round trip, the same through XcbScreen, and a whole
// detection tick that finds nothing (the common case, run by every watched point).
#include "engine/detection.h"
#include "engine/tone_workers.h"
#include "fakes/fake_event_list.h"
#include "fakes/fake_platform.h"
#include "platform/x11/qt_xcb_connection.h"
#include "platform/x11/xcb_reply.h"
#include "platform/x11/xcb_screen.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kX = 10;
constexpr int kY = 10;

void BM_RawXcbGetImage(benchmark::State& state) {
    xcb_connection_t* connection = QtXcbConnection();
    if (!connection) {
        state.SkipWithError("no X connection");
        return;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    for (auto _ : state) {
        xcb_generic_error_t* error = nullptr;
        const XcbReply<xcb_get_image_reply_t> reply(xcb_get_image_reply(
            connection,
            xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, root, kX, kY, 1, 1, ~0u), &error));
        const XcbReply<xcb_generic_error_t> ownedError(error);
        benchmark::DoNotOptimize(reply.get());
    }
}
BENCHMARK(BM_RawXcbGetImage)->Unit(benchmark::kMicrosecond);

void BM_ScreenGetPixel(benchmark::State& state) {
    XcbScreen screen;
    for (auto _ : state)
        benchmark::DoNotOptimize(screen.GetPixel(kX, kY));
    state.counters["target_ratio"] = 1.2;
}
BENCHMARK(BM_ScreenGetPixel)->Unit(benchmark::kMicrosecond);

void BM_DetectionTickNoDetection(benchmark::State& state) {
    XcbScreen screen;
    CEventInfo event;
    event.m_bOnlySpecificColor = 0; // change mode: the unchanged pixel is no detection
    event.m_ptLocation = QPoint(kX, kY);
    event.m_clrMatch = screen.GetPixel(kX, kY);
    event.m_nMaxCount = 1 << 30;
    FakeEventList list;
    list.Add(event);
    FakeTimerHost timers;
    FakeTone tone;
    ToneWorkers tones(tone);
    FakeLauncher launcher;
    DetectionServices services{screen, tones, launcher};
    for (auto _ : state)
        benchmark::DoNotOptimize(RunDetectionStep(1, list, timers, services));
    if (list.GetItemData(0)->m_nDetectCount != 0)
        state.SkipWithError("the pixel changed during the run; the figure is not a quiet tick");
    state.counters["target_ratio"] = 1.3;
}
BENCHMARK(BM_DetectionTickNoDetection)->Unit(benchmark::kMicrosecond);

} // namespace
