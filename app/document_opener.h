// Filling the document from the data file at start-up.
#pragma once

#include <QString>
#include <functional>

inline constexpr char kMismatchText[] =
    "Seems like Application Data Mismatch due to version update.\n\nThere are good chances that "
    "the software will work fine when you start the application again.";

enum class StartDocument {
    Opened,   // the file was read; the document reported anything wrong in it itself
    Mismatch, // the opening raised an error: told, and the file removed once kept in a copy
    New,      // no readable file: the document starts empty, nothing shown
};

// Keeps a copy of the damaged file at the path, tells the text, and returns whether the file
// may go (CTintwatchDoc::KeepDamaged).
using KeepDamagedFunction = std::function<bool(const QString& path, const QString& text)>;

// Probes `path` for reading; when it can be read, runs `open` on it (the document's opening),
// else `startNew`. An error of the data-file family escaping `open` has `keepDamaged` keep
// the file and show the mismatch message, then deletes the file, so the next start is clean;
// it stays when no copy could be made and the user did not let it go. Any other error
// escaping `open` is ignored.
StartDocument OpenEventDocument(const QString& path,
                                const std::function<void(const QString&)>& open,
                                const std::function<void()>& startNew,
                                const KeepDamagedFunction& keepDamaged);
