// Starting other programs. Nothing here ever goes through a shell interpreter.
#pragma once

#include <QString>
#include <QStringList>

class ILauncher {
public:
    virtual ~ILauncher() = default;
    // Opens `file` with a shell verb compared without regard to case: open, edit, print,
    // explore. An unknown verb starts nothing. Never waits: edit starts the editor once the
    // desktop has named it, on the event loop. Returns whether something started or is
    // being started.
    virtual bool ShellExecute(const QString& verb, const QString& file) = 0;
    // Starts `program` with `arguments`, detached, never waited for, leaving no zombie and no
    // inherited descriptor. Returns false when it could not be started.
    virtual bool LaunchDetached(const QString& program, const QStringList& arguments) = 0;
    // Hands an address to the desktop's own opener. Returns false when that failed.
    virtual bool OpenUrl(const QString& url) = 0;
};
