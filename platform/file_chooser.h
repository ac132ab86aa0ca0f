// The file-open dialog.
#pragma once

#include <QString>

class QWidget;

class IFileChooser {
public:
    virtual ~IFileChooser() = default;
    // Asks for one existing file, starting in `startFolder`, with a filter such as
    // "All Files (*)". Returns its full path, or an empty string when cancelled.
    virtual QString GetOpenFileName(QWidget* owner, const QString& startFolder,
                                    const QString& filter) = 0;
};
