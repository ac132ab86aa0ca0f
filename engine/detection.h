// The detection step that every row's timer runs, and the row refresh that shows a record
// and starts or stops its timer.
#pragma once

#include "platform/launcher.h"
#include "platform/types.h"

#include <QPoint>

#include <cstdint>
#include <functional>
#include <optional>

class CEventInfo;
class IEventList;
class IScreen;
class ITimerHost;
class SaveRequests;
class ToneWorkers;

// Column texts the refresh writes, in column order.
enum EventColumn {
    kColumnNumber = 0,
    kColumnColor,
    kColumnCommand,
    kColumnPath,
    kColumnCount,
    kColumnInterval,
    kColumnComment,
    kColumnEnabled,
    kEventColumns
};

struct DetectionServices {
    IScreen& screen;
    ToneWorkers& tones;
    ILauncher& launcher;
    SaveRequests& saves;
    // What hears how the launch of a detection on `row` ended; none: nobody listens.
    std::function<LaunchDone(int row)> launchOutcome = {};
};

// A pixel read ahead of the tick that compares it, and where it was read.
struct PixelSample {
    QPoint at;
    COLORREF pixel;
};

// The event whose pixel tick `nIDEvent` compares: none when the id belongs to no row or the
// row's event is disabled.
CEventInfo* EventToSample(std::uintptr_t nIDEvent, const IEventList& list);

// What one tick came to. NotARowTimer: the id belongs to no row, and the caller hands the
// tick to its default handling.
enum class TickOutcome { NotARowTimer, NoDetection, Detection };

// One tick of timer `nIDEvent` (the row's number, row = id - 1). Compares `sample` when it was read
// at the event's location, else reads the pixel itself. On a detection: count (stopping at the
// largest int), disable at the maximum, tone, save request to the main frame, refresh, launch, in
// that order. The save request is a save at once when the maximum is reached and a launch follows,
// so that a crash after the launch cannot launch it again at the next start.
TickOutcome RunDetectionStep(std::uintptr_t nIDEvent, IEventList& list, ITimerHost& timers,
                             DetectionServices& services,
                             const std::optional<PixelSample>& sample = std::nullopt);

// Rewrites columns 1-7 of `nRow` from its record, scrolls it into view, and restarts its
// timer (id = the number in column 0) while the event is enabled, or stops it.
void UpdateEventRow(int nRow, IEventList& list, ITimerHost& timerOwner);

// The timer id that row `row`'s number (column 0) names; none when it holds no positive number.
std::optional<std::uintptr_t> RowTimerId(const IEventList& list, int row);
