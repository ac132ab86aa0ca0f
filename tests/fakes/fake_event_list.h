// A list of event rows in memory: texts per column, one owned record per row.
#pragma once

#include "engine/detection.h"
#include "engine/event_list.h"
#include "model/event_info.h"

#include <array>
#include <deque>
#include <vector>

class FakeEventList : public IEventList {
public:
    // Appends a row numbered as the list numbers its rows.
    CEventInfo& Add(const CEventInfo& event) {
        m_texts.emplace_back()[kColumnNumber] = QString::number(m_records.size() + 1);
        return m_records.emplace_back(event);
    }
    int GetItemCount() const override { return static_cast<int>(m_records.size()); }
    CEventInfo* GetItemData(int row) const override { return &m_records.at(row); }
    void SetItemText(int row, int column, const QString& text) override {
        m_texts.at(row).at(column) = text;
    }
    QString GetItemText(int row, int column) const override { return m_texts.at(row).at(column); }
    void EnsureVisible(int row) override { scrolledTo.push_back(row); }

    std::vector<int> scrolledTo;

private:
    // A deque keeps the records where they are, so references from Add stay valid.
    mutable std::deque<CEventInfo> m_records;
    std::deque<std::array<QString, kEventColumns>> m_texts;
};
