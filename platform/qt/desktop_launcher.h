// Opening files with a shell verb and starting programs, the freedesktop.org way, and never
// through a shell interpreter: a path is always one whole argument.
#pragma once

#include "platform/launcher.h"

class DesktopLauncher : public ILauncher {
public:
    bool ShellExecute(const QString& verb, const QString& file) override;
    bool LaunchDetached(const QString& program, const QStringList& arguments) override;
    bool OpenUrl(const QString& url) override;

private:
    bool Open(const QString& file);
    bool Edit(const QString& path);
    static bool Explore(const QString& path);
    static bool OpenLocal(const QString& path);
};
