// WinLite: objects bound to windows. A TLiteFrame receives the messages of its window through one shared
// window procedure that finds the object of each window; a TLiteDialogBox runs a modal dialog from a dialog
// template and answers what its class does not handle as the dialog manager expects.
#pragma once
#include "platform/win32_dialog.h"

// One message as the handlers see it; a handler sets Result.
struct TMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;
};

class TLiteFrame {
public:
    explicit TLiteFrame(HWND parent);
    virtual ~TLiteFrame();
    TLiteFrame(const TLiteFrame&) = delete;
    TLiteFrame& operator=(const TLiteFrame&) = delete;

    HWND Handle() const { return handle_; }
    HWND Parent() const { return parent_; }

    // Hands the message to the handler of its number; what the class does not handle goes to DefaultHandler.
    virtual void Dispatch(TMessage& message);
    virtual void DefaultHandler(TMessage& message);

protected:
    // The shared window procedure: binds the window to the object that its creation named (through
    // initParam), then hands every message of that window to the object.
    static INT_PTR SharedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Forgets the windows bound to this object, once they are gone.
    void Unbind();

private:
    HWND handle_ = nullptr;
    HWND parent_;
};

class TLiteDialogBox : public TLiteFrame {
public:
    explicit TLiteDialogBox(HWND parent);

    // Runs the dialog modally; the value it was ended with, or -1 when it could not be shown.
    INT_PTR Run();
    // WM_INITDIALOG answers 1 (focus to the first control), every other message 0 (the dialog manager's own).
    void DefaultHandler(TMessage& message) override;

protected:
    // The template and the owner of the dialog: here an empty name and the parent; a dialog names its own.
    virtual void DialogTemplate(LPCSTR& templateName, HWND& owner);
};
