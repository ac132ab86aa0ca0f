// The application: creates the document, the main frame and the list view together, fills the
// document from the data file, shows the window, and answers the commands that reach the end
// of the routing (About, new and open).
#pragma once

#include "platform/cmd_target.h"
#include "platform/services.h"
#include "ui/view/tintwatch_view.h"

#include <QObject>
#include <memory>

class CMainFrame;
class CTintwatchDoc;
class IEventEditor;

// The vendor key of the settings: ~/.config/<vendor>/Tintwatch.conf.
inline constexpr char kVendorKey[] = "Tintwatch Project";

class CTintwatchApp : public QObject, public CCmdTarget {
    Q_OBJECT
public:
    CTintwatchApp(PlatformServices services, TimerHostFactory makeTimers);
    ~CTintwatchApp() override;
    CTintwatchApp(const CTintwatchApp&) = delete;
    CTintwatchApp& operator=(const CTintwatchApp&) = delete;

    // Start-up after the single-instance check: document, frame and view, the data file (or an
    // empty list), the caption, the window shown. Returns false when there is no main window.
    bool InitInstance();

    // ID_APP_ABOUT, ID_FILE_NEW and ID_FILE_OPEN; anything else is nobody's.
    bool OnCommand(int id) override;
    void OnAppAbout();
    void OnFileNew();
    void OnFileOpen();

    // Queues `id` for the main frame, as another process's command arrives (never run at once).
    void PostToMainFrame(int id);
    // The frame's close handling, for termination signals.
    void RequestClose();
    // Writes the data file now if a save is still queued (session end).
    void RunQueuedSaves();

    CMainFrame* MainFrame() const { return m_pFrame.get(); }
    CTintwatchView* View() const { return m_pView; }
    CTintwatchDoc* Document() const { return m_pDoc.get(); }

private:
    void OnDestroyView();

    PlatformServices m_services;
    TimerHostFactory m_makeTimers;
    // Declared in the order they must outlive each other: the frame (with the view) goes
    // first, then the editor and the document it uses.
    std::unique_ptr<CTintwatchDoc> m_pDoc;
    std::unique_ptr<IEventEditor> m_pEditor;
    std::unique_ptr<CMainFrame> m_pFrame;
    CTintwatchView* m_pView = nullptr; // owned by the frame
};
