// How the list runs the event editor, so the list can be tested without the real dialog.
#pragma once

class CEventInfo;
class QWidget;

class IEventEditor {
public:
    virtual ~IEventEditor() = default;
    // Runs the editor modally over `parent` on `event` (add mode when `editMode` is false).
    // Returns true when confirmed with OK; only then has `event` been written.
    virtual bool Run(QWidget* parent, CEventInfo& event, bool editMode) = 0;
};
