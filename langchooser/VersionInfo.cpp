#include "VersionInfo.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/win32_version.h"

namespace {

// One entry of "\VarFileInfo\Translation" as the block stores it (platform::BuildVersionBlock writes it).
struct TranslationEntry {
    WORD language;
    WORD codePage;
};

// The key of the texts' table that the first translation names: language and code page as 8 hexadecimal
// digits; "" when the block has no translation.
std::string FirstTranslationKey(const BYTE* block)
{
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block, "\\VarFileInfo\\Translation", &value, &length) || length < sizeof(TranslationEntry))
        return "";
    TranslationEntry first;
    std::memcpy(&first, value, sizeof first);
    char key[9];
    std::snprintf(key, sizeof key, "%04X%04X", first.language, first.codePage);
    return key;
}

}  // namespace

bool ReadVersionInfo(const std::string& fileName, TVSFillFileInfo& info)
{
    info = TVSFillFileInfo{};
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(fileName.c_str(), &handle);
    if (size == 0) return false;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoA(fileName.c_str(), handle, size, block.data())) return false;

    const std::string key = FirstTranslationKey(block.data());
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
    if (key.empty()) return true;
    for (const auto& [name, field] : fields) {
        const std::string path = "\\StringFileInfo\\" + key + "\\" + name;
        void* value = nullptr;
        UINT length = 0;
        if (VerQueryValueA(block.data(), path.c_str(), &value, &length) && length > 0)
            info.*field = static_cast<const char*>(value);
    }
    return true;
}
