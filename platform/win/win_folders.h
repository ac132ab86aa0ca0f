// The user's desktop and the Windows folder's Notepad.
#pragma once

#include "platform/folders.h"

class WinFolders : public IFolders {
public:
    QString DesktopFolder() override;
    // "<Windows folder>\Notepad.exe", built whether or not it exists; empty without a Windows
    // folder.
    QString DefaultEditorPath() override;
};
