#include "VersionInfo.h"

#include <cstdio>
#include <vector>

#include "platform/win32_version.h"

bool ReadVersionInfo(const std::string& fileName, TVSFillFileInfo& info)
{
    info = TVSFillFileInfo{};
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(fileName.c_str(), &handle);
    if (size == 0) return false;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoA(fileName.c_str(), handle, size, block.data())) return false;

    // The texts' table is named by the first translation: language and code page as 8 hexadecimal digits.
    char key[9] = "";
    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length) && length >= 4) {
        const WORD* translation = static_cast<const WORD*>(value);
        std::snprintf(key, sizeof key, "%04X%04X", translation[0], translation[1]);
    }
    const std::pair<const char*, std::string TVSFillFileInfo::*> fields[] = {
        {"CompanyName", &TVSFillFileInfo::CompanyName},
        {"FileDescription", &TVSFillFileInfo::FileDescription},
        {"FileVersion", &TVSFillFileInfo::FileVersion},
        {"InternalName", &TVSFillFileInfo::InternalName},
        {"LegalCopyright", &TVSFillFileInfo::LegalCopyright},
        {"ProductName", &TVSFillFileInfo::ProductName},
        {"ProductVersion", &TVSFillFileInfo::ProductVersion},
        {"Comments", &TVSFillFileInfo::Comments},
        {"ProductDescription", &TVSFillFileInfo::ProductDescription},
        {"LegalTrademark", &TVSFillFileInfo::LegalTrademark},
    };
    for (const auto& [name, field] : fields) {
        const std::string path = std::string("\\StringFileInfo\\") + key + "\\" + name;
        if (*key && VerQueryValueA(block.data(), path.c_str(), &value, &length) && length > 0)
            info.*field = static_cast<const char*>(value);
    }
    return true;
}
