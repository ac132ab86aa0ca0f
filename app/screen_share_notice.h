// What the user is told when the desktop does not share its screen (Wayland), and the one
// action that asks for it again: File > "Share Screen Again".
#pragma once

#include "platform/screen_share.h"

#include <QObject>
#include <QString>

class IMessageBox;
class IScreen;
class QAction;
class QMainWindow;

// The message for `problem`: what happened, what it means, how to share again.
QString ScreenShareProblemText(ShareProblem problem);

class ScreenShareNotice : public QObject {
public:
    // Adds the command to `frame`'s File menu and reports every problem of `share` from now on
    // (and one that came before) in a message box over `frame` and in its status bar, where it
    // also notes while `screen` has no picture yet, and the monitors left out of the share.
    ScreenShareNotice(IScreenShare& share, IScreen& screen, IMessageBox& messageBox,
                      QMainWindow& frame);

private:
    void Report(ShareProblem problem);

    IScreenShare& m_share;
    IMessageBox& m_messageBox;
    QMainWindow& m_frame;
    bool m_bShowing = false;
    QString m_sNote; // the status bar's last note on the screen
};
