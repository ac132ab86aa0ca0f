#include "open_url.h"

#include "platform/qt/desktop_entry.h"

void LaunchAsCurrentUser(ILauncher& launcher, const QString& executable,
                         const QStringList& arguments, LaunchDone done) {
    launcher.LaunchDetached(executable, arguments, std::move(done));
}

void OpenUrlInDefaultBrowser(ILauncher& launcher, const QString& url) {
    const auto start = [&launcher, url](const QString& desktopId) {
        // Not ours to report: a page that cannot open is a silent no-op.
        const QStringList handler = DesktopCommand(desktopId, url);
        if (handler.isEmpty())
            return launcher.OpenUrl(url, {});
        LaunchAsCurrentUser(launcher, handler.first(), handler.mid(1),
                            [&launcher, url](const QString& failure) {
                                if (!failure.isEmpty())
                                    launcher.OpenUrl(url, {});
                            });
    };
    // The desktop names its browser through a process of its own; the browser starts when the
    // answer comes, so the window and its detections never wait for it.
    QueryDefaultDesktopId(QStringLiteral("x-scheme-handler/https"), start);
}
