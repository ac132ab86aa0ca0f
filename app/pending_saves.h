// Save requests that are still queued when the program closes: they would never run after the
// event loop ends, so closing runs them at once.
#pragma once

class QObject;

// Runs now every ID_FILE_SAVE still queued for `target` and drops every other queued command
// (nothing else queued may run while the program closes). Returns the number of saves run.
int RunPendingSaves(QObject* target);
