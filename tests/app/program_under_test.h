// Running the built program as a user would, under the test's X display: its own per-user
// folders, its data file, its windows as the X server sees them, and what it launched.
#pragma once

#include "model/event_info.h"

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <vector>

// Fresh XDG_DATA_HOME, XDG_CONFIG_HOME, XDG_RUNTIME_DIR and HOME for one test; the window
// system is the test's own (QT_QPA_PLATFORM as the test runs with it).
class UserFolders {
public:
    UserFolders();
    QProcessEnvironment Environment() const;
    QString DataFilePath() const;
    QString SettingsFilePath() const;
    QString Path(const QString& name) const { return m_root.path() + '/' + name; }

private:
    QTemporaryDir m_root;
};

// The data file's bytes for `events`, as the program writes them.
QByteArray DataFileBytes(const std::vector<CEventInfo>& events);
// The events of a data file's bytes; nullopt when they do not load whole.
std::optional<std::vector<CEventInfo>> EventsOf(const QByteArray& bytes);
QByteArray ReadFile(const QString& path);
void WriteFile(const QString& path, const QByteArray& bytes);

// A script that appends one line to `logPath` each time it runs.
QString WriteRecordingScript(const QString& scriptPath, const QString& logPath);
int LineCount(const QString& path);

// One X window's state as the tests look at it.
QList<quint32> VisibleWindows(qint64 pid, const QString& namePattern);
std::optional<quint32> FocusedWindow();
bool FocusWindow(quint32 window);
bool PressKeys(const QString& keys);
// Sends WM_DELETE_WINDOW, as a window manager's close button does.
bool SendCloseRequest(quint32 window);

// Waits until `condition` holds, running the event loop; false after `timeoutMs`.
bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 5000);

// The window of one colour that the events watch.
class ColourWindow {
public:
    ColourWindow(QRect geometry, const QString& colour);
    ~ColourWindow();
    // Shows `colour` and waits until it is painted.
    bool SetColour(const QString& colour);
    bool WaitPainted(const QString& colour);

private:
    QProcess m_process;
    QByteArray m_output;
};

// One start of build/tintwatch.
class ProgramRun {
public:
    explicit ProgramRun(const UserFolders& folders);
    ~ProgramRun();
    QProcess& Process() { return m_process; }
    qint64 Pid() const { return m_process.processId(); }
    // The main window (or, while start-up shows a message, that box), once visible.
    std::optional<quint32> WaitForWindow(int timeoutMs = 10000);
    // Waits for the process to end; its exit code, or nullopt when it did not end normally.
    std::optional<int> WaitForExit(int timeoutMs = 10000);

private:
    QProcess m_process;
};
