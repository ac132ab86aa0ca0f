// The list view as the program runs it, for the benchmarks: fake services except for the
// screen and the timers each benchmark chooses, and the events it watches.
#pragma once

#include "fakes/view_window.h"

#include <ctime>

// `count` events in the change mode, never reaching their maximum, each at `pointOf(i)`.
inline std::vector<CEventInfo> WatchedEvents(int count, int intervalMs,
                                             const std::function<QPoint(int)>& pointOf) {
    std::vector<CEventInfo> events;
    for (int i = 0; i < count; ++i) {
        CEventInfo event;
        event.m_ptLocation = pointOf(i);
        event.m_clrMatch = RGB(i, 255 - i, i / 4);
        event.m_nMaxCount = 1 << 30;
        event.m_nInterval = intervalMs;
        event.m_bAudioAlert = 0;
        event.m_bExecute = 0;
        event.m_bOnlySpecificColor = 0;
        event.m_sFilePath = QStringLiteral("/home/user/Documents/alert %1.ogg").arg(i);
        event.m_sComment = QStringLiteral("watch the status light of build machine %1").arg(i);
        events.push_back(event);
    }
    return events;
}

// The window's size in every benchmark.
constexpr QSize kWindowSize(1000, 600);

// A timer host whose ticks the benchmark fires itself, ids handed over as they came due.
inline TimerHostFactory ManualTimers(TicksHandler& ticks) {
    return [&ticks](TicksHandler onTicks) {
        ticks = std::move(onTicks);
        return std::make_unique<FakeTimerHost>();
    };
}

// Processor time this process has used.
inline double ProcessorSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}
