// The per-user folder for files that live only while the program runs (the instance lock and
// socket), which no other user may read, write or replace.
#pragma once

#include <QString>

// $XDG_RUNTIME_DIR when it is a folder of this user that nobody else can enter; otherwise
// "<temporary folder>/tintwatch-<user id>", created with user-only access. Empty when neither
// can be trusted (for example the temporary one exists and belongs to someone else).
QString PrivateRuntimeFolder();

// Whether `path` is a real folder (not a link) owned by this user with no access for others.
bool IsPrivateFolder(const QString& path);
