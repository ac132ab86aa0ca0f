#include "win_launcher.h"

#include "win32_calls.h"

#include <QDir>
#include <QProcess>
#include <QTimer>
#include <QUrl>

namespace {

// Heard once the call has returned, as from every launcher.
void Tell(LaunchDone done, bool started) {
    if (done)
        QTimer::singleShot(0, [done = std::move(done), started] {
            done(started ? QString() : QStringLiteral("Windows could not start it."));
        });
}

} // namespace

void WinLauncher::ShellExecute(const QString& verb, const QString& file, LaunchDone done) {
    const std::optional<ShellVerb> known = ParseShellVerb(verb);
    if (file.isEmpty() || !known)
        return;
    static constexpr const char* kVerbs[] = {"open", "edit", "print", "explore"};
    // The shell takes the whole path as one file, whatever blanks or quotes it holds.
    Tell(std::move(done), win32::ShellExecuteVerb(QLatin1String(kVerbs[static_cast<int>(*known)]),
                                                  QDir::toNativeSeparators(file)));
}

void WinLauncher::LaunchDetached(const QString& program, const QStringList& arguments,
                                 LaunchDone done) {
    Tell(std::move(done), !program.isEmpty() && QProcess::startDetached(program, arguments));
}

void WinLauncher::OpenUrl(const QString& url, LaunchDone done) {
    Tell(std::move(done), QUrl(url, QUrl::StrictMode).isValid() &&
                              win32::ShellExecuteVerb(QStringLiteral("open"), url));
}
