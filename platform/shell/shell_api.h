// The shell's folder function, reached through a module loaded for the one call that needs it.
#pragma once

#include "dyn_dll.h"

#include <QString>

// Folder identifier of the current user's local application data.
inline constexpr int CSIDL_LOCAL_APPDATA = 0x1C;

class CShellApi : public CDynDll {
public:
    // Loads the system's library and looks up the entry the folder look-up needs; a missing
    // library or entry leaves the look-up unavailable, silently.
    CShellApi();
    // The same over another library, for a look-up whose entry cannot be found.
    explicit CShellApi(const char* library);
    ~CShellApi() override = default;

    bool HasFolderLookup() const { return m_pfnLookup != nullptr; }
    // Sets `path` to the folder `folder` (created when missing and `create` is set) and
    // returns true. Returns false and leaves `path` untouched when the look-up is unavailable,
    // the folder is not one this platform knows, or it cannot be found or created.
    bool SHGetSpecialFolderPath(QString& path, int folder, bool create) const;

private:
    // The entry found in the module, of the type its platform's look-up calls it with.
    void* m_pfnLookup = nullptr;
};
