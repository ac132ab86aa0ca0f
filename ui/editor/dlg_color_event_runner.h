// Runs the event editor for the list, through the seam the list is tested with.
#pragma once

#include "platform/services.h"
#include "ui/event_editor.h"

class DlgColorEventRunner : public IEventEditor {
public:
    explicit DlgColorEventRunner(PlatformServices services) : m_services(services) {}
    bool Run(QWidget* parent, CEventInfo& event, bool editMode) override;

private:
    PlatformServices m_services;
};
