#include "version/system_library.h"

#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "ascii_case.h"
#include "owned_handles.h"
#include "platform/files.h"
#include "platform/win32_version.h"

namespace platform::version {

namespace {

std::string SystemDirectory()
{
    Dl_info info{};
    if (!::dladdr(reinterpret_cast<void*>(&GetSystemDirectoryA), &info) || !info.dli_fname) return ".";
    const UniqueMalloc<char> real(::realpath(info.dli_fname, nullptr));
    const std::string path = real ? real.get() : info.dli_fname;
    const std::size_t cut = path.rfind('/');
    return cut == std::string::npos ? "." : cut == 0 ? "/" : path.substr(0, cut);
}

struct LocaleLanguage {
    const char* code;  // ISO 639-1
    WORD id;
};

// Languages by their main country; a locale of another country of the language takes the same identifier.
constexpr LocaleLanguage kLanguages[] = {
    {"cs", 0x0405}, {"de", 0x0407}, {"en", 0x0409}, {"es", 0x0C0A}, {"fr", 0x040C}, {"it", 0x0410}, {"ja", 0x0411},
    {"nl", 0x0413}, {"pl", 0x0415}, {"pt", 0x0416}, {"ru", 0x0419}, {"uk", 0x0422}, {"zh", 0x0804},
};

}  // namespace

bool IsSystemLibrary(std::string_view fileName)
{
    const std::string path = ResolvePath(fileName);
    const std::size_t cut = path.rfind('/');
    const std::string folder = cut == std::string::npos ? "." : cut == 0 ? "/" : path.substr(0, cut);
    const std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
    return EqualIgnoringCase(name, "kernel32.dll") && folder == SystemDirectory();
}

WORD LocaleLanguageId()
{
    const char* locale = nullptr;
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = std::getenv(variable);
        if (locale && *locale) break;
    }
    if (!locale || std::strlen(locale) < 2) return 0x0409;
    const std::string code{AsciiLower(locale[0]), AsciiLower(locale[1])};
    const bool whole = locale[2] == '\0' || locale[2] == '_' || locale[2] == '.' || locale[2] == '@';
    for (const LocaleLanguage& language : kLanguages)
        if (whole && code == language.code) return language.id;
    return 0x0409;
}

std::vector<BYTE> SystemLibraryVersionBlock()
{
    VersionDescription description;
    description.language = LocaleLanguageId();
    description.codePage = 0x04B0;  // Unicode
    description.strings = {{"FileDescription", "System library"}};
    return BuildVersionBlock(description);
}

}  // namespace platform::version

UINT GetSystemDirectoryA(LPSTR buffer, UINT size)
{
    const std::string folder = platform::version::SystemDirectory();
    if (!buffer || size <= folder.size()) return static_cast<UINT>(folder.size() + 1);
    std::memcpy(buffer, folder.c_str(), folder.size() + 1);
    return static_cast<UINT>(folder.size());
}
