#include "platform/win32_message_box.h"

#include <SDL.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "text/cp1251.h"
#include "window/sdl_window_access.h"

namespace {

struct Button {
    int id;
    const char* label;
    const char* answer;  // the scripted answer that picks it
};

std::vector<Button> ButtonsOf(UINT type)
{
    switch (type & 0xF) {
    case MB_OKCANCEL: return {{IDOK, "OK", "ok"}, {IDCANCEL, "Cancel", "cancel"}};
    case MB_YESNOCANCEL: return {{IDYES, "Yes", "yes"}, {IDNO, "No", "no"}, {IDCANCEL, "Cancel", "cancel"}};
    case MB_YESNO: return {{IDYES, "Yes", "yes"}, {IDNO, "No", "no"}};
    default: return {{IDOK, "OK", "ok"}};
    }
}

int ScriptedAnswer(const std::string& caption, const std::string& text, const std::vector<Button>& buttons)
{
    std::fprintf(stderr, "MessageBox \"%s\": %s\n", caption.c_str(), text.c_str());
    const std::optional<std::string> answer = platform::NextScriptedAnswer();
    const Button* chosen = &buttons.front();
    if (answer) {
        bool known = false;
        for (const Button& b : buttons)
            if (*answer == b.answer) {
                chosen = &b;
                known = true;
            }
        if (!known) std::fprintf(stderr, "MessageBox: answer \"%s\" fits no button; taking the first\n", answer->c_str());
    }
    std::fprintf(stderr, "MessageBox answered: %s\n", chosen->label);
    return chosen->id;
}

Uint32 IconFlags(UINT type)
{
    switch (type & 0xF0) {
    case MB_ICONERROR: return SDL_MESSAGEBOX_ERROR;
    case MB_ICONWARNING: return SDL_MESSAGEBOX_WARNING;
    default: return SDL_MESSAGEBOX_INFORMATION;
    }
}

}  // namespace

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    const std::string body = platform::Utf8FromPossibly1251(text ? text : "");
    const std::string title = platform::Utf8FromPossibly1251(caption ? caption : "Error");
    const std::vector<Button> buttons = ButtonsOf(type);
    if (platform::IsHeadless()) return ScriptedAnswer(title, body, buttons);

    std::vector<SDL_MessageBoxButtonData> data;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        Uint32 flags = i == 0 ? SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT : 0;
        if (buttons[i].id == IDCANCEL || (buttons.size() == 1) || (buttons[i].id == IDNO && buttons.size() == 2))
            flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
        data.push_back({flags, buttons[i].id, buttons[i].label});
    }
    const SDL_MessageBoxData box{IconFlags(type), platform::SdlWindowOf(owner), title.c_str(), body.c_str(),
                                 static_cast<int>(data.size()), data.data(), nullptr};
    int pressed = 0;
    if (SDL_ShowMessageBox(&box, &pressed) != 0) return ScriptedAnswer(title, body, buttons);
    return pressed > 0 ? pressed : buttons.back().id;
}
