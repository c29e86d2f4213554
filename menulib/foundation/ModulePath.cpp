#include "foundation/ModulePath.h"

#include <cstring>

#include "foundation/CString.h"
#include "platform/win32_desktop.h"
#include "platform/win32_module.h"

namespace {
CString& Override()
{
    static CString path;
    return path;
}
}  // namespace

bool GetModulePath(char* buffer, int size)
{
    if (!buffer || size <= 0) return false;
    const CString& path = Override();
    if (path.IsEmpty()) return GetModuleFileNameA(nullptr, buffer, static_cast<DWORD>(size)) != 0;
    const int n = path.GetLength() < size - 1 ? path.GetLength() : size - 1;
    std::memcpy(buffer, path.GetText(), n);
    buffer[n] = 0;
    return true;
}

void SetModulePathOverride(const char* path) { Override() = path; }

bool GetModuleFolder(char* buffer, int size)
{
    if (!GetModulePath(buffer, size)) return false;
    char* cut = std::strrchr(buffer, '\\');
    if (!cut) cut = std::strrchr(buffer, '/');
    if (cut) cut[1] = 0;
    return true;
}

bool ChangeToModuleFolder()
{
    char folder[4096];
    return GetModuleFolder(folder, sizeof folder) && SetCurrentDirectoryA(folder);
}
