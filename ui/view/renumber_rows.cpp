#include "renumber_rows.h"

#include "engine/detection.h"
#include "engine/event_list.h"
#include "model/event_info.h"
#include "platform/timer_host.h"

void RenumberRows(IEventList& list, ITimerHost& timers) {
    for (int row = 0; row < list.GetItemCount(); ++row) {
        const QString number = QString::number(row + 1);
        const QString shown = list.GetItemText(row, kColumnNumber);
        if (shown == number)
            continue;
        bool parsed = false;
        const int oldId = shown.toInt(&parsed);
        if (parsed && oldId > 0)
            timers.KillTimer(static_cast<std::uintptr_t>(oldId));
        list.SetItemText(row, kColumnNumber, number);
        const CEventInfo* event = list.GetItemData(row);
        if (event && event->m_bEnabled != 0)
            timers.SetTimer(static_cast<std::uintptr_t>(row + 1),
                            static_cast<std::uint32_t>(event->m_nInterval));
    }
}
