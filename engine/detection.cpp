#include "detection.h"

#include "event_list.h"
#include "main_frame_pointer.h"
#include "model/event_info.h"
#include "platform/launcher.h"
#include "platform/screen.h"
#include "platform/timer_host.h"
#include "save_requests.h"
#include "tone_workers.h"

#include <limits>

namespace {

// Ids 1 to n are the timers of the n rows; any other id is not a detection tick.
bool IsRowTimer(std::uintptr_t nIDEvent, const IEventList& list) {
    return nIDEvent != 0 && nIDEvent <= static_cast<std::uintptr_t>(list.GetItemCount());
}

bool ConditionHolds(const CEventInfo& event, COLORREF pixel) {
    // A point that cannot be read is no reading at all: never a change, never the target.
    if (pixel == kUnreadablePixel)
        return false;
    return event.IsTargetMode() ? pixel == event.m_clrTarget : pixel != event.m_clrMatch;
}

} // namespace

CEventInfo* EventToSample(std::uintptr_t nIDEvent, const IEventList& list) {
    if (!IsRowTimer(nIDEvent, list))
        return nullptr;
    CEventInfo* event = list.GetItemData(static_cast<int>(nIDEvent - 1));
    // A tick queued before its timer was stopped finds the event disabled.
    return event && event->m_bEnabled != 0 ? event : nullptr;
}

TickOutcome RunDetectionStep(std::uintptr_t nIDEvent, IEventList& list, ITimerHost& timers,
                             DetectionServices& services,
                             const std::optional<PixelSample>& sample) {
    if (!IsRowTimer(nIDEvent, list))
        return TickOutcome::NotARowTimer;
    CEventInfo* event = EventToSample(nIDEvent, list);
    if (!event)
        return TickOutcome::NoDetection;
    const int row = static_cast<int>(nIDEvent - 1);

    // Without a picture of the screen there is nothing to compare: no detection.
    if (!services.screen.CanBeRead())
        return TickOutcome::NoDetection;
    const QPoint at = event->m_ptLocation;
    const COLORREF pixel =
        sample && sample->at == at ? sample->pixel : services.screen.GetPixel(at.x(), at.y());
    if (!ConditionHolds(*event, pixel))
        return TickOutcome::NoDetection;

    if (event->m_nDetectCount < std::numeric_limits<int>::max())
        ++event->m_nDetectCount;
    const bool reachedMaximum = event->m_nDetectCount >= event->m_nMaxCount;
    if (reachedMaximum) {
        event->m_bEnabled = 0;
        timers.KillTimer(nIDEvent);
    }
    if (event->m_bAudioAlert != 0)
        services.tones.Start(event->m_nFrequency, event->m_nDuration);
    if (MainFramePointer()) {
        if (reachedMaximum && event->m_bExecute != 0)
            services.saves.SaveNow();
        else
            services.saves.Request(SaveRequests::Pace::Spaced);
    }
    UpdateEventRow(row, list, timers);
    if (event->m_bExecute != 0)
        services.launcher.ShellExecute(event->m_sCommand, event->m_sFilePath,
                                       services.launchOutcome ? services.launchOutcome(row)
                                                              : LaunchDone());
    return TickOutcome::Detection;
}

void UpdateEventRow(int nRow, IEventList& list, ITimerHost& timerOwner) {
    CEventInfo* event = list.GetItemData(nRow);
    if (!event)
        return;
    event->m_sColorText = QStringLiteral("Red %1 Green %2 Blue %3")
                              .arg(GetRValue(event->m_clrMatch))
                              .arg(GetGValue(event->m_clrMatch))
                              .arg(GetBValue(event->m_clrMatch));
    list.SetItemText(nRow, kColumnColor, event->m_sColorText);
    list.SetItemText(nRow, kColumnCommand, event->m_sCommand);
    list.SetItemText(nRow, kColumnPath, event->m_sFilePath);
    list.SetItemText(
        nRow, kColumnCount,
        QStringLiteral("%1 Detected Out of %2").arg(event->m_nDetectCount).arg(event->m_nMaxCount));
    list.SetItemText(nRow, kColumnInterval, QString::number(event->m_nInterval));
    list.SetItemText(nRow, kColumnComment, event->m_sComment);
    list.SetItemText(nRow, kColumnEnabled,
                     event->m_bEnabled != 0 ? QStringLiteral("Yes") : QStringLiteral("No"));
    list.EnsureVisible(nRow);

    const std::optional<std::uintptr_t> id = RowTimerId(list, nRow);
    if (!id)
        return;
    timerOwner.KillTimer(*id);
    if (event->m_bEnabled != 0)
        timerOwner.SetTimer(*id, static_cast<std::uint32_t>(event->m_nInterval));
}

std::optional<std::uintptr_t> RowTimerId(const IEventList& list, int row) {
    bool parsed = false;
    const int id = list.GetItemText(row, kColumnNumber).toInt(&parsed);
    if (!parsed || id <= 0)
        return std::nullopt;
    return static_cast<std::uintptr_t>(id);
}
