// Points every per-user folder at a fresh temporary folder, so no test ever reads or writes
// the real user's data file, settings or runtime files.
#pragma once

#include <QString>

// Call once, first thing in main(), before any Qt object exists. Returns the folder's root.
QString IsolateUserFolders();
