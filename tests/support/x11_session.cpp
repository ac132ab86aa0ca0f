#include "x11_session.h"

#include "platform/x11/xcb_reply.h"

#include <QProcess>
#include <xcb/xcb.h>

namespace {

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(qstrlen(name)), name),
        nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

} // namespace

std::optional<QByteArray> Xdotool(const QStringList& arguments) {
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), arguments);
    if (!xdotool.waitForFinished(5000) || xdotool.exitStatus() != QProcess::NormalExit ||
        xdotool.exitCode() != 0)
        return std::nullopt;
    return xdotool.readAllStandardOutput();
}

QList<quint32> VisibleWindows(qint64 pid, const QString& namePattern) {
    QList<quint32> windows;
    const QByteArray found =
        Xdotool({"search", "--onlyvisible", "--pid", QString::number(pid), "--name", namePattern})
            .value_or(QByteArray());
    for (const QByteArray& line : found.split('\n'))
        if (!line.isEmpty())
            windows.append(line.toUInt());
    return windows;
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
    return !XcbReply<xcb_generic_error_t>(xcb_request_check(connection.get(), cookie));
}
