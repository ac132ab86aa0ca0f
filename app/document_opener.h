// Filling the document from the data file at start-up.
#pragma once

#include <QString>
#include <functional>

class IMessageBox;

inline constexpr char kMismatchText[] =
    "Seems like Application Data Mismatch due to version update.\n\nThere are good chances that "
    "the software will work fine when you start the application again.";

enum class StartDocument {
    Opened,   // the file was read; the document reported anything wrong in it itself
    Mismatch, // the opening raised an error: told, the file kept as .bad and removed
    New,      // no readable file: the document starts empty, nothing shown
};

// Probes `path` for reading; when it can be read, runs `open` on it (the document's opening),
// else `startNew`. An error of the data-file family escaping `open` shows the mismatch
// message (no owner, error icon, OK), keeps the file beside itself as .bad and deletes it, so
// the next start is clean; the file is only deleted once its copy exists. Any other error
// escaping `open` is ignored.
StartDocument OpenEventDocument(const QString& path,
                                const std::function<void(const QString&)>& open,
                                const std::function<void()>& startNew, IMessageBox& messageBox);
