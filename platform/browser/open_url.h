// Opening web pages in the user's browser.
#pragma once

#include "platform/launcher.h"

// Starts `executable` with `arguments` as the user running this program, detached, never
// waiting for it; `done` hears whether it started.
void LaunchAsCurrentUser(ILauncher& launcher, const QString& executable,
                         const QStringList& arguments, LaunchDone done);

// Opens `url` in the default browser, without waiting: once the desktop has named its https
// handler (on this thread's event loop), that handler is started directly with the address as
// one argument, else the desktop's own opener gets it. Every failure is silent. `launcher`
// must outlive the answer.
void OpenUrlInDefaultBrowser(ILauncher& launcher, const QString& url);
