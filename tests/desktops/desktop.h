// What the tests on the real GNOME and KDE desktops share (scripts/desktop-session.sh): input
// injected as a user's, and finding a window by its colour, since Wayland tells no client
// where its windows are.
#pragma once

#include "platform/screen.h"
#include "support/waiting.h"

#include <QProcess>
#include <optional>

// Runs scripts/desktops/`script` with `steps` (keys, pointer moves, clicks), the event loop
// running meanwhile: the program's portal calls go on in it.
inline bool Input(const char* script, const QStringList& steps) {
    QProcess input;
    input.setProcessChannelMode(QProcess::ForwardedChannels);
    input.start(QStringLiteral(DESKTOP_SCRIPTS "/") + QLatin1String(script), steps);
    return WaitUntil([&] { return input.state() == QProcess::NotRunning; }, 60000) &&
           input.exitStatus() == QProcess::NormalExit && input.exitCode() == 0;
}

// A point well inside an area of `colour` on the shared screen.
inline std::optional<QPoint> Find(IScreen& screen, COLORREF colour) {
    const QSize size = screen.VirtualScreenSize();
    for (int y = 40; y < size.height() - 40; y += 20)
        for (int x = 40; x < size.width() - 40; x += 20)
            if (screen.GetPixel(x - 30, y - 30) == colour &&
                screen.GetPixel(x + 30, y + 30) == colour)
                return QPoint(x, y);
    return std::nullopt;
}
