#include "open_url.h"

#include "platform/launcher.h"
#include "platform/qt/desktop_entry.h"

bool LaunchAsCurrentUser(ILauncher& launcher, const QString& executable,
                         const QStringList& arguments) {
    return launcher.LaunchDetached(executable, arguments);
}

void OpenUrlInDefaultBrowser(ILauncher& launcher, const QString& url) {
    const auto start = [&launcher, url](const QString& desktopId) {
        const QStringList handler = DesktopCommand(desktopId, url);
        if (!handler.isEmpty() && LaunchAsCurrentUser(launcher, handler.first(), handler.mid(1)))
            return;
        // Not ours to report: a page that cannot open is a silent no-op.
        launcher.OpenUrl(url);
    };
    // The desktop names its browser through a process of its own; the browser starts when the
    // answer comes, so the window and its detections never wait for it.
    QueryDefaultDesktopId(QStringLiteral("x-scheme-handler/https"), start);
}
