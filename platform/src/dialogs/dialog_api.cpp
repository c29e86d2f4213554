// The Win32 dialog calls over the running dialogs.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "dialogs/dialog_backends.h"
#include "platform/dialog_testing.h"
#include "platform/headless.h"
#include "platform/win32_messages.h"

using namespace platform::dialogs;

namespace {

platform::DialogShownHook shownHook = nullptr;

std::map<std::string, platform::DialogTemplate>& Templates()
{
    static std::map<std::string, platform::DialogTemplate> templates;
    return templates;
}

// The key of a resource name: "#<number>" for MAKEINTRESOURCEA(number), else the name in upper case (resource
// names ignore case).
std::string ResourceKey(LPCSTR name)
{
    const auto value = reinterpret_cast<std::uintptr_t>(name);
    if (value <= 0xFFFF) return "#" + std::to_string(value);
    std::string key(name);
    for (char& c : key) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return key;
}

// A dialog is kept whole on the screen where it fits, and at its top left where it does not.
void KeepOnScreen(RECT& rect)
{
    const LONG width = rect.right - rect.left, height = rect.bottom - rect.top;
    const LONG left = std::max<LONG>(0, std::min<LONG>(rect.left, GetSystemMetrics(SM_CXSCREEN) - width));
    const LONG top = std::max<LONG>(0, std::min<LONG>(rect.top, GetSystemMetrics(SM_CYSCREEN) - height));
    rect = {left, top, left + width, top + height};
}

void ChangedDialog(Dialog& dialog, const Control* control)
{
    if (dialog.view) dialog.view->Changed(dialog, control);
}

}  // namespace

namespace platform {

void SetDialogShownHook(DialogShownHook hook) { shownHook = hook; }

namespace dialogs {

void ReportShown(Dialog& dialog, const RECT& onScreen)
{
    if (shownHook) shownHook(dialog.Handle(), onScreen);
}

}  // namespace dialogs

void RegisterDialogTemplate(LPCSTR name, const DialogTemplate& dialogTemplate)
{
    Templates()[ResourceKey(name)] = dialogTemplate;
}

}  // namespace platform

INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC procedure, LPARAM initParam)
{
    const auto found = Templates().find(ResourceKey(templateName));
    if (found == Templates().end()) {
        std::fprintf(stderr, "Dialog: no dialog template %s\n", ResourceKey(templateName).c_str());
        return DialogBoxFailed;
    }
    std::unique_ptr<Dialog> dialog = MakeDialog(found->second, procedure, owner);
    std::unique_ptr<DialogView> view = platform::IsHeadless() ? MakeHeadlessView() : MakeGtkView(*dialog);
    if (!view) {
        std::fprintf(stderr, "Dialog \"%s\" cannot be shown\n", dialog->caption.c_str());
        return DialogBoxFailed;
    }
    dialog->view = view.get();
    PushRunning(*dialog);
    HWND focus = nullptr;
    for (const auto& control : dialog->controls)
        if (!focus && (control->item.options & platform::kDialogTabStop)) focus = control->Handle();
    Send(*dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(focus), initParam);
    if (!dialog->ended) view->Run(*dialog);
    PopRunning();
    dialog->view = nullptr;
    return dialog->result;
}

BOOL EndDialog(HWND handle, INT_PTR result)
{
    Dialog* dialog = FindDialog(handle);
    if (!dialog) return FALSE;
    dialog->ended = true;
    dialog->result = result;
    return TRUE;
}

HWND GetDlgItem(HWND handle, int id)
{
    Dialog* dialog = FindDialog(handle);
    Control* control = dialog ? dialog->Find(id) : nullptr;
    return control ? control->Handle() : nullptr;
}

BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text) { return SetWindowTextA(GetDlgItem(dialog, id), text); }

UINT GetDlgItemTextA(HWND handle, int id, LPSTR text, int maxCount)
{
    Dialog* dialog = FindDialog(handle);
    Control* control = dialog ? dialog->Find(id) : nullptr;
    if (!text || maxCount <= 0) return 0;
    std::string shown = control ? control->text : "";
    if (control && control->item.kind == platform::DialogItemKind::ComboBox)
        shown = control->selected >= 0 ? control->items[control->selected] : "";
    const std::size_t length = std::min<std::size_t>(shown.size(), maxCount - 1);
    if (length) std::memcpy(text, shown.data(), length);
    text[length] = '\0';
    return static_cast<UINT>(length);
}

LRESULT SendDlgItemMessageA(HWND handle, int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    Dialog* dialog = FindDialog(handle);
    Control* control = dialog ? dialog->Find(id) : nullptr;
    return control ? ListMessage(*dialog, *control, message, wParam, lParam) : CB_ERR;
}

BOOL CheckRadioButton(HWND handle, int first, int last, int check)
{
    Dialog* dialog = FindDialog(handle);
    if (!dialog) return FALSE;
    CheckInRange(*dialog, first, last, check);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND handle, int id)
{
    Dialog* dialog = FindDialog(handle);
    Control* control = dialog ? dialog->Find(id) : nullptr;
    return control && control->checked ? BST_CHECKED : BST_UNCHECKED;
}

BOOL SetWindowTextA(HWND handle, LPCSTR text)
{
    const std::string value = text ? text : "";
    if (Dialog* dialog = FindDialog(handle)) {
        dialog->caption = value;
        ChangedDialog(*dialog, nullptr);
        return TRUE;
    }
    Dialog* owner = nullptr;
    if (Control* control = FindControl(handle, &owner)) {
        control->text = value;
        ChangedDialog(*owner, control);
        return TRUE;
    }
    return FALSE;
}

BOOL GetWindowRect(HWND handle, RECT* rect)
{
    Dialog* dialog = FindDialog(handle);
    if (!dialog || !rect) return FALSE;
    *rect = dialog->rect;
    return TRUE;
}

BOOL SetWindowPos(HWND handle, HWND insertAfter, int x, int y, int width, int height, UINT flags)
{
    Dialog* dialog = FindDialog(handle);
    if (!dialog) return FALSE;
    RECT& rect = dialog->rect;
    if (!(flags & SWP_NOSIZE)) {
        rect.right = rect.left + width;
        rect.bottom = rect.top + height;
    }
    if (!(flags & SWP_NOMOVE)) {
        rect = {x, y, x + (rect.right - rect.left), y + (rect.bottom - rect.top)};
    }
    KeepOnScreen(rect);
    ChangedDialog(*dialog, nullptr);
    return TRUE;
}

int GetSystemMetrics(int index)
{
    int width = 1024;
    int height = 768;
    if (!platform::IsHeadless()) GtkScreenSize(width, height);
    switch (index) {
    case SM_CXSCREEN: return width;
    case SM_CYSCREEN: return height;
    default: return 0;
    }
}

HWND GetForegroundWindow()
{
    Dialog* top = TopRunning();
    return top ? top->Handle() : nullptr;
}
