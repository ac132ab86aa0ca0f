#include "tintwatch_view.h"

#include "context_menu.h"
#include "engine/main_frame_pointer.h"
#include "event_row_item.h"
#include "model/tintwatch_doc.h"
#include "platform/launcher.h"
#include "platform/profile.h"
#include "res/resource_ids.h"
#include "ui/font_scale.h"
#include "view_columns.h"
#include "window_placement.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <utility>

namespace {

const QString kSettings = QStringLiteral("Settings");
const QString kLastLocation = QStringLiteral("LastLocation");
// Where the colour cell keeps the colour its swatch shows.
constexpr int kSwatchColourRole = Qt::UserRole;

// The command a plain Enter or Delete on the list stands for; 0 for any other key.
int CommandOfKey(const QKeyEvent& e) {
    if ((e.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return 0;
    switch (e.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return ID_EVENT_EDIT;
    case Qt::Key_Delete:
        return ID_EVENT_DELETE;
    default:
        return 0;
    }
}

// A small square of `colour` with a thin border, so that white and the list's own background
// still show as a square.
QIcon ColourSwatch(COLORREF colour) {
    QPixmap swatch(16, 16);
    swatch.fill(QColor(static_cast<int>(GetRValue(colour)), static_cast<int>(GetGValue(colour)),
                       static_cast<int>(GetBValue(colour))));
    QPainter painter(&swatch);
    painter.setPen(QColor(96, 96, 96));
    painter.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
    return QIcon(swatch);
}

} // namespace

CTintwatchView::CTintwatchView(PlatformServices services, CTintwatchDoc& doc, IEventEditor& editor,
                               TimerHostFactory makeTimers, QWidget* parent)
    : QTableWidget(parent), m_services(services), m_doc(doc), m_editor(editor),
      m_tones(services.tone), m_detection{services.screen, m_tones, services.launcher, m_saves,
                                          [this](int row) { return LaunchOutcome(row); }},
      m_timers(makeTimers([this](std::span<const std::uintptr_t> ids) { OnTimer(ids); })) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    verticalHeader()->hide();
    m_doc.SetView(this);
}

CTintwatchView::~CTintwatchView() {
    OnDestroy();
}

void CTintwatchView::OnInitialUpdate() {
    // A placement the window refuses (another Qt's format, cut short) leaves it where it is.
    if (const auto placement = m_services.profile.GetProfileBinary(kSettings, kLastLocation))
        RestorePlacement(*window(), *placement);
    InsertColumns();
    RemoveAllRows();
    for (const CEventInfo& event : m_doc.m_arrEvents)
        AddEventRow(event);
    if (rowCount() == 0)
        PostToFrame(ID_EVENT_NEW);
    if (!m_menuContext) {
        m_menuContext = CreateContextMenu(this);
        connect(m_menuContext, &QMenu::triggered, this,
                [this](QAction* action) { OnCommand(action->data().toInt()); });
    }
}

void CTintwatchView::InsertColumns() {
    setColumnCount(static_cast<int>(kViewColumns.size()));
    for (int i = 0; i < columnCount(); ++i) {
        const ViewColumn& column = kViewColumns[static_cast<std::size_t>(i)];
        auto* header = new QTableWidgetItem(QString::fromLatin1(column.title));
        header->setTextAlignment(column.alignment);
        setHorizontalHeaderItem(i, header);
        setColumnWidth(i, ScaleClassicWidth(column.width, QFontMetricsF(font())));
    }
}

void CTintwatchView::OnDestroy() {
    if (m_bDestroyed)
        return;
    m_bDestroyed = true;
    m_services.profile.WriteProfileBinary(kSettings, kLastLocation, window()->saveGeometry());
    for (int i = 0; i < columnCount(); ++i)
        m_services.profile.WriteProfileInt(kSettings, QStringLiteral("Column%1").arg(i),
                                           columnWidth(i));
    // A save still queued must write the events as they stand now, not an emptied list: the
    // document, left without rows, writes its snapshot.
    m_doc.m_arrEvents.clear();
    for (int row = 0; row < rowCount(); ++row)
        if (const CEventInfo* event = GetItemData(row))
            m_doc.m_arrEvents.push_back(*event);
    m_doc.SetView(nullptr);
    RemoveAllRows();
}

void CTintwatchView::RemoveAllRows() {
    for (int row = 0; row < rowCount(); ++row)
        m_timers->KillTimer(static_cast<std::uintptr_t>(row + 1));
    setRowCount(0);
}

void CTintwatchView::AddEventRow(const CEventInfo& event) {
    const int row = rowCount();
    insertRow(row);
    setItem(row, kColumnNumber, new CEventRowItem(QString::number(row + 1), event));
    for (int column = kColumnColor; column < kEventColumns; ++column)
        setItem(row, column, new QTableWidgetItem);
    for (int column = 0; column < kEventColumns; ++column)
        item(row, column)
            ->setTextAlignment(kViewColumns[static_cast<std::size_t>(column)].alignment);
    // The refresh also scrolls the new row into view.
    UpdateEventRow(row, *this, *m_timers);
    setCurrentCell(row, kColumnNumber,
                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void CTintwatchView::OnTimer(std::span<const std::uintptr_t> ids) {
    m_batch.Run(ids, *this, *m_timers, m_detection, [this](int row) { NoteUnknownVerb(row); });
}

void CTintwatchView::NoteUnknownVerb(int row) {
    auto* first = static_cast<CEventRowItem*>(item(row, kColumnNumber));
    const CEventInfo& event = *first->Event();
    if (event.m_bExecute == 0)
        return;
    if (ParseShellVerb(event.m_sCommand)) {
        first->NotedVerb().reset();
        return;
    }
    if (first->NotedVerb() == event.m_sCommand)
        return;
    first->NotedVerb() = event.m_sCommand;
    emit StatusNote(
        QStringLiteral("%1: the verb \"%2\" is not one of open, edit, print and explore, "
                       "so nothing was opened.")
            .arg(EventName(row), event.m_sCommand));
}

QString CTintwatchView::EventName(int row) const {
    const QString& comment = GetItemData(row)->m_sComment;
    return comment.isEmpty() ? QStringLiteral("Event %1").arg(row + 1)
                             : QStringLiteral("Event %1 (\"%2\")").arg(row + 1).arg(comment);
}

LaunchDone CTintwatchView::LaunchOutcome(int row) {
    const auto* first = static_cast<const CEventRowItem*>(item(row, kColumnNumber));
    const CEventInfo& event = *first->Event();
    return [view = QPointer(this), noted = std::weak_ptr(first->FailedLaunchNoted()),
            what = QStringLiteral("%1 \"%2\"").arg(event.m_sCommand, event.m_sFilePath)](
               const QString& failure) {
        const std::shared_ptr<bool> flag = noted.lock();
        if (!view || !flag)
            return; // the row went meanwhile
        const bool namedBefore = std::exchange(*flag, !failure.isEmpty());
        if (failure.isEmpty() || namedBefore)
            return;
        for (int at = 0; at < view->rowCount(); ++at)
            if (static_cast<const CEventRowItem*>(view->item(at, kColumnNumber))
                    ->FailedLaunchNoted() == flag)
                emit view->StatusNote(
                    QStringLiteral("%1: %2 failed: %3.").arg(view->EventName(at), what, failure));
    };
}

int CTintwatchView::GetItemCount() const {
    return rowCount();
}

CEventInfo* CTintwatchView::GetItemData(int row) const {
    const QTableWidgetItem* first = item(row, kColumnNumber);
    if (!first || first->type() != CEventRowItem::kType)
        return nullptr;
    return static_cast<const CEventRowItem*>(first)->Event();
}

void CTintwatchView::SetItemText(int row, int column, const QString& text) {
    QTableWidgetItem* cell = item(row, column);
    if (!cell)
        return;
    cell->setText(text);
    // The colour's words come with the colour itself, from the same record. The swatch is made
    // again only when its colour changed: Qt keeps every new picture it paints in its
    // process-wide pixmap cache, and a detection refreshes its row every time.
    if (column != kColumnColor)
        return;
    const CEventInfo* event = GetItemData(row);
    if (!event || cell->data(kSwatchColourRole) == QVariant(event->m_clrMatch))
        return;
    cell->setData(kSwatchColourRole, event->m_clrMatch);
    cell->setIcon(ColourSwatch(event->m_clrMatch));
}

QString CTintwatchView::GetItemText(int row, int column) const {
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

void CTintwatchView::EnsureVisible(int row) {
    if (QTableWidgetItem* first = item(row, kColumnNumber))
        scrollToItem(first, QAbstractItemView::EnsureVisible);
}

bool CTintwatchView::event(QEvent* e) {
    if (DispatchPostedCommand(*this, e))
        return true;
    // Enter and Delete belong to the list while it has the focus, so a window-wide shortcut
    // on the same key never runs the command a second time.
    if (e->type() == QEvent::ShortcutOverride && CommandOfKey(*static_cast<QKeyEvent*>(e))) {
        e->accept();
        return true;
    }
    return QTableWidget::event(e);
}

void CTintwatchView::keyPressEvent(QKeyEvent* e) {
    if (const int id = CommandOfKey(*e)) {
        e->accept();
        OnCommand(id);
        return;
    }
    QTableWidget::keyPressEvent(e);
}

void CTintwatchView::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) {
        QTableWidget::mouseDoubleClickEvent(e);
        return;
    }
    e->accept();
    OnEventEdit();
}

void CTintwatchView::contextMenuEvent(QContextMenuEvent* e) {
    if (!m_menuContext)
        return;
    e->accept();
    m_menuContext->popup(e->globalPos());
}

void CTintwatchView::PostToFrame(int id) {
    QObject* frame = MainFramePointer().data();
    PostCommand(frame ? frame : this, id);
}

void CTintwatchView::PostSaveRequest() {
    m_saves.Request(SaveRequests::Pace::NextPass);
}
