#include "shell_api.h"

#include "local_app_data.h"

// There is no shell library here: the folder comes from the environment, and the environment
// reader is taken from the C library at run time, so a missing entry behaves as a missing
// shell entry does (no folder).
CShellApi::CShellApi() : CShellApi("libc.so.6") {}

CShellApi::CShellApi(const char* library)
    : CDynDll(library), m_pfnLookup(GetProcAddress("getenv")) {}

bool CShellApi::SHGetSpecialFolderPath(QString& path, int folder, bool create) const {
    if (!m_pfnLookup || folder != CSIDL_LOCAL_APPDATA)
        return false;
    const QString found = LocalAppDataFolder(reinterpret_cast<GetEnvFunction>(m_pfnLookup), create);
    if (found.isEmpty())
        return false;
    path = found;
    return true;
}
