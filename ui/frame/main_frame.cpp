#include "main_frame.h"

#include "command_action.h"
#include "engine/main_frame_pointer.h"
#include "lock_key_indicators.h"
#include "main_menu.h"
#include "main_toolbar.h"
#include "platform/browser/help_links.h"
#include "platform/browser/open_url.h"
#include "res/resource_ids.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>

namespace {

// How often closing asks a modal window to close before it closes it anyway; each ask closes
// one of a stack of nested ones.
constexpr int kCloseAsks = 10;

// Hides every modal window that is left; hiding a dialog ends its loop as closing it would.
void HideModalWindows() {
    while (QWidget* modal = QApplication::activeModalWidget()) {
        modal->hide();
        if (QApplication::activeModalWidget() == modal)
            return; // it will not even hide: closing goes on regardless
    }
}

QIcon ApplicationIcon() {
    const QIcon icon = QApplication::windowIcon();
    return icon.isNull() ? QIcon(QStringLiteral(":/toolbar/tintwatch-fallback.png")) : icon;
}

} // namespace

CMainFrame::CMainFrame(PlatformServices services, QWidget* view, CCmdTarget& viewTarget,
                       CCmdTarget& appTarget, QWidget* parent)
    : QMainWindow(parent), m_services(services), m_viewTarget(viewTarget), m_appTarget(appTarget),
      m_notificationIcon(ApplicationIcon(), *this, this), m_quit([] { QCoreApplication::quit(); }) {
    setWindowTitle(QString::fromLatin1(kAppTitle));
    setWindowIcon(ApplicationIcon());
    if (view)
        setCentralWidget(view);

    const MainMenuToggles toggles = BuildMainMenu(*this, *this);
    m_toolBarItem = toggles.toolBar;
    m_statusBarItem = toggles.statusBar;
    m_wndToolBar = CreateMainToolBar(this, *this);
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
    CreateStatusBar();
    AddAccelerators();

    m_notificationIcon.AddNotificationIcon();
    MainFramePointer() = this;
}

CMainFrame::~CMainFrame() {
    m_notificationIcon.RemoveNotificationIcon();
    if (MainFramePointer() == this)
        MainFramePointer() = nullptr;
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    // A prompt shown while the pointer rests on a command hides this idle text, as it should.
    bar->addWidget(new QLabel(QStringLiteral("Ready"), bar), 1);
    // Beside the idle text, not in its place, so that command prompts never hide it.
    m_saveNote = new QLabel(bar);
    m_saveNote->hide();
    bar->addPermanentWidget(m_saveNote);
    m_indicators = new CLockKeyIndicators(&ReadLockKeys, bar);
    bar->addPermanentWidget(m_indicators);
}

void CMainFrame::SetSaveNote(const QString& note) {
    m_saveNote->setText(note);
    m_saveNote->setVisible(!note.isEmpty());
}

void CMainFrame::AddAccelerators() {
    const struct {
        QKeySequence key;
        int id;
    } accelerators[] = {
        {QKeySequence(Qt::Key_Delete), ID_EVENT_DELETE},
        {QKeySequence(Qt::Key_Return), ID_EVENT_EDIT},
        {QKeySequence(Qt::Key_Enter), ID_EVENT_EDIT}, // the keypad's Enter
        {QKeySequence(Qt::CTRL | Qt::Key_N), ID_EVENT_NEW},
        {QKeySequence(Qt::CTRL | Qt::Key_S), ID_FILE_SAVE},
    };
    for (const auto& accelerator : accelerators) {
        QAction* action = MakeCommandAction(this, *this, accelerator.id, QString());
        action->setShortcut(accelerator.key);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
}

bool CMainFrame::OnCommand(int id) {
    switch (id) {
    case ID_TRAY_CONFIGURE:
        OnTrayConfigure();
        return true;
    case ID_TRAY_EXIT:
    case ID_APP_EXIT:
        close();
        return true;
    case ID_HIDE_TO_NOTIFICATION_AREA:
        OnHideToNotificationArea();
        return true;
    case ID_HELP_TUTORIAL:
        OnHelpTutorial();
        return true;
    case ID_VIEW_TOOLBAR:
        ToggleBar(*m_wndToolBar, *m_toolBarItem);
        return true;
    case ID_VIEW_STATUS_BAR:
        ToggleBar(*statusBar(), *m_statusBarItem);
        return true;
    default:
        // The save command and the list's commands are the view's and the document's.
        return m_viewTarget.OnCommand(id) || m_appTarget.OnCommand(id);
    }
}

void CMainFrame::ToggleBar(QWidget& bar, QAction& item) {
    // isHidden, not isVisible: the bars of a window hidden to the tray are still "shown".
    bar.setHidden(!bar.isHidden());
    item.setChecked(!bar.isHidden());
}

void CMainFrame::OnHideToNotificationArea() {
    if (m_notificationIcon.IsAreaAvailable()) {
        // Withdrawn straight from where it is: a window the window manager had first made
        // iconic keeps that mark and, on some window managers, comes back iconic.
        hide();
        return;
    }
    // Nothing would be left to bring a withdrawn window back but a second start.
    setWindowState(windowState() | Qt::WindowMinimized);
    statusBar()->showMessage(QString::fromLatin1(kNoNotificationAreaText));
}

void CMainFrame::OnTrayConfigure() {
    // Leaving the minimised state first maps the window straight back in its old size
    // (normal or maximised) instead of flashing it iconified.
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void CMainFrame::OnHelpTutorial() {
    OpenUrlInDefaultBrowser(m_services.launcher, TutorialUrl());
}

void CMainFrame::OnClose() {
    if (m_bClosed)
        return;
    // A message box or the editor runs its own loop, the editor over a record the view is
    // about to free: close it first and come back once that loop has returned. One that will
    // not close is hidden after a few asks, and closing goes on once its loop has returned.
    if (QWidget* modal = QApplication::activeModalWidget(); modal && m_nCloseAsks <= kCloseAsks) {
        if (m_nCloseAsks++ == kCloseAsks)
            HideModalWindows();
        else if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
        QMetaObject::invokeMethod(this, &CMainFrame::OnClose, Qt::QueuedConnection);
        return;
    }
    m_bClosed = true;
    m_notificationIcon.RemoveNotificationIcon();
    if (m_onDestroyView)
        m_onDestroyView();
    m_quit();
}

bool CMainFrame::event(QEvent* event) {
    return DispatchPostedCommand(*this, event) || QMainWindow::event(event);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    OnClose();
    event->accept();
}

QMenu* CMainFrame::createPopupMenu() {
    // The View menu shows and hides the bars; no second, unnumbered way to do it.
    return nullptr;
}
