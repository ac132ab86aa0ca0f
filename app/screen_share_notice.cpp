#include "screen_share_notice.h"

#include "platform/message_box.h"
#include "platform/screen.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

namespace {

const QString kShareAgain = QStringLiteral("Share Screen &Again");
const QString kNotShared =
    QStringLiteral("The screen is not shared: no colour can be read. File > Share Screen Again "
                   "asks the desktop.");

// While a share is granted but its first picture has not come (KWin's virtual outputs never
// send one), or while the desktop still asks the user.
const QString kNoPictureYet =
    QStringLiteral("Waiting for the desktop's first picture of the screen: until it comes no "
                   "colour can be read.");
constexpr int kPictureCheckMs = 1000;

// What the status bar says of the screen while it says nothing else.
QString ScreenNote(IScreen& screen) {
    if (!screen.CanBeRead())
        return kNoPictureYet;
    const std::vector<QString> left = screen.UnsharedMonitors();
    if (left.empty())
        return {};
    return QStringLiteral("The desktop does not share every monitor: no colour can be read on %1.")
        .arg(QStringList(left.begin(), left.end()).join(QStringLiteral(", ")));
}

} // namespace

QString ScreenShareProblemText(ShareProblem problem) {
    const QString after = QStringLiteral(
        "\n\nUntil then no colour can be read and no event fires. Your events stay as they are.");
    switch (problem) {
    case ShareProblem::NoPortal:
        return QStringLiteral("Tintwatch cannot see the screen: this desktop offers no "
                              "screen-sharing service (xdg-desktop-portal with a portal for this "
                              "desktop). Once one runs, choose File > Share Screen Again.") +
               after;
    case ShareProblem::Refused:
        return QStringLiteral("Tintwatch may not see the screen: sharing it was refused. To "
                              "share it, choose File > Share Screen Again and allow it.") +
               after;
    case ShareProblem::Stopped:
        return QStringLiteral("Tintwatch no longer sees the screen: sharing it was stopped from "
                              "the desktop. To share it again, choose File > Share Screen "
                              "Again.") +
               after;
    case ShareProblem::Error:
        return QStringLiteral("Tintwatch cannot see the screen: the desktop's screen-sharing "
                              "service failed to share it. To try again, choose File > Share "
                              "Screen Again.") +
               after;
    case ShareProblem::Failed:
        return QStringLiteral("Tintwatch cannot see the screen: the desktop shared it, but its "
                              "pictures could not be received. To try again, choose File > Share "
                              "Screen Again.") +
               after;
    }
    return {};
}

ScreenShareNotice::ScreenShareNotice(IScreenShare& share, IScreen& screen, IMessageBox& messageBox,
                                     QMainWindow& frame)
    : m_share(share), m_messageBox(messageBox), m_frame(frame) {
    auto* pictures = new QTimer(this);
    connect(pictures, &QTimer::timeout, this, [this, &screen] {
        QStatusBar& status = *m_frame.statusBar();
        const QString shown = status.currentMessage();
        if (!shown.isEmpty() && shown != m_sNote)
            return;
        m_sNote = ScreenNote(screen);
        if (m_sNote != shown)
            status.showMessage(m_sNote);
    });
    pictures->start(kPictureCheckMs);
    // The first menu of the bar is File; the command goes above its closing Exit.
    if (QMenu* file =
            frame.menuBar()->actions().value(0) ? frame.menuBar()->actions()[0]->menu() : nullptr) {
        auto* again = new QAction(kShareAgain, file);
        again->setStatusTip(QStringLiteral("Ask the desktop again to share the screen"));
        connect(again, &QAction::triggered, this, [this] {
            m_frame.statusBar()->clearMessage();
            m_share.ShareAgain();
        });
        const QList<QAction*> items = file->actions();
        file->insertAction(items.size() >= 2 ? items[items.size() - 2] : nullptr, again);
    }
    // Queued: a problem is told from the event loop, never inside the share's own call.
    share.SetOnProblem([this](ShareProblem problem) {
        QMetaObject::invokeMethod(
            this, [this, problem] { Report(problem); }, Qt::QueuedConnection);
    });
}

void ScreenShareNotice::Report(ShareProblem problem) {
    m_frame.statusBar()->showMessage(kNotShared);
    // One box at a time; the status bar keeps saying it.
    if (m_bShowing)
        return;
    m_bShowing = true;
    m_messageBox.MessageBox(&m_frame, ScreenShareProblemText(problem), MbButtons::Ok,
                            MbIcon::Error);
    m_bShowing = false;
}
