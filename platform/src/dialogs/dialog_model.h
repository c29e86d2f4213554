// A running dialog and its controls, shared by the GTK and the headless backends. Handles of dialogs and
// controls are the addresses of these records, and are only ever followed after being found among the dialogs
// that run now.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/win32_dialog.h"

namespace platform::dialogs {

struct Control {
    DialogItem item;
    std::string text;
    bool checked = false;
    std::vector<std::string> items;  // a drop-down list's
    int selected = -1;
    RECT rect{};  // in pixels, within the dialog

    HWND Handle() const { return reinterpret_cast<HWND>(const_cast<Control*>(this)); }
};

class DialogView;

struct Dialog {
    DLGPROC procedure = nullptr;
    HWND owner = nullptr;
    std::string caption;
    std::string fontName;
    int fontPoints = 8;
    RECT rect{};  // on the screen
    std::vector<std::unique_ptr<Control>> controls;
    bool ended = false;
    INT_PTR result = 0;
    DialogView* view = nullptr;

    HWND Handle() const { return reinterpret_cast<HWND>(const_cast<Dialog*>(this)); }
    Control* Find(int id);
};

// The dialog's own handling of everything a backend may report.
class DialogView {
public:
    virtual ~DialogView() = default;
    // Called after WM_INITDIALOG when the dialog goes on; returns when it has ended.
    virtual void Run(Dialog& dialog) = 0;
    // The caption, the place, or one control's text or check changed (control null: the dialog itself).
    virtual void Changed(Dialog& dialog, const Control* control) = 0;
};

// The dialog from a template, at the top left of the screen, with the pixel rectangles of its controls.
std::unique_ptr<Dialog> MakeDialog(const DialogTemplate& dialogTemplate, DLGPROC procedure, HWND owner);

// Dialogs that run now, innermost last.
void PushRunning(Dialog& dialog);
void PopRunning();
Dialog* TopRunning();
Dialog* FindDialog(HWND handle);
// The control of a handle, with its dialog.
Control* FindControl(HWND handle, Dialog** dialog);

INT_PTR Send(Dialog& dialog, UINT message, WPARAM wParam, LPARAM lParam);
// A click on a control, as the user makes it: an automatic radio button is checked first, then the procedure
// gets WM_COMMAND (BN_CLICKED).
void Click(Dialog& dialog, Control& control);
// The close box: WM_SYSCOMMAND SC_CLOSE; when the procedure leaves it and the dialog goes on, the dialog
// manager's handling turns it into a click on Cancel (WM_COMMAND IDCANCEL).
void Close(Dialog& dialog);
// The list messages of a drop-down list (CB_ERR for anything else).
LRESULT ListMessage(Dialog& dialog, Control& control, UINT message, WPARAM wParam, LPARAM lParam);
// Checks control and unchecks the buttons whose ids lie in first..last.
void CheckInRange(Dialog& dialog, int first, int last, int check);

}  // namespace platform::dialogs
