// Modal dialogs from templates that the programs describe in code (platform::DialogTemplate), run by dialog
// procedures as on Windows: WM_INITDIALOG first, then WM_COMMAND for clicks and WM_SYSCOMMAND SC_CLOSE for the
// close box, each before the dialog manager's own handling. Where there is a display a dialog is a GTK window;
// in a headless run it prints what it shows to stderr and takes its clicks and typing from the scripted answers
// ("click <id>", "close", "type <id> <text>" into an edit box, "select <id> <text>" in a drop-down list).
#pragma once
#include <string>
#include <vector>

#include "platform/win32_base.h"
#include "platform/win32_message_box.h"
#include "platform/win32_messages.h"

using INT_PTR = std::intptr_t;
using DLGPROC = INT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

constexpr WORD BN_CLICKED = 0;
constexpr UINT BST_UNCHECKED = 0;
constexpr UINT BST_CHECKED = 1;

constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;

constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOACTIVATE = 0x0010;

// DialogBoxParamA's result when the dialog cannot be run.
constexpr INT_PTR DialogBoxFailed = -1;

// Runs the dialog of the registered template (a name, or MAKEINTRESOURCEA(id)) until EndDialog; returns the
// value given to EndDialog, or DialogBoxFailed when there is no such template or no dialog can be shown (the
// reason goes to stderr). EndDialog during WM_INITDIALOG ends the run before anything is shown.
PLATFORM_API INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC procedure,
                                     LPARAM initParam);
PLATFORM_API BOOL EndDialog(HWND dialog, INT_PTR result);
PLATFORM_API HWND GetDlgItem(HWND dialog, int id);
PLATFORM_API BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text);
PLATFORM_API UINT GetDlgItemTextA(HWND dialog, int id, LPSTR text, int maxCount);
// The list of a drop-down list (ComboBox item): CB_ADDSTRING (lParam: the text; answers its index, in order
// when the item is kDialogSorted), CB_GETCOUNT, CB_GETCURSEL and CB_SETCURSEL (CB_ERR: none), CB_GETLBTEXTLEN
// and CB_GETLBTEXT (wParam: the index, lParam: a buffer of CB_GETLBTEXTLEN + 1 bytes). A drop-down list's text
// (GetDlgItemTextA) is its selected item's, or empty.
constexpr UINT CB_ADDSTRING = 0x0143;
constexpr UINT CB_GETCOUNT = 0x0146;
constexpr UINT CB_GETCURSEL = 0x0147;
constexpr UINT CB_GETLBTEXT = 0x0148;
constexpr UINT CB_GETLBTEXTLEN = 0x0149;
constexpr UINT CB_SETCURSEL = 0x014E;
constexpr LRESULT CB_ERR = -1;
PLATFORM_API LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
// Checks check and unchecks every other button whose id lies in first..last.
PLATFORM_API BOOL CheckRadioButton(HWND dialog, int first, int last, int check);
PLATFORM_API UINT IsDlgButtonChecked(HWND dialog, int id);

// These serve dialogs and their controls: the caption or a control's text, the place on the screen.
PLATFORM_API BOOL SetWindowTextA(HWND window, LPCSTR text);
PLATFORM_API BOOL GetWindowRect(HWND window, RECT* rect);
PLATFORM_API BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags);
// SM_CXSCREEN, SM_CYSCREEN: the size of the primary monitor (1024 x 768 in a headless run).
PLATFORM_API int GetSystemMetrics(int index);
// The dialog running on top, else nullptr: no window of another program is ever handed out.
PLATFORM_API HWND GetForegroundWindow();

namespace platform {

enum class DialogItemKind {
    PushButton,
    DefaultPushButton,  // Enter clicks it
    RadioButton,        // automatic: a click checks it and unchecks the radio buttons next to it
    GroupBox,           // a frame with its text at the top
    EtchedFrame,        // a frame only; its text is not shown
    Text,               // static text
    Edit,
    ComboBox,  // a drop-down list
    Picture,   // a BMP picture filling the item's place; its text names the file (a missing one shows nothing)
};

// Options of an item.
constexpr DWORD kDialogTabStop = 0x01;
constexpr DWORD kDialogReadOnly = 0x02;
constexpr DWORD kDialogMultiLine = 0x04;
constexpr DWORD kDialogAlignRight = 0x08;
constexpr DWORD kDialogAlignCentre = 0x10;
constexpr DWORD kDialogSorted = 0x20;  // a drop-down list keeps its items in order

// Positions and sizes are in dialog units: a quarter of the font's average character width across, an eighth
// of its height down.
struct DialogItem {
    int id = -1;  // -1: no id
    DialogItemKind kind = DialogItemKind::Text;
    std::string text;
    int x = 0, y = 0, width = 0, height = 0;
    DWORD options = 0;
};

struct DialogTemplate {
    std::string caption;
    std::string fontName = "MS Sans Serif";
    int fontPoints = 8;
    int width = 0, height = 0;
    std::vector<DialogItem> items;  // in tab order
};

// Makes the template known to DialogBoxParamA under its resource name (a text, or MAKEINTRESOURCEA(id)).
PLATFORM_API void RegisterDialogTemplate(LPCSTR name, const DialogTemplate& dialogTemplate);

}  // namespace platform
