#include "processes.h"

#include "waiting.h"
#include "x11_session.h"

UserFolders::UserFolders() {
    for (const char* name : {"data/Tintwatch", "config", "home", "runtime"})
        QDir().mkpath(Path(QString::fromLatin1(name)));
    QFile::setPermissions(Path(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QProcessEnvironment UserFolders::Environment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), Path(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), Path(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), Path(QStringLiteral("runtime")));
    environment.insert(QStringLiteral("HOME"), Path(QStringLiteral("home")));
    return environment;
}

QString UserFolders::DataFilePath() const {
    return Path(QStringLiteral("data/Tintwatch/Tintwatchv7.1.dat"));
}

QString UserFolders::SettingsFilePath() const {
    return Path(QStringLiteral("config/Tintwatch Project/Tintwatch.conf"));
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QString WriteRecordingScript(const QString& scriptPath, const QString& logPath) {
    WriteFile(scriptPath,
              "#!/bin/sh\n{ for a in \"$@\"; do printf '%s|' \"$a\"; done; echo; } >> '" +
                  logPath.toLocal8Bit() + "'\n");
    QFile::setPermissions(scriptPath,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return scriptPath;
}

int LineCount(const QString& path) {
    return static_cast<int>(ReadFile(path).count('\n'));
}

ColourWindow::ColourWindow(QRect geometry, const QString& colour) {
    m_process.start(QStringLiteral(COLOUR_WINDOW),
                    {QString::number(geometry.x()), QString::number(geometry.y()),
                     QString::number(geometry.width()), QString::number(geometry.height()),
                     colour});
    WaitPainted(colour);
}

ColourWindow::~ColourWindow() {
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(3000))
        m_process.kill();
    m_process.waitForFinished();
}

bool ColourWindow::SetColour(const QString& colour) {
    m_process.write(colour.toLatin1() + '\n');
    return WaitPainted(colour);
}

bool ColourWindow::WaitPainted(const QString& colour) {
    const QByteArray expected = "painted " + colour.toLatin1().toLower();
    return WaitUntil([&] {
        m_output += m_process.readAllStandardOutput();
        return m_output.contains(expected);
    });
}

ProgramRun::ProgramRun(const UserFolders& folders, const QStringList& arguments) {
    m_process.setProcessEnvironment(folders.Environment());
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral(TINTWATCH_EXE), arguments);
}

ProgramRun::~ProgramRun() {
    m_process.kill();
    m_process.waitForFinished();
}

std::optional<quint32> ProgramRun::WaitForWindow(int timeoutMs) {
    QList<quint32> windows;
    WaitUntil(
        [&] {
            windows = VisibleWindows(Pid(), QStringLiteral("^Tintwatch$"));
            return !windows.isEmpty() || m_process.state() == QProcess::NotRunning;
        },
        timeoutMs);
    if (windows.isEmpty())
        return std::nullopt;
    return windows.front();
}

std::optional<int> ProgramRun::WaitForExit(int timeoutMs) {
    if (!m_process.waitForFinished(timeoutMs) || m_process.exitStatus() != QProcess::NormalExit)
        return std::nullopt;
    return m_process.exitCode();
}
