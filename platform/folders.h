// The user's well-known folders and programs.
#pragma once

#include <QString>

class IFolders {
public:
    virtual ~IFolders() = default;
    // The desktop folder, not created when missing; empty when unknown.
    virtual QString DesktopFolder() = 0;
    // Full path of the first text editor found on PATH, or empty when there is none.
    virtual QString DefaultEditorPath() = 0;
};
