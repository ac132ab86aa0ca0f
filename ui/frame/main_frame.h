// The only top-level window: the event list as its client, the main menu, the toolbar, the
// status bar, the four accelerators and the notification-area icon. Commands go frame -> view
// (which passes on to the document) -> application.
#pragma once

#include "notification_icon.h"
#include "platform/cmd_target.h"
#include "platform/services.h"

#include <QMainWindow>
#include <functional>

class CLockKeyIndicators;
class QLabel;
class QToolBar;

// What the status bar says when Hide minimises for want of a notification area.
inline constexpr char kNoNotificationAreaText[] =
    "This desktop has no notification area, so the window was minimised instead of hidden.";

class CMainFrame : public QMainWindow, public CCmdTarget {
public:
    CMainFrame(PlatformServices services, QWidget* view, CCmdTarget& viewTarget,
               CCmdTarget& appTarget, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Run while closing, after the icon is gone and before the program quits, so the view can
    // write the window placement and its column widths.
    void SetOnDestroyView(std::function<void()> hook) { m_onDestroyView = std::move(hook); }
    // How closing ends the program; QCoreApplication::quit unless replaced (tests).
    void SetQuitFunction(std::function<void()> quit) { m_quit = std::move(quit); }

    bool OnCommand(int id) override;

    // The close handling shared by the close button, File > Exit and the icon's Exit: the icon
    // goes, the view writes its settings, the program quits. Runs once, after any modal box
    // still open has been closed (hidden, when asking a few times did not close it).
    void OnClose();
    // Hides the window into the notification area; where the desktop has none, minimises it
    // and says why in the status bar.
    void OnHideToNotificationArea();
    // Brings the window back shown, not minimised, in front and active.
    void OnTrayConfigure();
    void OnHelpTutorial();

    // Shows `note` in the status bar until it is replaced; an empty note takes it away.
    void SetSaveNote(const QString& note);

    CNotificationIcon& NotificationIcon() { return m_notificationIcon; }
    QToolBar& ToolBar() { return *m_wndToolBar; }
    CLockKeyIndicators& LockKeyIndicators() { return *m_indicators; }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    QMenu* createPopupMenu() override;

private:
    void AddAccelerators();
    void CreateStatusBar();
    void ToggleBar(QWidget& bar, QAction& item);

    PlatformServices m_services;
    CCmdTarget& m_viewTarget;
    CCmdTarget& m_appTarget;
    QToolBar* m_wndToolBar = nullptr;
    CLockKeyIndicators* m_indicators = nullptr;
    QLabel* m_saveNote = nullptr;
    QAction* m_toolBarItem = nullptr;
    QAction* m_statusBarItem = nullptr;
    CNotificationIcon m_notificationIcon;
    std::function<void()> m_onDestroyView;
    std::function<void()> m_quit;
    bool m_bClosed = false;
    int m_nCloseAsks = 0; // times closing asked a modal window to close
};
