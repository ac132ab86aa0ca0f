// Opening files with a shell verb through the Windows shell, and starting programs. The shell
// is called on the UI thread, as it expects; its answer reaches `done` on the event loop.
#pragma once

#include "platform/launcher.h"

class WinLauncher : public ILauncher {
public:
    void ShellExecute(const QString& verb, const QString& file, LaunchDone done) override;
    void LaunchDetached(const QString& program, const QStringList& arguments,
                        LaunchDone done) override;
    void OpenUrl(const QString& url, LaunchDone done) override;
};
