#include "renumber_rows.h"

#include "engine/detection.h"
#include "engine/event_list.h"
#include "model/event_info.h"
#include "platform/timer_host.h"

void RenumberRows(IEventList& list, ITimerHost& timers) {
    for (int row = 0; row < list.GetItemCount(); ++row) {
        const QString number = QString::number(row + 1);
        if (list.GetItemText(row, kColumnNumber) == number)
            continue;
        if (const std::optional<std::uintptr_t> oldId = RowTimerId(list, row))
            timers.KillTimer(*oldId);
        list.SetItemText(row, kColumnNumber, number);
        const CEventInfo* event = list.GetItemData(row);
        if (event && event->m_bEnabled != 0)
            timers.SetTimer(static_cast<std::uintptr_t>(row + 1),
                            static_cast<std::uint32_t>(event->m_nInterval));
    }
}
