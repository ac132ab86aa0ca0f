// Running the built program as a user would: its own per-user folders, its data file, the
// scripts it launches, and the windows of one colour it watches.
#pragma once

#include <QProcess>
#include <QRect>
#include <QTemporaryDir>
#include <optional>

// Fresh per-user folders (XDG data, config and runtime, and HOME) for one test.
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

QByteArray ReadFile(const QString& path);
bool WriteFile(const QString& path, const QByteArray& bytes);

// A script that appends a line to `logPath` each run: its arguments, each followed by '|'.
QString WriteRecordingScript(const QString& scriptPath, const QString& logPath);
int LineCount(const QString& path);

// A window of one colour on the display (tests/programs/colour_window).
class ColourWindow {
public:
    ColourWindow(QRect geometry, const QString& colour);
    ~ColourWindow();
    // Shows `colour` on top and waits until it is painted.
    bool SetColour(const QString& colour);

private:
    bool WaitPainted(const QString& colour);
    QProcess m_process;
    QByteArray m_output;
};

// One start of the built program.
class ProgramRun {
public:
    explicit ProgramRun(const UserFolders& folders, const QStringList& arguments = {});
    ~ProgramRun();
    qint64 Pid() const { return m_process.processId(); }
    // The main window (or, while start-up shows a message, that box), once visible.
    std::optional<quint32> WaitForWindow(int timeoutMs = 10000);
    // Waits for the process to end; its exit code, or nullopt when it did not end normally.
    std::optional<int> WaitForExit(int timeoutMs = 10000);

private:
    QProcess m_process;
};
