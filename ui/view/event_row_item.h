// The first cell of a row. It owns the row's event record, so the record lives exactly as long
// as its row: removing the row or clearing the table frees it, and nothing else ever does.
#pragma once

#include "model/event_info.h"

#include <QTableWidgetItem>
#include <memory>
#include <optional>

class CEventRowItem : public QTableWidgetItem {
public:
    static constexpr int kType = QTableWidgetItem::UserType + 1;

    CEventRowItem(const QString& number, const CEventInfo& event)
        : QTableWidgetItem(number, kType), m_pEvent(std::make_unique<CEventInfo>(event)) {}

    CEventInfo* Event() const { return m_pEvent.get(); }
    // The unknown verb the status bar last named for this event, if any.
    std::optional<QString>& NotedVerb() { return m_notedVerb; }
    // Whether the status bar has named a failed launch of this event and none has started
    // since; shared with the launches under way, which find it gone with the row.
    const std::shared_ptr<bool>& FailedLaunchNoted() const { return m_failedLaunchNoted; }

private:
    std::unique_ptr<CEventInfo> m_pEvent;
    std::optional<QString> m_notedVerb;
    std::shared_ptr<bool> m_failedLaunchNoted = std::make_shared<bool>(false);
};
