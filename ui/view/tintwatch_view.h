// The main window's client: one row per colour-matching event. The rows own the live records,
// the view hosts their detection timers (keyed by row number) and runs every command on events.
#pragma once

#include "engine/detection.h"
#include "engine/detection_batch.h"
#include "engine/event_list.h"
#include "engine/save_requests.h"
#include "engine/tone_workers.h"
#include "platform/cmd_target.h"
#include "platform/message_box.h"
#include "platform/services.h"
#include "platform/timer_host.h"

#include <QTableWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

class CTintwatchDoc;
class IEventEditor;
class QMenu;

// Receives the ids of the timers that came due together, so that one read serves them all.
using TicksHandler = std::function<void(std::span<const std::uintptr_t> ids)>;
// Makes the timer host whose ticks the view runs.
using TimerHostFactory = std::function<std::unique_ptr<ITimerHost>(TicksHandler onTicks)>;

class CTintwatchView : public QTableWidget, public IEventList, public CCmdTarget {
    Q_OBJECT

public:
    CTintwatchView(PlatformServices services, CTintwatchDoc& doc, IEventEditor& editor,
                   TimerHostFactory makeTimers, QWidget* parent = nullptr);
    ~CTintwatchView() override;
    CTintwatchView(const CTintwatchView&) = delete;
    CTintwatchView& operator=(const CTintwatchView&) = delete;

    // Restores the window placement, builds the columns and one row per document event, and
    // starts the enabled events' timers. With no events it asks for a new one. Run again (a
    // new or reopened document), it first removes the old rows and stops their timers.
    void OnInitialUpdate();
    // Writes the placement and column widths, stops every timer and frees the records. The
    // frame calls it before its window goes; later calls do nothing.
    void OnDestroy();

    // The view's commands; anything else goes on to the document.
    bool OnCommand(int id) override;
    // Ticks of the timers `ids` (row numbers) that came due together: one read of the screen
    // for all, then the detection step of each row, in order.
    void OnTimer(std::span<const std::uintptr_t> ids);
    // Runs a save still queued at once (the program is closing).
    void RunQueuedSave() { m_saves.RunQueued(); }
    // Appends a row holding its own copy of `event`, refreshes it and selects it.
    void AddEventRow(const CEventInfo& event);

    void OnEventNew();
    void OnEventEdit();
    void OnEventDelete();
    void OnEventToggle();
    void OnShowCursorPosition();
    void OnHelpWebsite();

    // IEventList
    int GetItemCount() const override;
    CEventInfo* GetItemData(int row) const override;
    void SetItemText(int row, int column, const QString& text) override;
    QString GetItemText(int row, int column) const override;
    void EnsureVisible(int row) override;

    // The context menu, once the initial update has loaded it; nullptr before.
    QMenu* ContextMenu() const { return m_menuContext; }

signals:
    // A remark for the status bar, in the program's own words.
    void StatusNote(const QString& text);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    void InsertColumns();
    // Stops every row's timer, then removes the rows, which frees their records.
    void RemoveAllRows();
    // Selected rows, top to bottom.
    std::vector<int> SelectedRows() const;
    // The one selected row; otherwise -1, after focusing the list and saying so.
    int SingleSelectedRow();
    int Message(const char* text, MbButtons buttons, MbIcon icon);
    // Posts `id` to the main frame, or to this view when there is none, so it still runs.
    void PostToFrame(int id);
    void PostSaveRequest();
    // After a detection on `row`: names an event whose verb nobody understands, once until the
    // verb changes.
    void NoteUnknownVerb(int row);
    // Hears how the launch of a detection on `row` ends, and names the first failure of the
    // event's launches in the status bar, again only once one has started since.
    LaunchDone LaunchOutcome(int row);
    // "Event 3" or `Event 3 ("comment")`.
    QString EventName(int row) const;

    PlatformServices m_services;
    CTintwatchDoc& m_doc;
    IEventEditor& m_editor;
    ToneWorkers m_tones;
    SaveRequests m_saves{this};
    DetectionServices m_detection;
    DetectionBatch m_batch;
    std::unique_ptr<ITimerHost> m_timers;
    QMenu* m_menuContext = nullptr;
    bool m_bDestroyed = false;
};
