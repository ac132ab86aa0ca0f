// The commands on events. Every change ends with a posted save request, so the data file
// always follows the list.
#include "tintwatch_view.h"

#include "model/tintwatch_doc.h"
#include "platform/browser/help_links.h"
#include "platform/browser/open_url.h"
#include "platform/screen.h"
#include "renumber_rows.h"
#include "res/resource_ids.h"
#include "ui/event_editor.h"
#include "ui/overlay/show_location.h"

#include <algorithm>

namespace {

constexpr char kSelectSingle[] = "Please Select a Single Event from the List to Continue.";
constexpr char kNoRecord[] = "Tecnical Fault Number 1 of Software.";
constexpr char kSelectToDelete[] = "Please Select Record(s) from the List to continue.";
constexpr char kConfirmDelete[] = "Are you sure you wish to Delete Selected Records ?";
constexpr char kSelectToToggle[] = "Please Select Record(s) from the List to Continue.";

} // namespace

bool CTintwatchView::OnCommand(int id) {
    // Once the window has gone there are no rows to act on; a save still reaches the document.
    if (m_bDestroyed)
        return m_doc.OnCommand(id);
    switch (id) {
    case ID_EVENT_NEW:
        OnEventNew();
        return true;
    case ID_POPUP_EVENT_NEW:
        // The editor opens once the context menu has closed.
        PostCommand(this, ID_EVENT_NEW);
        return true;
    case ID_EVENT_EDIT:
    case ID_POPUP_EVENT_EDIT:
        OnEventEdit();
        return true;
    case ID_EVENT_DELETE:
    case ID_POPUP_EVENT_DELETE:
        OnEventDelete();
        return true;
    case ID_EVENT_TOGGLE:
    case ID_POPUP_EVENT_TOGGLE:
        OnEventToggle();
        return true;
    case ID_POPUP_SHOW_CURSOR:
        OnShowCursorPosition();
        return true;
    case ID_HELP_WEBSITE:
        OnHelpWebsite();
        return true;
    default:
        return m_doc.OnCommand(id);
    }
}

std::vector<int> CTintwatchView::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

int CTintwatchView::Message(const char* text, MbButtons buttons, MbIcon icon) {
    return m_services.messageBox.MessageBox(this, QString::fromLatin1(text), buttons, icon);
}

void CTintwatchView::OnEventNew() {
    CEventInfo event;
    if (!m_editor.Run(this, event, false))
        return;
    AddEventRow(event);
    m_doc.SetModifiedFlag();
    PostSaveRequest();
}

int CTintwatchView::SingleSelectedRow() {
    const std::vector<int> rows = SelectedRows();
    if (rows.size() == 1)
        return rows.front();
    setFocus();
    Message(kSelectSingle, MbButtons::Ok, MbIcon::Information);
    return -1;
}

void CTintwatchView::OnEventEdit() {
    const int row = SingleSelectedRow();
    if (row < 0)
        return;
    CEventInfo* event = GetItemData(row);
    if (!event) {
        Message(kNoRecord, MbButtons::Ok, MbIcon::Error);
        return;
    }
    // The editor writes straight into the row's record, and only on OK; ticks meanwhile
    // change the count and the enabled flag, and the refresh below shows what was confirmed.
    if (!m_editor.Run(this, *event, true))
        return;
    UpdateEventRow(row, *this, *m_timers);
    PostSaveRequest();
}

void CTintwatchView::OnEventDelete() {
    const std::vector<int> rows = SelectedRows();
    if (rows.empty()) {
        Message(kSelectToDelete, MbButtons::Ok, MbIcon::Information);
        return;
    }
    if (Message(kConfirmDelete, MbButtons::YesNo, MbIcon::Question) != IDYES)
        return;
    // The selection taken before the question: ticks during it never change rows. Bottom up,
    // so the rows still to go keep their positions; each timer stops before its row goes.
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        if (const std::optional<std::uintptr_t> id = RowTimerId(*this, *it))
            m_timers->KillTimer(*id);
        removeRow(*it);
    }
    RenumberRows(*this, *m_timers);
    PostSaveRequest();
}

void CTintwatchView::OnEventToggle() {
    const std::vector<int> rows = SelectedRows();
    if (rows.empty()) {
        Message(kSelectToToggle, MbButtons::Ok, MbIcon::Information);
        return;
    }
    for (const int row : rows) {
        CEventInfo* event = GetItemData(row);
        if (!event)
            continue;
        event->m_bEnabled = event->m_bEnabled == 0 ? 1 : 0;
        if (event->m_bEnabled != 0)
            event->m_nDetectCount = 0;
        UpdateEventRow(row, *this, *m_timers);
    }
    PostSaveRequest();
}

void CTintwatchView::OnShowCursorPosition() {
    const int row = SingleSelectedRow();
    if (row < 0)
        return;
    if (const CEventInfo* event = GetItemData(row))
        ShowLocation(m_services.screen, event->m_ptLocation, this);
}

void CTintwatchView::OnHelpWebsite() {
    OpenUrlInDefaultBrowser(m_services.launcher, WebsiteUrl());
}
