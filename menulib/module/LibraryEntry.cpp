// The shared library's entry: when it is loaded it notes its own module handle, from which the library's start
// takes the path of its file (and so its folder). Built into the shared object only.
#include <dlfcn.h>

#include "foundation/HostWindow.h"

namespace {

// A handle on the module that holds this function, without keeping the module loaded.
void* OwnModuleHandle()
{
    Dl_info info{};
    if (!::dladdr(reinterpret_cast<void*>(&OwnModuleHandle), &info) || !info.dli_fname) return nullptr;
    void* handle = ::dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD);
    if (handle) ::dlclose(handle);
    return handle;
}

[[gnu::constructor]] void NoteModuleHandle()
{
    HostWindow::Instance().moduleHandle = static_cast<HINSTANCE>(OwnModuleHandle());
}

}  // namespace
