// The live event records as the list holds them, row by row.
#pragma once

class CEventInfo;

class IEventRows {
public:
    virtual ~IEventRows() = default;
    virtual int GetItemCount() const = 0;
    // The record owned by `row`, or nullptr when the row holds none.
    virtual CEventInfo* GetItemData(int row) const = 0;
};
