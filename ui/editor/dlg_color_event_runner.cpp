#include "dlg_color_event_runner.h"

#include "dlg_color_event.h"
#include "res/resource_ids.h"

bool DlgColorEventRunner::Run(QWidget* parent, CEventInfo& event, bool editMode) {
    CDlgColorEvent dialog(m_services, parent);
    dialog.m_pEvent = &event;
    dialog.m_bEditMode = editMode ? 1 : 0;
    return dialog.DoModal() == IDOK;
}
