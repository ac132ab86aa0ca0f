// What reading pixels costs: the bare X round trip (the yardstick), one pixel through the
// screen service, and the three ways of reading many at once that the screen chooses between.
#include "platform/x11/qt_xcb_connection.h"
#include "platform/x11/xcb_reply.h"
#include "platform/x11/xcb_screen.h"
#include "platform/x11/xcb_shm_area.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int kX = 10;
constexpr int kY = 10;

xcb_window_t Root(xcb_connection_t* connection) {
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

void BM_RawXcbGetImage(benchmark::State& state) {
    xcb_connection_t* connection = QtXcbConnection();
    if (!connection) {
        state.SkipWithError("no X connection");
        return;
    }
    const xcb_window_t root = Root(connection);
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

// The figures the screen's choice rests on, each per item of 1,000: 1x1 requests all sent
// before the first reply is awaited (per request), and a 1000 x 1000 box read through shared
// memory and through the socket (per 1,000 pixels).
enum Strategy { kPipelined, kShmBox, kSocketBox };

void BM_ReadStrategy(benchmark::State& state) {
    constexpr int kItems = 1000;
    xcb_connection_t* connection = QtXcbConnection();
    const xcb_window_t root = Root(connection);
    XcbShmArea shm(connection);
    std::vector<xcb_get_image_cookie_t> cookies(kItems);
    for (auto _ : state) {
        switch (state.range(0)) {
        case kPipelined:
            for (int i = 0; i < kItems; ++i)
                cookies[i] = xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, root,
                                           static_cast<std::int16_t>(i),
                                           static_cast<std::int16_t>(i), 1, 1, ~0u);
            for (const auto cookie : cookies)
                XcbReply<xcb_get_image_reply_t>(xcb_get_image_reply(connection, cookie, nullptr));
            break;
        case kShmBox:
            if (!shm.Read(root, QRect(0, 0, kItems, kItems)))
                state.SkipWithError("no shared memory with this server");
            break;
        case kSocketBox:
            XcbReply<xcb_get_image_reply_t>(
                xcb_get_image_reply(connection,
                                    xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, root, 0, 0,
                                                  kItems, kItems, ~0u),
                                    nullptr));
            break;
        }
    }
    state.counters["items"] = kItems;
}
BENCHMARK(BM_ReadStrategy)
    ->ArgName("pipelined_shm_socket")
    ->DenseRange(kPipelined, kSocketBox)
    ->Unit(benchmark::kMicrosecond);

} // namespace
