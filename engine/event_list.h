// What the detection engine needs of the list that shows the events.
#pragma once

#include "model/event_rows.h"

#include <QString>

class IEventList : public IEventRows {
public:
    virtual void SetItemText(int row, int column, const QString& text) = 0;
    virtual QString GetItemText(int row, int column) const = 0;
    // Scrolls so that `row` is entirely visible.
    virtual void EnsureVisible(int row) = 0;
};
