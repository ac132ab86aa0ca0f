// A module loaded at run time and the entry points looked up in it by name.
#pragma once

class CDynDll {
public:
    // Loads `fileName`; a module that cannot be loaded leaves the object empty, silently.
    explicit CDynDll(const char* fileName);
    CDynDll(const CDynDll&) = delete;
    CDynDll& operator=(const CDynDll&) = delete;
    // Releases the module, if one is held.
    virtual ~CDynDll();

    bool IsLoaded() const { return m_hModule != nullptr; }
    // The entry point `name`; nullptr when the module is not loaded or has no such entry.
    void* GetProcAddress(const char* name) const;

protected:
    void* m_hModule = nullptr;
};
