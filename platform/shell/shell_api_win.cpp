#include "shell_api.h"

#include <QDir>

#include <windows.h>

namespace {

using SHGetSpecialFolderPathWFunction = BOOL(WINAPI*)(HWND, LPWSTR, int, BOOL);

} // namespace

CShellApi::CShellApi() : CShellApi("shell32.dll") {}

CShellApi::CShellApi(const char* library)
    : CDynDll(library), m_pfnLookup(GetProcAddress("SHGetSpecialFolderPathW")) {}

bool CShellApi::SHGetSpecialFolderPath(QString& path, int folder, bool create) const {
    if (!m_pfnLookup)
        return false;
    wchar_t buffer[MAX_PATH] = {};
    const auto lookup = reinterpret_cast<SHGetSpecialFolderPathWFunction>(m_pfnLookup);
    if (!lookup(nullptr, buffer, folder, create ? TRUE : FALSE))
        return false;
    path = QDir::fromNativeSeparators(QString::fromWCharArray(buffer));
    return true;
}
