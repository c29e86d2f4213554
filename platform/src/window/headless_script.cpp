#include "window/headless_script.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <set>
#include <sstream>

#include "platform/win32_messages.h"
#include "text/cp1251.h"
#include "window/key_table.h"

namespace {

#define VK_NAME(name) \
    {                 \
#name, name   \
    }
constexpr struct {
    const char* name;
    int vk;
} KeyNames[] = {
    VK_NAME(VK_BACK),     VK_NAME(VK_TAB),       VK_NAME(VK_RETURN),    VK_NAME(VK_SHIFT),      VK_NAME(VK_CONTROL),
    VK_NAME(VK_MENU),     VK_NAME(VK_PAUSE),     VK_NAME(VK_CAPITAL),   VK_NAME(VK_ESCAPE),     VK_NAME(VK_SPACE),
    VK_NAME(VK_PRIOR),    VK_NAME(VK_NEXT),      VK_NAME(VK_END),       VK_NAME(VK_HOME),       VK_NAME(VK_LEFT),
    VK_NAME(VK_UP),       VK_NAME(VK_RIGHT),     VK_NAME(VK_DOWN),      VK_NAME(VK_SNAPSHOT),   VK_NAME(VK_INSERT),
    VK_NAME(VK_DELETE),   VK_NAME(VK_LWIN),      VK_NAME(VK_RWIN),      VK_NAME(VK_APPS),       VK_NAME(VK_NUMPAD0),
    VK_NAME(VK_NUMPAD1),  VK_NAME(VK_NUMPAD2),   VK_NAME(VK_NUMPAD3),   VK_NAME(VK_NUMPAD4),    VK_NAME(VK_NUMPAD5),
    VK_NAME(VK_NUMPAD6),  VK_NAME(VK_NUMPAD7),   VK_NAME(VK_NUMPAD8),   VK_NAME(VK_NUMPAD9),    VK_NAME(VK_MULTIPLY),
    VK_NAME(VK_ADD),      VK_NAME(VK_SUBTRACT),  VK_NAME(VK_DECIMAL),   VK_NAME(VK_DIVIDE),     VK_NAME(VK_F1),
    VK_NAME(VK_F2),       VK_NAME(VK_F3),        VK_NAME(VK_F4),        VK_NAME(VK_F5),         VK_NAME(VK_F6),
    VK_NAME(VK_F7),       VK_NAME(VK_F8),        VK_NAME(VK_F9),        VK_NAME(VK_F10),        VK_NAME(VK_F11),
    VK_NAME(VK_F12),      VK_NAME(VK_NUMLOCK),   VK_NAME(VK_SCROLL),    VK_NAME(VK_LSHIFT),     VK_NAME(VK_RSHIFT),
    VK_NAME(VK_LCONTROL), VK_NAME(VK_RCONTROL),  VK_NAME(VK_LMENU),     VK_NAME(VK_RMENU),      VK_NAME(VK_OEM_1),
    VK_NAME(VK_OEM_PLUS), VK_NAME(VK_OEM_COMMA), VK_NAME(VK_OEM_MINUS), VK_NAME(VK_OEM_PERIOD), VK_NAME(VK_OEM_2),
    VK_NAME(VK_OEM_3),    VK_NAME(VK_OEM_4),     VK_NAME(VK_OEM_5),     VK_NAME(VK_OEM_6),      VK_NAME(VK_OEM_7),
    VK_NAME(VK_OEM_102),
};
#undef VK_NAME

// The side keys name one position; the plain modifier codes take the left one.
SDL_Scancode PositionOf(int vk)
{
    switch (vk) {
    case VK_LSHIFT: return SDL_SCANCODE_LSHIFT;
    case VK_RSHIFT: return SDL_SCANCODE_RSHIFT;
    case VK_LCONTROL: return SDL_SCANCODE_LCTRL;
    case VK_RCONTROL: return SDL_SCANCODE_RCTRL;
    case VK_LMENU: return SDL_SCANCODE_LALT;
    case VK_RMENU: return SDL_SCANCODE_RALT;
    default: return platform::ScancodeOfVirtualKey(vk);
    }
}

Uint16 ModifierOf(SDL_Scancode position)
{
    switch (position) {
    case SDL_SCANCODE_LSHIFT: return KMOD_LSHIFT;
    case SDL_SCANCODE_RSHIFT: return KMOD_RSHIFT;
    case SDL_SCANCODE_LCTRL: return KMOD_LCTRL;
    case SDL_SCANCODE_RCTRL: return KMOD_RCTRL;
    case SDL_SCANCODE_LALT: return KMOD_LALT;
    case SDL_SCANCODE_RALT: return KMOD_RALT;
    default: return KMOD_NONE;
    }
}

bool ToLong(const std::string& text, long& value)
{
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 0);
    return end && *end == '\0';
}

