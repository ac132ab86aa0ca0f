// Opening files with a shell verb and starting programs, the freedesktop.org way, and never
// through a shell interpreter: a path is always one whole argument. Every start happens on a
// launch thread; the desktop's choice of editor is asked once and kept.
#pragma once

#include "platform/launcher.h"

#include <map>
#include <memory>
#include <optional>
#include <vector>

class LaunchQueue;

class DesktopLauncher : public ILauncher {
public:
    DesktopLauncher();
    ~DesktopLauncher() override;

    void ShellExecute(const QString& verb, const QString& file, LaunchDone done) override;
    void LaunchDetached(const QString& program, const QStringList& arguments,
                        LaunchDone done) override;
    void OpenUrl(const QString& url, LaunchDone done) override;
    void StartPending() override;

private:
    // The desktop's application for a file type: asked once, kept for the program's run.
    struct Handler {
        std::optional<QString> desktopId;
        std::vector<std::function<void(const QString& desktopId)>> waiting;
    };
    // What the desktop's answers, which may come after this object is gone, reach.
    struct Shared {
        std::unique_ptr<LaunchQueue> queue;
        std::map<QString, Handler> handlers;
    };
    void Edit(const QString& path, LaunchDone done);
    // Runs `use` with the desktop id of `mimeType`'s application, at once when known.
    void WithHandler(const QString& mimeType, std::function<void(const QString&)> use);

    std::shared_ptr<Shared> m_shared;
};
