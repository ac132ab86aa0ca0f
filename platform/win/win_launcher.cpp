#include "win_launcher.h"

#include "win32_calls.h"

#include <QDir>
#include <QProcess>
#include <QUrl>

bool WinLauncher::ShellExecute(const QString& verb, const QString& file) {
    const std::optional<ShellVerb> known = ParseShellVerb(verb);
    if (file.isEmpty() || !known)
        return false;
    static constexpr const char* kVerbs[] = {"open", "edit", "print", "explore"};
    // The shell takes the whole path as one file, whatever blanks or quotes it holds.
    return win32::ShellExecuteVerb(QLatin1String(kVerbs[static_cast<int>(*known)]),
                                   QDir::toNativeSeparators(file));
}

bool WinLauncher::LaunchDetached(const QString& program, const QStringList& arguments) {
    return !program.isEmpty() && QProcess::startDetached(program, arguments);
}

bool WinLauncher::OpenUrl(const QString& url) {
    return QUrl(url, QUrl::StrictMode).isValid() &&
           win32::ShellExecuteVerb(QStringLiteral("open"), url);
}
