#include "registry/registry_system_values.h"

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/win32_registry.h"
#include "user_folders.h"

namespace platform::registry {

namespace {

constexpr const char* kCurrentVersionKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kProgramFilesValue = "ProgramFilesDir";

std::string ProgramFilesFolder()
{
    if (const char* folder = std::getenv("VEL_PROGRAM_FILES_DIR"); folder && *folder == '/') return folder;
    return platform::XdgFolder("XDG_DATA_HOME", ".local/share") + "/Velmorine/Program Files";
}

}  // namespace

void AddSystemValues(Store& store)
{
    const Key* key = store.FindKey(kCurrentVersionKey);
    if (key && key->FindValue(kProgramFilesValue)) return;
    const std::string folder = ProgramFilesFolder();
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    std::vector<BYTE> text(folder.begin(), folder.end());
    text.push_back(0);
    store.EnsureKey(kCurrentVersionKey).SetValue(kProgramFilesValue, REG_SZ, std::move(text));
}

}  // namespace platform::registry
