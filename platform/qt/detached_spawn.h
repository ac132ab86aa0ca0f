// Starting a program that outlives us and is never our child: no zombie, no wait, no
// descriptor of ours beyond the standard three, and no shell in between.
#pragma once

#include <QString>
#include <QStringList>

// Runs `program` (a path, or a name looked up on PATH) with `arguments`, each one whole
// argument, stdin on /dev/null, in a session of its own. Returns false when the program is
// not found or could not be executed.
bool SpawnDetached(const QString& program, const QStringList& arguments);
