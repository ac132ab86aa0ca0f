#include "tintwatch_app.h"

#include "about_dlg.h"
#include "document_opener.h"
#include "model/exceptions.h"
#include "model/tintwatch_doc.h"
#include "pending_saves.h"
#include "platform/file_chooser.h"
#include "platform/real/display_setup.h"
#include "res/resource_ids.h"
#include "ui/editor/dlg_color_event_runner.h"
#include "ui/font_scale.h"
#include "ui/frame/main_frame.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>

namespace {

constexpr QSize kFirstSize(1120, 480);

} // namespace

CTintwatchApp::CTintwatchApp(PlatformServices services, TimerHostFactory makeTimers)
    : m_services(services), m_makeTimers(std::move(makeTimers)) {}

CTintwatchApp::~CTintwatchApp() = default;

bool CTintwatchApp::InitInstance() {
    m_pDoc = std::make_unique<CTintwatchDoc>(m_services.screen, m_services.messageBox);
    m_pEditor = std::make_unique<DlgColorEventRunner>(m_services);
    m_pView = new CTintwatchView(m_services, *m_pDoc, *m_pEditor, m_makeTimers);
    m_pFrame = std::make_unique<CMainFrame>(m_services, m_pView, *m_pView, *this);
    m_pFrame->SetOnDestroyView([this] { OnDestroyView(); });
    // The document outlives the frame: a save while closing finds no status bar.
    m_pDoc->SetSaveNoteHandler([frame = QPointer<CMainFrame>(m_pFrame.get())](const QString& note) {
        if (frame)
            frame->SetSaveNote(note);
    });
    QStatusBar* statusBar = m_pFrame->statusBar();
    connect(m_pView, &CTintwatchView::StatusNote, statusBar,
            [statusBar](const QString& text) { statusBar->showMessage(text); });

    QString path;
    GetDataFilePath(path);
    m_pDoc->SetPathName(path);
    OpenEventDocument(
        path, [this](const QString& file) { m_pDoc->OnOpenDocument(file); },
        [this] { m_pDoc->OnNewDocument(); },
        [this](const QString& file, const QString& text) {
            return m_pDoc->KeepDamaged(file, text);
        });

    // Room for every column at first, grown with the columns for this font and kept on the
    // screen; a placement saved by an earlier run replaces it.
    QSize size(ScaleClassicWidth(kFirstSize.width(), QFontMetricsF(m_pView->font())),
               kFirstSize.height());
    if (const QScreen* screen = m_pFrame->screen())
        size = size.boundedTo(screen->availableSize());
    m_pFrame->resize(size);
    m_pView->OnInitialUpdate();
    // Later starts find this window by nothing else than the lock, but the user and the
    // desktop know it by this caption; it never changes.
    m_pFrame->setWindowTitle(QString::fromLatin1(kAppTitle));
    m_pFrame->show();
    if (RunsOnXWayland())
        m_pFrame->statusBar()->showMessage(
            QStringLiteral("Running on XWayland: only the colours of X11 windows can be read."));
    return true;
}

bool CTintwatchApp::OnCommand(int id) {
    switch (id) {
    case ID_APP_ABOUT:
        OnAppAbout();
        return true;
    case ID_FILE_NEW:
        OnFileNew();
        return true;
    case ID_FILE_OPEN:
        OnFileOpen();
        return true;
    default:
        return false;
    }
}

void CTintwatchApp::OnAppAbout() {
    CAboutDlg dlg(m_pFrame.get());
    dlg.exec();
}

void CTintwatchApp::OnFileNew() {
    // The one document is reused: emptied, then shown afresh.
    m_pDoc->OnNewDocument();
    m_pView->OnInitialUpdate();
}

void CTintwatchApp::OnFileOpen() {
    const QString file = m_services.fileChooser.GetOpenFileName(m_pFrame.get(), QString(),
                                                                QStringLiteral("All Files (*)"));
    if (file.isEmpty())
        return;
    m_pDoc->m_arrEvents.clear();
    try {
        m_pDoc->OnOpenDocument(file);
    } catch (const CException&) {
        m_services.messageBox.MessageBox(m_pFrame.get(), QStringLiteral("Failed to open document."),
                                         MbButtons::Ok, MbIcon::Error);
        return;
    }
    m_pView->OnInitialUpdate();
}

void CTintwatchApp::PostToMainFrame(int id) {
    PostCommand(m_pFrame.get(), id);
}

void CTintwatchApp::RequestClose() {
    if (m_pFrame)
        m_pFrame->OnClose();
    else
        QCoreApplication::quit();
}

void CTintwatchApp::RunQueuedSaves() {
    RunPendingSaves(m_pFrame.get());
    RunPendingSaves(m_pView);
    if (m_pView)
        m_pView->RunQueuedSave();
}

void CTintwatchApp::OnDestroyView() {
    // The rows still hold the live events here; a save queued by the last detection, or one
    // that failed and waits to be tried again, writes them before the view lets them go.
    RunQueuedSaves();
    if (m_pDoc->IsModified())
        m_pDoc->OnFileSave();
    m_pView->OnDestroy();
}
