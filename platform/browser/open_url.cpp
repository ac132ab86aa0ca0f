#include "open_url.h"

#include "platform/launcher.h"
#include "platform/qt/desktop_entry.h"

namespace {

// The desktop's https handler with `url` in place of its field code; empty when none is named
// or its entry cannot be read.
QStringList HttpsHandlerCommand(const QString& url) {
    const QString entry =
        FindDesktopEntry(DefaultDesktopIdFor(QStringLiteral("x-scheme-handler/https")));
    return entry.isEmpty() ? QStringList() : ExpandDesktopExec(ReadDesktopExec(entry), url);
}

} // namespace

bool LaunchAsCurrentUser(ILauncher& launcher, const QString& executable,
                         const QStringList& arguments) {
    return launcher.LaunchDetached(executable, arguments);
}

void OpenUrlInDefaultBrowser(ILauncher& launcher, const QString& url) {
    const QStringList handler = HttpsHandlerCommand(url);
    if (!handler.isEmpty() && LaunchAsCurrentUser(launcher, handler.first(), handler.mid(1)))
        return;
    // Its result is not ours to report: a page that cannot open is a silent no-op.
    launcher.OpenUrl(url);
}
