#include "platform/clipboard.h"

#include <SDL.h>

#include <cctype>
#include <cstring>
#include <map>
#include <mutex>
#include <vector>

#include "platform/headless.h"

namespace {

std::mutex lock;
std::map<UINT, std::string>& Held()
{
    static std::map<UINT, std::string> formats;
    return formats;
}
std::vector<std::string>& FormatNames()
{
    static std::vector<std::string> names;
    return names;
}

bool UsesDesktop(UINT format) { return format == CF_TEXT && !platform::IsHeadless() && SDL_WasInit(SDL_INIT_VIDEO); }

std::string Lower(const char* text)
{
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

UINT RegisterClipboardFormatA(LPCSTR name)
{
    if (!name || !*name) return 0;
    std::lock_guard<std::mutex> hold(lock);
    std::vector<std::string>& names = FormatNames();
    const std::string key = Lower(name);
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == key) return static_cast<UINT>(0xC000 + i);
    names.push_back(key);
    return static_cast<UINT>(0xC000 + names.size() - 1);
}

namespace platform {

bool WriteClipboard(UINT format, const void* data, std::size_t size)
{
    if (format == 0 || (!data && size)) return false;
    std::string bytes(static_cast<const char*>(data), size);
    if (UsesDesktop(format)) return SDL_SetClipboardText(std::string(bytes.c_str()).c_str()) == 0;
    std::lock_guard<std::mutex> hold(lock);
    Held()[format] = std::move(bytes);
    return true;
}

bool ReadClipboard(UINT format, std::string* bytes)
{
    if (UsesDesktop(format)) {
        if (!SDL_HasClipboardText()) return false;
        char* text = SDL_GetClipboardText();
        if (!text) return false;
        if (bytes) bytes->assign(text, std::strlen(text) + 1);  // as stored by Windows: with its terminator
        SDL_free(text);
        return true;
    }
    std::lock_guard<std::mutex> hold(lock);
    const auto it = Held().find(format);
    if (it == Held().end()) return false;
    if (bytes) *bytes = it->second;
    return true;
}

}  // namespace platform
