// Starting a program that outlives us and is never our child: no zombie, no wait, no
// descriptor of ours beyond the standard three, no shell in between, and nothing of what this
// program changed for itself: the user's environment, every signal at its default, none
// blocked. It forks and waits for the exec, so callers keep it off the UI thread.
#pragma once

#include <QString>
#include <QStringList>

// Runs `program` (a path, or a name looked up on PATH) with `arguments`, each one whole
// argument, stdin on /dev/null, in a session of its own. Returns 0 once it runs, else the
// error that stopped it (ENOENT when not found, ENOEXEC for a file that is no program).
int SpawnDetached(const QString& program, const QStringList& arguments);
