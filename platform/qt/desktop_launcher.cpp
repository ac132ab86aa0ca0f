#include "desktop_launcher.h"

#include "desktop_entry.h"
#include "detached_spawn.h"
#include "file_start.h"
#include "launch_queue.h"

#include <QFileInfo>
#include <QUrl>

#include <cerrno>
#include <utility>

// Everything in this namespace runs on the launch thread.
namespace {

QString Failure(int error) {
    return error == 0 ? QString() : qt_error_string(error);
}

// "https://..." and the like; a single letter before the colon is no scheme, and an existing
// local file is a file whatever its name.
bool IsAddress(const QString& file) {
    if (file.startsWith(QLatin1Char('/')) || QFileInfo::exists(file))
        return false;
    const QUrl url(file, QUrl::StrictMode);
    return url.isValid() && url.scheme().size() > 1;
}

// The desktop's opener, started like any other program, with an address or a file's URL.
QString OpenWithDesktop(const QString& address) {
    return Failure(SpawnDetached(QStringLiteral("xdg-open"), {address}));
}

QString OpenLocal(const QString& path) {
    return OpenWithDesktop(QString::fromLatin1(QUrl::fromLocalFile(path).toEncoded()));
}

// Absolute, so that no path can ever be taken for an option ("-rf") by the program it is
// handed to.
QString AbsolutePath(const QString& file) {
    return QFileInfo(file).absoluteFilePath();
}

QString Open(const QString& file) {
    if (IsAddress(file))
        return OpenWithDesktop(file);
    const QString path = AbsolutePath(file);
    if (ChooseFileStart(path) == FileStart::Run) {
        const int error = SpawnDetached(path, {});
        if (error != ENOEXEC) // no program after all: a document with the execute bit
            return Failure(error);
    }
    return OpenLocal(path);
}

QString Explore(const QString& path) {
    const QFileInfo info(path);
    return OpenLocal(info.isDir() ? info.absoluteFilePath() : info.absolutePath());
}

QString EditWith(const QString& desktopId, const QString& path) {
    const QStringList command = DesktopCommand(desktopId, path);
    if (!command.isEmpty() && SpawnDetached(command.first(), command.mid(1)) == 0)
        return {};
    return OpenLocal(path);
}

} // namespace

DesktopLauncher::DesktopLauncher()
    : m_shared(std::make_shared<Shared>(Shared{std::make_unique<LaunchQueue>(), {}})) {}

DesktopLauncher::~DesktopLauncher() = default;

void DesktopLauncher::ShellExecute(const QString& verb, const QString& file, LaunchDone done) {
    const std::optional<ShellVerb> known = ParseShellVerb(verb);
    if (file.isEmpty() || !known)
        return;
    LaunchQueue& queue = *m_shared->queue;
    switch (*known) {
    case ShellVerb::Open:
        return queue.Post([file] { return Open(file); }, std::move(done));
    case ShellVerb::Edit:
        return Edit(file, std::move(done));
    case ShellVerb::Print:
        return LaunchDetached(QStringLiteral("lp"), {AbsolutePath(file)}, std::move(done));
    case ShellVerb::Explore:
        return queue.Post([file] { return Explore(AbsolutePath(file)); }, std::move(done));
    }
}

void DesktopLauncher::LaunchDetached(const QString& program, const QStringList& arguments,
                                     LaunchDone done) {
    m_shared->queue->Post(
        [program, arguments] {
            return Failure(program.isEmpty() ? ENOENT : SpawnDetached(program, arguments));
        },
        std::move(done));
}

void DesktopLauncher::OpenUrl(const QString& url, LaunchDone done) {
    m_shared->queue->Post(
        [url] {
            const QUrl address(url, QUrl::StrictMode);
            return address.isValid() && !address.scheme().isEmpty() ? OpenWithDesktop(url)
                                                                    : Failure(EINVAL);
        },
        std::move(done));
}

void DesktopLauncher::StartPending() {
    m_shared->queue->RunPending();
}

void DesktopLauncher::Edit(const QString& file, LaunchDone done) {
    LaunchQueue* queue = m_shared->queue.get();
    const QString path = AbsolutePath(file);
    WithHandler(QStringLiteral("text/plain"),
                [queue, path, done = std::move(done)](const QString& desktopId) {
                    queue->Post([desktopId, path] { return EditWith(desktopId, path); }, done);
                });
}

void DesktopLauncher::WithHandler(const QString& mimeType,
                                  std::function<void(const QString&)> use) {
    Handler& handler = m_shared->handlers[mimeType];
    if (handler.desktopId)
        return use(*handler.desktopId);
    handler.waiting.push_back(std::move(use));
    if (handler.waiting.size() > 1)
        return; // the desktop has been asked already
    // Kept whatever it is: a desktop that named nobody, or was too slow, is not asked again.
    QueryDefaultDesktopId(mimeType,
                          [weak = std::weak_ptr(m_shared), mimeType](const QString& desktopId) {
                              const std::shared_ptr<Shared> shared = weak.lock();
                              if (!shared)
                                  return;
                              Handler& asked = shared->handlers[mimeType];
                              asked.desktopId = desktopId;
                              for (const auto& waiting : std::exchange(asked.waiting, {}))
                                  waiting(desktopId);
                          });
}
