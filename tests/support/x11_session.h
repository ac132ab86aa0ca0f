// Real input and window state on the test's X display, through xdotool and a second client.
#pragma once

#include <QList>
#include <QProcess>
#include <QStringList>

#include <optional>

// Runs xdotool with `arguments`; its output, or nullopt when it failed.
std::optional<QByteArray> Xdotool(const QStringList& arguments);
// Visible windows of process `pid` whose name matches `namePattern`.
QList<quint32> VisibleWindows(qint64 pid, const QString& namePattern);
// Sends WM_DELETE_WINDOW, as a window manager's close button does.
bool SendCloseRequest(quint32 window);

// Another client of the display holding function key F`number` (tests/programs/key_grabber).
class KeyGrabber {
public:
    // "grabbed", "taken", or empty when the grabber could not run.
    QString Grab(int number, int modifiers = 0);
    // Lets the key go by ending the grabber.
    void Release();
    ~KeyGrabber() { Release(); }

private:
    QProcess m_process;
};

// Whether another client could grab the key right now (it grabs and lets go at once).
bool FreeForOthers(int number, int modifiers = 0);
