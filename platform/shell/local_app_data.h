// The current user's local application-data folder as the freedesktop rules name it.
#pragma once

#include <QString>

// Reads one environment variable; nullptr when it is not set.
using GetEnvFunction = char* (*)(const char*);

// $XDG_DATA_HOME when it is an absolute path, else <home>/.local/share, where home is $HOME or,
// without it, the password database's entry. Created when missing and `create` is set. Empty
// when no home is known or the folder cannot be created.
QString LocalAppDataFolder(GetEnvFunction getEnv, bool create);