bool ToCoordinate(const std::string& text, Sint32& value)
{
    long v = 0;
    if (!ToLong(text, v) || v < -32768 || v > 32767) return false;
    value = static_cast<Sint32>(v);
    return true;
}

Uint8 ButtonOfName(const std::string& name)
{
    if (name == "left") return SDL_BUTTON_LEFT;
    if (name == "right") return SDL_BUTTON_RIGHT;
    if (name == "middle") return SDL_BUTTON_MIDDLE;
    return 0;
}

struct Line {
    long frame;
    int number;
    std::vector<std::string> words;
    std::string rest;  // the text after "char "
};

// Turns the lines, in frame order, into SDL events, keeping the keys the script holds down.
class EventBuilder {
public:
    explicit EventBuilder(platform::ParsedScript& out) : out_(out) {}

    void Add(const Line& line)
    {
        const std::vector<std::string>& w = line.words;
        const std::string& kind = w[0];
        if (kind == "key" && w.size() == 3 && (w[1] == "down" || w[1] == "up"))
            Key(line, w[1] == "down", w[2]);
        else if (kind == "char" && !line.rest.empty())
            Chars(line);
        else if (kind == "mouse" && w.size() == 4 && w[1] == "move")
            Mouse(line, SDL_MOUSEMOTION, 0, w[2], w[3]);
        else if (kind == "mouse" && w.size() == 5 && (w[1] == "down" || w[1] == "up"))
            Mouse(line, w[1] == "down" ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP, ButtonOfName(w[2]), w[3], w[4]);
        else if (kind == "mouse" && w.size() == 4 && w[1] == "motion")
            Motion(line, w[2], w[3]);
        else if (kind == "joystick")
            Joystick(line, w);
        else if (w.size() == 1 && (kind == "activate" || kind == "deactivate" || kind == "close"))
            Window(line, kind == "activate"     ? SDL_WINDOWEVENT_FOCUS_GAINED
                         : kind == "deactivate" ? SDL_WINDOWEVENT_FOCUS_LOST
                                                : SDL_WINDOWEVENT_CLOSE);
        else
            Error(line, "unknown event");
    }

private:
    void Key(const Line& line, bool down, const std::string& name)
    {
        const int vk = platform::VirtualKeyOfName(name);
        const SDL_Scancode position = vk ? PositionOf(vk) : SDL_SCANCODE_UNKNOWN;
        if (position == SDL_SCANCODE_UNKNOWN) return Error(line, "unknown key \"" + name + "\"");
        const bool wasDown = held_.count(position) != 0;
        if (down) {
            held_.insert(position);
            mods_ |= ModifierOf(position);
        } else {
            held_.erase(position);
            mods_ &= static_cast<Uint16>(~ModifierOf(position));
        }
        SDL_Event e{};
        e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
        e.key.repeat = down && wasDown ? 1 : 0;
        e.key.keysym.scancode = position;
        e.key.keysym.sym = vk >= 'A' && vk <= 'Z' ? SDLK_a + (vk - 'A') : SDLK_UNKNOWN;
        e.key.keysym.mod = mods_;
        Push(line, e);
    }

    void Chars(const Line& line)
    {
        for (char32_t cp : platform::DecodeUtf8(line.rest)) {
            SDL_Event e{};
            e.type = SDL_TEXTINPUT;
            std::string utf8;
            if (cp < 0x80) {
                utf8 = static_cast<char>(cp);
            } else if (cp < 0x800) {
                utf8 = {static_cast<char>(0xC0 | (cp >> 6)), static_cast<char>(0x80 | (cp & 0x3F))};
            } else if (cp < 0x10000) {
                utf8 = {static_cast<char>(0xE0 | (cp >> 12)), static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
                        static_cast<char>(0x80 | (cp & 0x3F))};
            } else {
                utf8 = {static_cast<char>(0xF0 | (cp >> 18)), static_cast<char>(0x80 | ((cp >> 12) & 0x3F)),
                        static_cast<char>(0x80 | ((cp >> 6) & 0x3F)), static_cast<char>(0x80 | (cp & 0x3F))};
            }
            std::memcpy(e.text.text, utf8.data(), utf8.size());
            Push(line, e);
        }
    }

