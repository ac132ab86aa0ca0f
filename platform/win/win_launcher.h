// Opening files with a shell verb through the Windows shell, and starting programs.
#pragma once

#include "platform/launcher.h"

class WinLauncher : public ILauncher {
public:
    bool ShellExecute(const QString& verb, const QString& file) override;
    bool LaunchDetached(const QString& program, const QStringList& arguments) override;
    bool OpenUrl(const QString& url) override;
};
