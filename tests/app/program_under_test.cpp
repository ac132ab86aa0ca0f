#include "program_under_test.h"

#include "model/archive.h"
#include "model/exceptions.h"
#include "platform/x11/xcb_reply.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTest>

#include <xcb/xcb.h>

namespace {

QByteArray RunXdotool(const QStringList& arguments, bool* ok = nullptr) {
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), arguments);
    const bool finished = xdotool.waitForFinished(5000);
    if (ok)
        *ok = finished && xdotool.exitStatus() == QProcess::NormalExit && xdotool.exitCode() == 0;
    return xdotool.readAllStandardOutput();
}

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(qstrlen(name)), name),
        nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

} // namespace

UserFolders::UserFolders() {
    for (const char* name : {"data", "config", "home"})
        QDir().mkpath(Path(QString::fromLatin1(name)));
    QDir().mkpath(Path(QStringLiteral("runtime")));
    QFile::setPermissions(Path(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QDir().mkpath(Path(QStringLiteral("data/Tintwatch")));
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

QByteArray DataFileBytes(const std::vector<CEventInfo>& events) {
    QByteArray bytes;
    CArchive ar(bytes, CArchive::store);
    ar << std::int32_t{kEventSchema} << std::int32_t{1280} << std::int32_t{1024}
       << static_cast<std::int32_t>(events.size());
    for (CEventInfo event : events)
        event.Serialize(ar);
    return bytes;
}

std::optional<std::vector<CEventInfo>> EventsOf(const QByteArray& bytes) {
    QByteArray copy = bytes;
    CArchive ar(copy, CArchive::load);
    try {
        std::int32_t version = 0, width = 0, height = 0, count = 0;
        ar >> version >> width >> height >> count;
        std::vector<CEventInfo> events(static_cast<std::size_t>(std::max(count, 0)));
        for (CEventInfo& event : events)
            event.Serialize(ar);
        return events;
    } catch (const CException&) {
        return std::nullopt;
    }
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

QString WriteRecordingScript(const QString& scriptPath, const QString& logPath) {
    WriteFile(scriptPath, "#!/bin/sh\necho run >> '" + logPath.toLocal8Bit() + "'\n");
    QFile::setPermissions(scriptPath,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return scriptPath;
}

int LineCount(const QString& path) {
    return static_cast<int>(ReadFile(path).count('\n'));
}

QList<quint32> VisibleWindows(qint64 pid, const QString& namePattern) {
    QList<quint32> windows;
    const QByteArray out = RunXdotool(
        {"search", "--onlyvisible", "--pid", QString::number(pid), "--name", namePattern});
    for (const QByteArray& line : out.split('\n'))
        if (!line.trimmed().isEmpty())
            windows.append(line.trimmed().toUInt());
    return windows;
}

std::optional<quint32> FocusedWindow() {
    bool ok = false;
    const QByteArray out = RunXdotool({"getwindowfocus", "-f"}, &ok);
    if (!ok)
        return std::nullopt;
    return out.trimmed().toUInt();
}

bool FocusWindow(quint32 window) {
    bool ok = false;
    RunXdotool({"windowfocus", "--sync", QString::number(window)}, &ok);
    return ok;
}

bool PressKeys(const QString& keys) {
    bool ok = false;
    RunXdotool({"key", keys}, &ok);
    return ok;
}

bool SendCloseRequest(quint32 window) {
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection(
        xcb_connect(nullptr, nullptr), &xcb_disconnect);
    if (!connection || xcb_connection_has_error(connection.get()))
        return false;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = Atom(connection.get(), "WM_PROTOCOLS");
    message.data.data32[0] = Atom(connection.get(), "WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    const xcb_void_cookie_t cookie =
        xcb_send_event_checked(connection.get(), 0, window, XCB_EVENT_MASK_NO_EVENT,
                               reinterpret_cast<const char*>(&message));
    const XcbReply<xcb_generic_error_t> error(xcb_request_check(connection.get(), cookie));
    return !error;
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(20);
    }
    return true;
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
    m_process.write(colour.toLatin1() + "\nraise\n");
    return WaitPainted(colour);
}

bool ColourWindow::WaitPainted(const QString& colour) {
    const QByteArray expected = "painted " + colour.toLatin1().toLower();
    return WaitFor([&] {
        m_output += m_process.readAllStandardOutput();
        return m_output.contains(expected);
    });
}

ProgramRun::ProgramRun(const UserFolders& folders) {
    m_process.setProcessEnvironment(folders.Environment());
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral(TINTWATCH_EXE), {});
}

ProgramRun::~ProgramRun() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

std::optional<quint32> ProgramRun::WaitForWindow(int timeoutMs) {
    QList<quint32> windows;
    WaitFor(
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
