// The user's folders from the XDG settings, and a text editor found on PATH.
#pragma once

#include "platform/folders.h"

class XdgFolders : public IFolders {
public:
    QString DesktopFolder() override;
    QString DefaultEditorPath() override;
};
