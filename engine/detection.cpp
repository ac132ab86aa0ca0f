#include "detection.h"

#include "event_list.h"
#include "main_frame_pointer.h"
#include "model/event_info.h"
#include "platform/cmd_target.h"
#include "platform/launcher.h"
#include "platform/screen.h"
#include "platform/timer_host.h"
#include "res/resource_ids.h"
#include "tone_workers.h"

namespace {

bool ConditionHolds(const CEventInfo& event, COLORREF pixel) {
    return event.IsTargetMode() ? pixel == event.m_clrTarget : pixel != event.m_clrMatch;
}

} // namespace

bool RunDetectionStep(std::uintptr_t nIDEvent, IEventList& list, ITimerHost& timers,
                      DetectionServices& services) {
    const auto rows = static_cast<std::uintptr_t>(list.GetItemCount());
    if (nIDEvent == 0 || nIDEvent > rows)
        return false;
    const int row = static_cast<int>(nIDEvent - 1);
    CEventInfo* event = list.GetItemData(row);
    // A tick queued before its timer was stopped finds the event disabled.
    if (!event || event->m_bEnabled == 0)
        return true;

    // Without a picture of the screen there is nothing to compare: no detection.
    if (!services.screen.CanBeRead())
        return true;
    const QPoint at = event->m_ptLocation;
    if (!ConditionHolds(*event, services.screen.GetPixel(at.x(), at.y())))
        return true;

    ++event->m_nDetectCount;
    if (event->m_nDetectCount >= event->m_nMaxCount) {
        event->m_bEnabled = 0;
        timers.KillTimer(nIDEvent);
    }
    if (event->m_bAudioAlert != 0)
        services.tones.Start(event->m_nFrequency, event->m_nDuration);
    if (QObject* frame = MainFramePointer().data())
        PostCommand(frame, ID_FILE_SAVE);
    UpdateEventRow(row, list, timers);
    if (event->m_bExecute != 0)
        services.launcher.ShellExecute(event->m_sCommand, event->m_sFilePath);
    return true;
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
