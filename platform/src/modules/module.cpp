#include "platform/win32_module.h"

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "platform/debug_output.h"
#include "platform/files.h"

namespace {

std::string ProgramPath()
{
    char path[4096];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string();
}

bool IsFile(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

std::string Locate(const std::string& name)
{
    const std::string resolved = platform::ResolvePath(name);
    if (resolved.find('/') != std::string::npos) return resolved;
    const std::string program = ProgramPath();
    const std::string besideProgram =
        platform::ResolvePath(program.substr(0, program.find_last_of('/') + 1) + resolved);
    if (IsFile(besideProgram)) return besideProgram;
    if (IsFile(resolved)) return "./" + resolved;
    return resolved;
}

}  // namespace

HMODULE LoadLibraryA(LPCSTR fileName)
{
    if (!fileName || !*fileName) return nullptr;
    void* handle = ::dlopen(Locate(fileName).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const std::string note = std::string("LoadLibraryA(\"") + fileName + "\"): " + ::dlerror() + "\n";
        OutputDebugStringA(note.c_str());
    }
    return static_cast<HMODULE>(handle);
}

FARPROC GetProcAddress(HMODULE module, LPCSTR procName)
{
    if (!module || !procName) return nullptr;
    return reinterpret_cast<FARPROC>(::dlsym(module, procName));
}

BOOL FreeLibrary(HMODULE module) { return module && ::dlclose(module) == 0 ? TRUE : FALSE; }

DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size)
{
    if (!fileName || size == 0) return 0;
    std::string path;
    if (!module) {
        path = ProgramPath();
    } else {
        link_map* map = nullptr;
        if (::dlinfo(module, RTLD_DI_LINKMAP, &map) != 0 || !map || !map->l_name) return 0;
        path = map->l_name;
    }
    const std::size_t copied = path.size() < size ? path.size() : size - 1;
    std::memcpy(fileName, path.data(), copied);
    fileName[copied] = '\0';
    return path.size() < size ? static_cast<DWORD>(copied) : size;
}
