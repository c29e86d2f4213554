// The main frame's settings under HKEY_CURRENT_USER "Software\Morvadel\Velmorine\", and the interface language.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "GP_Exception.h"
#include "GP_GameMainFrame.h"
#include "GP_Globals.h"
#include "GP_Log.h"
#include "platform/win32_version.h"

namespace {

struct KeySetting {
    const char* name;
    std::uint16_t fallback;
};
constexpr KeySetting kKeySettings[] = {{"KeyLeft", 37}, {"KeyRight", 39}, {"KeyFire1", 32}, {"KeyFire2", 38}};

struct FlagSetting {
    const char* name;
    std::uint8_t* value;
};
const FlagSetting kFlagSettings[] = {
    {"Shadows Enable", &GlobalShadowEnabled},
    {"Music Enable", &GlobalMusicEnabled},
    {"Sound Enable", &GlobalSoundEnabled},
};

struct LanguageText {
    const char* text;
    std::uint32_t language;
};
// Read as stored, exactly; "40c" is read too but never written.
constexpr LanguageText kLanguageTexts[] = {
    {"419", GP_LanguageRussian}, {"409", GP_LanguageEnglish}, {"40C", GP_LanguageFrench},
    {"40c", GP_LanguageFrench},  {"407", GP_LanguageGerman},
};

// A value missing from the key (or of another size) takes its default; the settings of the first run also
// set FirstRun.
template <typename Value, typename Query>
void ReadOr(CGP_Registry& key, Query query, const char* name, Value& target, Value fallback, bool marksFirstRun)
{
    Value value{};
    if ((key.*query)(name, value)) {
        target = value;
        return;
    }
    target = fallback;
    if (marksFirstRun) FirstRun = 1;
}

std::uint32_t SystemLanguage()
{
    char folder[2048] = {};
    GetSystemDirectoryA(folder, sizeof folder);
    const std::string library = std::string(folder) + "\\kernel32.dll";
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(library.c_str(), &ignored);
    if (size == 0) return GP_LanguageEnglish;
    std::vector<BYTE> block(size + 1);
    void* translation = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoA(library.c_str(), 0, size, block.data()) ||
        !VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &translation, &length) || length < 4)
        return GP_LanguageEnglish;
    WORD language = 0;
    std::memcpy(&language, translation, sizeof language);
    return language;
}

const char* LanguageTextOf(std::uint32_t language)
{
    switch (language) {
    case GP_LanguageGerman: return "407";
    case GP_LanguageFrench: return "40C";
    case GP_LanguageRussian: return "419";
    default: return "409";
    }
}

}  // namespace

void CGP_GameMainFrame::ReadSettings()
{
    FirstRun = 0;
    CGP_Registry& key = *settingsKey;
    for (int i = 0; i < 4; ++i)
        ReadOr(key, &CGP_Registry::QueryWord, kKeySettings[i].name, GameKeys.codes[i], kKeySettings[i].fallback, false);
    for (const FlagSetting& flag : kFlagSettings)
        ReadOr(key, &CGP_Registry::QueryByte, flag.name, *flag.value, std::uint8_t{1}, true);
    std::uint32_t volume = 0;
    ReadOr(key, &CGP_Registry::QueryDword, "Sound Volume", volume, static_cast<std::uint32_t>(-1000), true);
    GP_EffectsVolume = static_cast<std::int32_t>(volume);
    ReadOr(key, &CGP_Registry::QueryDword, "Music Volume", volume, std::uint32_t{0}, true);
    MusicVolume = static_cast<std::int32_t>(volume);
    ReadOr(key, &CGP_Registry::QueryByte, "PutResults", PutResults, std::uint8_t{1}, true);
    ReadSlotSelected();
    std::unique_ptr<char[]> text;
    if (!key.QueryString("Language", text)) {
        InterfaceLanguage = 0;
        return;
    }
    for (const LanguageText& entry : kLanguageTexts)
        if (std::strcmp(text.get(), entry.text) == 0) InterfaceLanguage = entry.language;
}

// The stored slot indexes the selection; one past the ten slots would reach outside it, so it selects slot 0.
void CGP_GameMainFrame::ReadSlotSelected()
{
    std::uint32_t slot = 0;
    if (!settingsKey->QueryDword("Slot Selected", slot)) slot = 0;
    if (slot >= GP_PlayerSlots) {
        std::unique_ptr<char[]> line(FormatNew("Slot Selected = %u is no player slot; slot 0 is selected\n", slot));
        GP_LogWrite(line.get());
        slot = 0;
    }
    std::memset(SlotSelected, 0, sizeof SlotSelected);
    SlotSelected[slot] = 1;
}

void CGP_GameMainFrame::WriteSettings()
{
    CGP_Registry& key = *settingsKey;
    for (int i = 0; i < 4; ++i) key.SetWord(kKeySettings[i].name, GameKeys.codes[i]);
    for (const FlagSetting& flag : kFlagSettings) key.SetByte(flag.name, *flag.value);
    key.SetDword("Sound Volume", static_cast<std::uint32_t>(GP_EffectsVolume));
    key.SetDword("Music Volume", static_cast<std::uint32_t>(MusicVolume));
    key.SetByte("PutResults", PutResults);
    for (std::uint32_t slot = 0; slot < GP_PlayerSlots; ++slot)
        if (SlotSelected[slot] == 1) key.SetDword("Slot Selected", slot);
    key.SetString("Language", LanguageTextOf(InterfaceLanguage));
}

void CGP_GameMainFrame::ResolveLanguage()
{
    if (InterfaceLanguage == 0) InterfaceLanguage = SystemLanguage();
    switch (InterfaceLanguage) {
    case GP_LanguageRussian:
    case GP_LanguageEnglish:
    case GP_LanguageFrench:
    case GP_LanguageGerman: return;
    default: InterfaceLanguage = GP_LanguageEnglish;
    }
}
