// A list of event rows in memory: texts per column, one owned record per row.
#pragma once

#include "engine/detection.h"
#include "engine/event_list.h"
#include "model/event_info.h"

#include <array>
#include <memory>
#include <vector>

class FakeEventList : public IEventList {
public:
    // Appends a row numbered as the list numbers its rows.
    CEventInfo& Add(const CEventInfo& event) {
        Row row;
        row.record = std::make_unique<CEventInfo>(event);
        row.texts[kColumnNumber] = QString::number(m_rows.size() + 1);
        m_rows.push_back(std::move(row));
        return *m_rows.back().record;
    }
    int GetItemCount() const override { return static_cast<int>(m_rows.size()); }
    CEventInfo* GetItemData(int row) const override { return m_rows.at(row).record.get(); }
    void SetItemText(int row, int column, const QString& text) override {
        m_rows.at(row).texts.at(column) = text;
    }
    QString GetItemText(int row, int column) const override {
        return m_rows.at(row).texts.at(column);
    }
    void EnsureVisible(int row) override { scrolledTo.push_back(row); }

    std::vector<int> scrolledTo;

private:
    struct Row {
        std::unique_ptr<CEventInfo> record;
        std::array<QString, kEventColumns> texts;
    };
    std::vector<Row> m_rows;
};
