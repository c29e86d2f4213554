// The headless dialog: what a person would see is printed to stderr, and the scripted answers act as the
// person: "click <id>" clicks a control, "close" uses the close box, "type <id> <text>" fills an edit box and
// "select <id> <text>" picks an item of a drop-down list.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "dialogs/dialog_backends.h"
#include "platform/headless.h"
#include "platform/win32_messages.h"

namespace platform::dialogs {

namespace {

const char* KindName(DialogItemKind kind)
{
    switch (kind) {
    case DialogItemKind::PushButton: return "button";
    case DialogItemKind::DefaultPushButton: return "default button";
    case DialogItemKind::RadioButton: return "radio button";
    case DialogItemKind::GroupBox: return "group box";
    case DialogItemKind::EtchedFrame: return "frame";
    case DialogItemKind::Text: return "text";
    case DialogItemKind::Edit: return "edit box";
    case DialogItemKind::ComboBox: return "combo box";
    case DialogItemKind::Picture: return "picture";
    }
    return "control";
}

void PrintControl(const Control& control)
{
    if (control.item.kind == DialogItemKind::ComboBox) {
        std::fprintf(stderr, "Dialog   %d combo box \"%s\" (%zu items)\n", control.item.id,
                     control.selected >= 0 ? control.items[control.selected].c_str() : "", control.items.size());
        return;
    }
    std::fprintf(stderr, "Dialog   %d %s \"%s\"%s\n", control.item.id, KindName(control.item.kind),
                 control.item.kind == DialogItemKind::EtchedFrame ? "" : control.text.c_str(),
                 control.checked ? " (checked)" : "");
}

void PrintDialog(const Dialog& dialog)
{
    std::fprintf(stderr, "Dialog \"%s\" at %d, %d, %d x %d\n", dialog.caption.c_str(), dialog.rect.left,
                 dialog.rect.top, dialog.rect.right - dialog.rect.left, dialog.rect.bottom - dialog.rect.top);
    for (const auto& control : dialog.controls) PrintControl(*control);
}

// Without answers left, the dialog is closed as a user would; one that stays open is ended as cancelled.
void CloseUnanswered(Dialog& dialog)
{
    std::fprintf(stderr, "Dialog: no scripted answer left; closing it\n");
    Close(dialog);
    if (dialog.ended) return;
    std::fprintf(stderr, "Dialog: it stays open; ending it as cancelled\n");
    dialog.ended = true;
    dialog.result = IDCANCEL;
}

class HeadlessView : public DialogView {
public:
    void Run(Dialog& dialog) override
    {
        shown_ = true;
        PrintDialog(dialog);
        ReportShown(dialog, dialog.rect);
        while (!dialog.ended) {
            const std::optional<std::string> answer = NextScriptedAnswer();
            if (!answer) {
                CloseUnanswered(dialog);
                break;
            }
            Act(dialog, *answer);
        }
        std::fprintf(stderr, "Dialog \"%s\" ended with %ld\n", dialog.caption.c_str(),
                     static_cast<long>(dialog.result));
    }

    void Changed(Dialog& dialog, const Control* control) override
    {
        if (!shown_) return;  // the first picture shows it
        if (control)
            PrintControl(*control);
        else
            PrintDialog(dialog);
    }

private:
    static void Act(Dialog& dialog, const std::string& answer)
    {
        std::fprintf(stderr, "Dialog answer: %s\n", answer.c_str());
        if (answer == "close") {
            Close(dialog);
            return;
        }
        std::string text;
        Control* control = nullptr;
        if (answer.rfind("click ", 0) == 0 && (control = Target(dialog, answer.c_str() + 6, &text)) && text.empty()) {
            Click(dialog, *control);
        } else if (answer.rfind("type ", 0) == 0 && (control = Target(dialog, answer.c_str() + 5, &text)) &&
                   control->item.kind == DialogItemKind::Edit) {
            control->text = text;
            PrintControl(*control);
        } else if (answer.rfind("select ", 0) == 0 && (control = Target(dialog, answer.c_str() + 7, &text)) &&
                   Select(*control, text)) {
            PrintControl(*control);
        } else {
            std::fprintf(stderr, "Dialog: the answer \"%s\" fits no control; ignored\n", answer.c_str());
        }
    }

    // The control whose id starts rest, and the text after the blank that follows it.
    static Control* Target(Dialog& dialog, const char* rest, std::string* text)
    {
        char* end = nullptr;
        const long id = std::strtol(rest, &end, 10);
        if (end == rest || (*end != '\0' && *end != ' ')) return nullptr;
        *text = *end ? end + 1 : "";
        return dialog.Find(static_cast<int>(id));
    }

    static bool Select(Control& control, const std::string& text)
    {
        for (std::size_t i = 0; i < control.items.size(); ++i)
            if (control.items[i] == text) {
                control.selected = static_cast<int>(i);
                return true;
            }
        return false;
    }

    bool shown_ = false;
};

}  // namespace

std::unique_ptr<DialogView> MakeHeadlessView() { return std::make_unique<HeadlessView>(); }

}  // namespace platform::dialogs
