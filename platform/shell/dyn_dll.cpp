#include "dyn_dll.h"

#include <dlfcn.h>

CDynDll::CDynDll(const char* fileName) : m_hModule(dlopen(fileName, RTLD_NOW | RTLD_LOCAL)) {}

CDynDll::~CDynDll() {
    if (m_hModule)
        dlclose(m_hModule);
    m_hModule = nullptr;
}

void* CDynDll::GetProcAddress(const char* name) const {
    return m_hModule ? dlsym(m_hModule, name) : nullptr;
}
