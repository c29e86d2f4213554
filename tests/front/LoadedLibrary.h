// The library of this tree loaded with dlopen from a test's library folder, its exports found by name.
#pragma once
#include <dlfcn.h>

#include <string>

#include "front/tadll.h"

namespace fronttest {

class LoadedLibrary {
public:
    explicit LoadedLibrary(const std::string& path) : m_path(path), m_handle(::dlopen(path.c_str(), RTLD_NOW)) {}
    ~LoadedLibrary() { Unload(); }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    bool IsLoaded() const { return m_handle != nullptr; }
    void Unload()
    {
        if (m_handle) ::dlclose(m_handle);
        m_handle = nullptr;
    }
    // True while the process still maps the library.
    bool StillMapped() const
    {
        void* handle = ::dlopen(m_path.c_str(), RTLD_NOW | RTLD_NOLOAD);
        if (handle) ::dlclose(handle);
        return handle != nullptr;
    }
    template <typename Function>
    Function* Export(const char* name) const
    {
        return reinterpret_cast<Function*>(::dlsym(m_handle, name));
    }

    // The start as the game makes it.
    TA_ResultCode16 Initialize(int libVersion = 6, std::int16_t debugBuild = 0) const
    {
        return Export<tadll_Initialize_fn>("tadll_Initialize")(60, "Velmorine", 4089, 1.0f, debugBuild, libVersion);
    }
    void ShutDown() const { Export<tadll_ShutDown_fn>("tadll_ShutDown")(); }
    const char* LastError() const
    {
        return Export<tadll_GetLastErrorInformation_fn>("tadll_GetLastErrorInformation")();
    }
    const char* ValueAsString(const char* name, const char* defaultValue) const
    {
        return Export<tadll_GetValueAsString_fn>("tadll_GetValueAsString")(name, defaultValue);
    }
    int ValueAsInt(const char* name, int defaultValue) const
    {
        return Export<tadll_GetValueAsInt_fn>("tadll_GetValueAsInt")(name, defaultValue);
    }

private:
    std::string m_path;
    void* m_handle;
};

}  // namespace fronttest
