#include "shell_api.h"

// There is no shell library here: the folder comes from the environment, and the environment
// reader is taken from the C library at run time, so a missing entry behaves as a missing
// shell entry does (no folder).
CShellApi::CShellApi() : CShellApi("libc.so.6") {}

CShellApi::CShellApi(const char* library)
    : CDynDll(library), m_pfnGetEnv(reinterpret_cast<GetEnvFunction>(GetProcAddress("getenv"))) {}

bool CShellApi::SHGetSpecialFolderPath(QString& path, int folder, bool create) const {
    if (!m_pfnGetEnv || folder != CSIDL_LOCAL_APPDATA)
        return false;
    const QString found = LocalAppDataFolder(m_pfnGetEnv, create);
    if (found.isEmpty())
        return false;
    path = found;
    return true;
}
