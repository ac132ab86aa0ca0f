#include "desktop_launcher.h"

#include "desktop_entry.h"
#include "detached_spawn.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace {

// "https://..." and the like; a single letter before the colon is no scheme, and an existing
// local file is a file whatever its name.
bool IsAddress(const QString& file) {
    if (file.startsWith(QLatin1Char('/')) || QFileInfo::exists(file))
        return false;
    const QUrl url(file, QUrl::StrictMode);
    return url.isValid() && url.scheme().size() > 1;
}

// Absolute, so that no path can ever be taken for an option ("-rf") by the program it is
// handed to.
QString AbsolutePath(const QString& file) {
    return file.isEmpty() ? QString() : QFileInfo(file).absoluteFilePath();
}

} // namespace

bool DesktopLauncher::ShellExecute(const QString& verb, const QString& file) {
    const std::optional<ShellVerb> known = ParseShellVerb(verb);
    if (file.isEmpty() || !known)
        return false;
    switch (*known) {
    case ShellVerb::Open:
        return Open(file);
    case ShellVerb::Edit:
        return Edit(AbsolutePath(file));
    case ShellVerb::Print:
        return LaunchDetached(QStringLiteral("lp"), {AbsolutePath(file)});
    case ShellVerb::Explore:
        return Explore(AbsolutePath(file));
    }
    return false;
}

bool DesktopLauncher::LaunchDetached(const QString& program, const QStringList& arguments) {
    return !program.isEmpty() && SpawnDetached(program, arguments);
}

bool DesktopLauncher::OpenUrl(const QString& url) {
    const QUrl address(url, QUrl::StrictMode);
    return address.isValid() && QDesktopServices::openUrl(address);
}

bool DesktopLauncher::Open(const QString& file) {
    if (IsAddress(file))
        return OpenUrl(file);
    const QFileInfo info(file);
    if (info.isFile() && info.isExecutable())
        return LaunchDetached(info.absoluteFilePath(), {});
    return OpenLocal(info.absoluteFilePath());
}

bool DesktopLauncher::Edit(const QString& path) {
    // The desktop names its editor through a process of its own; the editor starts when the
    // answer comes, so a detection never waits for it.
    QueryDefaultDesktopId(QStringLiteral("text/plain"), [path](const QString& desktopId) {
        const QStringList command = DesktopCommand(desktopId, path);
        if (!command.isEmpty() && SpawnDetached(command.first(), command.mid(1)))
            return;
        OpenLocal(path);
    });
    return true;
}

bool DesktopLauncher::Explore(const QString& path) {
    const QFileInfo info(path);
    return OpenLocal(info.isDir() ? info.absoluteFilePath() : info.absolutePath());
}

bool DesktopLauncher::OpenLocal(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
