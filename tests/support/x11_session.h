// Real input and window state on the test's X display, through xdotool and a second client.
#pragma once

#include <QStringList>

#include <optional>

// Runs xdotool with `arguments`; its output, or nullopt when it failed.
std::optional<QByteArray> Xdotool(const QStringList& arguments);
// Visible windows of process `pid` whose name matches `namePattern`.
QList<quint32> VisibleWindows(qint64 pid, const QString& namePattern);
// Sends WM_DELETE_WINDOW, as a window manager's close button does.
bool SendCloseRequest(quint32 window);
