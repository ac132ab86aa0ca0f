#include "dyn_dll.h"

#include <windows.h>

CDynDll::CDynDll(const char* fileName) : m_hModule(LoadLibraryA(fileName)) {}

CDynDll::~CDynDll() {
    if (m_hModule)
        FreeLibrary(static_cast<HMODULE>(m_hModule));
    m_hModule = nullptr;
}

void* CDynDll::GetProcAddress(const char* name) const {
    return m_hModule
               ? reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(m_hModule), name))
               : nullptr;
}
