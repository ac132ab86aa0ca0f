// The per-user folder for files that live only while the program runs (an instance socket
// whose path is too long for the data folder), which no other user may read, write or replace.
#pragma once

#include <QString>

// $XDG_RUNTIME_DIR when it is a folder of this user that nobody else can enter, else empty
// (always empty on Windows, which needs none).
QString PrivateRuntimeFolder();
