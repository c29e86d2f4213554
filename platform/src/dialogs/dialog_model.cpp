#include "dialogs/dialog_model.h"

#include <algorithm>
#include <cstring>

#include "platform/win32_messages.h"

namespace platform::dialogs {

namespace {

std::vector<Dialog*> running;

// Dialog units to pixels: the base units of a font of this size (an average character 6 pixels wide and
// 13 high at 8 points, in proportion otherwise).
struct BaseUnits {
    int x;
    int y;
};

BaseUnits UnitsOf(int points)
{
    const int y = std::max(8, (points * 96 * 6 + 36 * 5) / (72 * 5));  // 1.2 times the size in pixels, rounded
    return {std::max(4, (y * 6 + 6) / 13), y};
}

RECT ToPixels(const BaseUnits& units, int x, int y, int width, int height)
{
    const LONG left = x * units.x / 4;
    const LONG top = y * units.y / 8;
    return {left, top, left + width * units.x / 4, top + height * units.y / 8};
}

// The automatic radio buttons that go with the one at index: the run of radio buttons around it in tab order.
void CheckInGroup(Dialog& dialog, std::size_t index)
{
    auto isRadio = [&](std::size_t i) { return dialog.controls[i]->item.kind == DialogItemKind::RadioButton; };
    std::size_t first = index;
    while (first > 0 && isRadio(first - 1)) --first;
    for (std::size_t i = first; i < dialog.controls.size() && isRadio(i); ++i) {
        Control& control = *dialog.controls[i];
        const bool checked = i == index;
        if (control.checked == checked) continue;
        control.checked = checked;
        if (dialog.view) dialog.view->Changed(dialog, &control);
    }
}

// The control of the dialog with that handle; null when it has none.
Control* ControlOfHandle(Dialog& dialog, HWND handle)
{
    for (auto& control : dialog.controls)
        if (control->Handle() == handle) return control.get();
    return nullptr;
}

}  // namespace

Control* Dialog::Find(int id)
{
    for (auto& control : controls)
        if (control->item.id == id) return control.get();
    return nullptr;
}

std::unique_ptr<Dialog> MakeDialog(const DialogTemplate& dialogTemplate, DLGPROC procedure, HWND owner)
{
    auto dialog = std::make_unique<Dialog>();
    dialog->procedure = procedure;
    dialog->owner = owner;
    dialog->caption = dialogTemplate.caption;
    dialog->fontName = dialogTemplate.fontName;
    dialog->fontPoints = dialogTemplate.fontPoints;
    const BaseUnits units = UnitsOf(dialogTemplate.fontPoints);
    dialog->rect = ToPixels(units, 0, 0, dialogTemplate.width, dialogTemplate.height);
    for (const DialogItem& item : dialogTemplate.items) {
        auto control = std::make_unique<Control>();
        control->item = item;
        control->text = item.text;
        control->rect = ToPixels(units, item.x, item.y, item.width, item.height);
        dialog->controls.push_back(std::move(control));
    }
    return dialog;
}

void PushRunning(Dialog& dialog) { running.push_back(&dialog); }
void PopRunning() { running.pop_back(); }
Dialog* TopRunning() { return running.empty() ? nullptr : running.back(); }

Dialog* FindDialog(HWND handle)
{
    for (Dialog* dialog : running)
        if (dialog->Handle() == handle) return dialog;
    return nullptr;
}

Control* FindControl(HWND handle, Dialog** owner)
{
    for (Dialog* dialog : running) {
        Control* control = ControlOfHandle(*dialog, handle);
        if (!control) continue;
        if (owner) *owner = dialog;
        return control;
    }
    return nullptr;
}

INT_PTR Send(Dialog& dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return dialog.procedure ? dialog.procedure(dialog.Handle(), message, wParam, lParam) : 0;
}

void Click(Dialog& dialog, Control& control)
{
    if (control.item.kind == DialogItemKind::RadioButton) {
        for (std::size_t i = 0; i < dialog.controls.size(); ++i)
            if (dialog.controls[i].get() == &control) CheckInGroup(dialog, i);
    }
    Send(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(control.item.id), BN_CLICKED),
         reinterpret_cast<LPARAM>(control.Handle()));
}

void Close(Dialog& dialog)
{
    if (Send(dialog, WM_SYSCOMMAND, SC_CLOSE, 0) != 0 || dialog.ended) return;
    Control* cancel = dialog.Find(IDCANCEL);
    Send(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
         reinterpret_cast<LPARAM>(cancel ? cancel->Handle() : nullptr));
}

namespace {

LRESULT AddItem(Control& control, const char* text)
{
    std::vector<std::string>& items = control.items;
    const std::string item = text ? text : "";
    auto place = items.end();
    if (control.item.options & kDialogSorted) place = std::upper_bound(items.begin(), items.end(), item);
    const auto index = place - items.begin();
    items.insert(place, item);
    if (control.selected >= index) ++control.selected;
    return index;
}

bool ValidIndex(const Control& control, WPARAM index) { return index < control.items.size(); }

}  // namespace

LRESULT ListMessage(Dialog& dialog, Control& control, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (control.item.kind != DialogItemKind::ComboBox) return CB_ERR;
    switch (message) {
    case CB_ADDSTRING: {
        const LRESULT index = AddItem(control, reinterpret_cast<const char*>(lParam));
        if (dialog.view) dialog.view->Changed(dialog, &control);
        return index;
    }
    case CB_GETCOUNT: return static_cast<LRESULT>(control.items.size());
    case CB_GETCURSEL: return control.selected;
    case CB_SETCURSEL:
        control.selected = ValidIndex(control, wParam) ? static_cast<int>(wParam) : -1;
        if (dialog.view) dialog.view->Changed(dialog, &control);
        return control.selected;
    case CB_GETLBTEXTLEN:
        return ValidIndex(control, wParam) ? static_cast<LRESULT>(control.items[wParam].size()) : CB_ERR;
    case CB_GETLBTEXT:
        if (!ValidIndex(control, wParam) || !lParam) return CB_ERR;
        std::memcpy(reinterpret_cast<char*>(lParam), control.items[wParam].c_str(), control.items[wParam].size() + 1);
        return static_cast<LRESULT>(control.items[wParam].size());
    default: return CB_ERR;
    }
}

void CheckInRange(Dialog& dialog, int first, int last, int check)
{
    for (auto& control : dialog.controls) {
        const int id = control->item.id;
        if (id < first || id > last) continue;
        const bool checked = id == check;
        if (control->checked == checked) continue;
        control->checked = checked;
        if (dialog.view) dialog.view->Changed(dialog, control.get());
    }
}

}  // namespace platform::dialogs