    void Mouse(const Line& line, Uint32 type, Uint8 button, const std::string& x, const std::string& y)
    {
        SDL_Event e{};
        e.type = type;
        Sint32 px = 0, py = 0;
        if (!ToCoordinate(x, px) || !ToCoordinate(y, py)) return Error(line, "bad mouse position");
        if (type == SDL_MOUSEMOTION) {
            e.motion.x = px;
            e.motion.y = py;
            e.motion.state = buttons_;
        } else {
            if (button == 0) return Error(line, "unknown mouse button");
            e.button.button = button;
            e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
            e.button.clicks = 1;
            e.button.x = px;
            e.button.y = py;
            const Uint32 mask = SDL_BUTTON(button);
            buttons_ = type == SDL_MOUSEBUTTONDOWN ? buttons_ | mask : buttons_ & ~mask;
        }
        Push(line, e);
    }

    void Motion(const Line& line, const std::string& dx, const std::string& dy)
    {
        SDL_Event e{};
        e.type = SDL_MOUSEMOTION;
        if (!ToCoordinate(dx, e.motion.xrel) || !ToCoordinate(dy, e.motion.yrel))
            return Error(line, "bad mouse motion");
        e.motion.state = buttons_;
        PushDeviceOnly(line, e);
    }

    void Joystick(const Line& line, const std::vector<std::string>& w)
    {
        SDL_Event e{};
        if (w.size() == 2 && (w[1] == "attach" || w[1] == "detach")) {
            e.type = w[1] == "attach" ? SDL_JOYDEVICEADDED : SDL_JOYDEVICEREMOVED;
            return PushDeviceOnly(line, e);
        }
        if (w.size() == 4 && w[1] == "axes") {
            Sint32 x = 0, y = 0;
            if (!ToCoordinate(w[2], x) || !ToCoordinate(w[3], y) || x < -32768 || x > 32767 || y < -32768 || y > 32767)
                return Error(line, "bad joystick axes");
            e.type = SDL_JOYAXISMOTION;
            e.jaxis.axis = 0;
            e.jaxis.value = static_cast<Sint16>(x);
            PushDeviceOnly(line, e);
            e.jaxis.axis = 1;
            e.jaxis.value = static_cast<Sint16>(y);
            return PushDeviceOnly(line, e);
        }
        if (w.size() == 3 && (w[1] == "down" || w[1] == "up") && (w[2] == "0" || w[2] == "1")) {
            e.type = w[1] == "down" ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
            e.jbutton.button = static_cast<Uint8>(w[2][0] - '0');
            return PushDeviceOnly(line, e);
        }
        Error(line, "unknown joystick event");
    }

    void PushDeviceOnly(const Line& line, const SDL_Event& e) { out_.events.push_back({line.frame, e, mods_, true}); }

    void Window(const Line& line, Uint8 event)
    {
        SDL_Event e{};
        e.type = SDL_WINDOWEVENT;
        e.window.event = event;
        Push(line, e);
    }

    void Push(const Line& line, const SDL_Event& e) { out_.events.push_back({line.frame, e, mods_}); }
    void Error(const Line& line, const std::string& what)
    {
        out_.errors.push_back("line " + std::to_string(line.number) + ": " + what);
    }

    platform::ParsedScript& out_;
    std::set<SDL_Scancode> held_;
    Uint16 mods_ = KMOD_NONE;
    Uint32 buttons_ = 0;
};

}  // namespace

namespace platform {

int VirtualKeyOfName(std::string_view name)
{
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return std::toupper(static_cast<unsigned char>(name[0]));
    for (const auto& key : KeyNames)
        if (name == key.name) return key.vk;
    long number = 0;
    if (ToLong(std::string(name), number) && number > 0 && number < 256) return static_cast<int>(number);
    return 0;
}

ParsedScript ParseHeadlessScript(std::string_view text)
{
    ParsedScript out;
    std::vector<Line> lines;
    std::istringstream in{std::string(text)};
    int number = 0;
    for (std::string raw; std::getline(in, raw);) {
        ++number;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        std::istringstream words(raw);
        Line line{0, number, {}, {}};
        std::string frameText;
        if (!(words >> frameText) || frameText[0] == '#') continue;
        if (!ToLong(frameText, line.frame) || line.frame < 0) {
            out.errors.push_back("line " + std::to_string(number) + ": bad frame \"" + frameText + "\"");
            continue;
        }
        for (std::string word; words >> word;) line.words.push_back(word);
        if (line.words.empty()) {
            out.errors.push_back("line " + std::to_string(number) + ": no event");
            continue;
        }
        if (line.words[0] == "char") {
            const std::size_t at = raw.find("char") + 4;
            line.rest = at < raw.size() ? raw.substr(at + 1) : "";
        }
        lines.push_back(std::move(line));
    }
    std::stable_sort(lines.begin(), lines.end(), [](const Line& a, const Line& b) { return a.frame < b.frame; });
    EventBuilder builder(out);
    for (const Line& line : lines) builder.Add(line);
    return out;
}

}  // namespace platform
