#include "platform/win32_message_box.h"

#include <gtk/gtk.h>

#include <cstdio>
#include <string>
#include <vector>

#include "dialogs/dialog_backends.h"
#include "dialogs/gtk_handles.h"
#include "platform/headless.h"
#include "text/cp1251.h"

namespace {

struct Button {
    int id;
    const char* label;   // with its GTK mnemonic
    const char* answer;  // the scripted answer that picks it
};

std::vector<Button> ButtonsOf(UINT type)
{
    switch (type & 0xF) {
    case MB_OKCANCEL: return {{IDOK, "_OK", "ok"}, {IDCANCEL, "_Cancel", "cancel"}};
    case MB_YESNOCANCEL: return {{IDYES, "_Yes", "yes"}, {IDNO, "_No", "no"}, {IDCANCEL, "_Cancel", "cancel"}};
    case MB_YESNO: return {{IDYES, "_Yes", "yes"}, {IDNO, "_No", "no"}};
    default: return {{IDOK, "_OK", "ok"}};
    }
}

// The last button whose answer word it is; null when none is.
const Button* ButtonOfAnswer(const std::vector<Button>& buttons, const std::string& answer)
{
    const Button* chosen = nullptr;
    for (const Button& b : buttons)
        if (answer == b.answer) chosen = &b;
    return chosen;
}

int ScriptedAnswer(const std::string& caption, const std::string& text, const std::vector<Button>& buttons)
{
    std::fprintf(stderr, "MessageBox \"%s\": %s\n", caption.c_str(), text.c_str());
    const std::optional<std::string> answer = platform::NextScriptedAnswer();
    const Button* chosen = answer ? ButtonOfAnswer(buttons, *answer) : &buttons.front();
    if (!chosen) {
        std::fprintf(stderr, "MessageBox: answer \"%s\" fits no button; taking the first\n", answer->c_str());
        chosen = &buttons.front();
    }
    std::fprintf(stderr, "MessageBox answered: %s\n", chosen->label + 1);
    return chosen->id;
}

GtkMessageType KindOf(UINT type)
{
    switch (type & 0xF0) {
    case MB_ICONERROR: return GTK_MESSAGE_ERROR;
    case MB_ICONWARNING: return GTK_MESSAGE_WARNING;
    case MB_ICONQUESTION: return GTK_MESSAGE_QUESTION;
    default: return GTK_MESSAGE_INFO;
    }
}

// The button that closing the box (Escape, the close box) stands for: Cancel, the only button, or No.
int EscapeAnswer(const std::vector<Button>& buttons)
{
    for (const Button& b : buttons)
        if (b.id == IDCANCEL) return b.id;
    for (const Button& b : buttons)
        if (b.id == IDNO) return b.id;
    return buttons.back().id;
}

// ShowGtkBox's answer when GTK cannot open the display.
constexpr int NoGtkDisplay = -1;

// A modal GTK message dialog; NoGtkDisplay when GTK cannot open the display.
int ShowGtkBox(const std::string& title, const std::string& body, UINT type, const std::vector<Button>& buttons)
{
    if (!platform::dialogs::EnsureGtk()) return NoGtkDisplay;
    platform::dialogs::TopLevelWidget owned(
        gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, KindOf(type), GTK_BUTTONS_NONE, "%s", body.c_str()));
    GtkWidget* box = owned.get();
    gtk_window_set_title(GTK_WINDOW(box), title.c_str());
    gtk_window_set_keep_above(GTK_WINDOW(box), TRUE);
    gtk_window_set_position(GTK_WINDOW(box), GTK_WIN_POS_CENTER);
    for (const Button& b : buttons) gtk_dialog_add_button(GTK_DIALOG(box), b.label, b.id);
    gtk_dialog_set_default_response(GTK_DIALOG(box), buttons.front().id);
    const int response = gtk_dialog_run(GTK_DIALOG(box));
    owned.reset();  // destroyed before the events of its closing are handled
    while (gtk_events_pending()) gtk_main_iteration();
    return response > 0 ? response : EscapeAnswer(buttons);
}

}  // namespace

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    const std::string body = platform::Utf8FromPossibly1251(text ? text : "");
    const std::string title = platform::Utf8FromPossibly1251(caption ? caption : "Error");
    const std::vector<Button> buttons = ButtonsOf(type);
    if (platform::IsHeadless()) return ScriptedAnswer(title, body, buttons);

    const int pressed = ShowGtkBox(title, body, type, buttons);
    return pressed > 0 ? pressed : ScriptedAnswer(title, body, buttons);
}
