#include "WinLite.h"

#include <map>

#include "platform/win32_messages.h"

namespace {

// The object of each window that runs now.
std::map<HWND, TLiteFrame*>& Frames()
{
    static std::map<HWND, TLiteFrame*> frames;
    return frames;
}

}  // namespace

TLiteFrame::TLiteFrame(HWND parent) : parent_(parent) {}

TLiteFrame::~TLiteFrame() { Unbind(); }

void TLiteFrame::Unbind()
{
    for (auto it = Frames().begin(); it != Frames().end();) {
        if (it->second == this)
            it = Frames().erase(it);
        else
            ++it;
    }
}

void TLiteFrame::Dispatch(TMessage& message) { DefaultHandler(message); }

void TLiteFrame::DefaultHandler(TMessage& message) { message.Result = 0; }

INT_PTR TLiteFrame::SharedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG && lParam) Frames()[window] = reinterpret_cast<TLiteFrame*>(lParam);
    const auto found = Frames().find(window);
    if (found == Frames().end()) return 0;
    TLiteFrame* frame = found->second;
    if (!frame->handle_) frame->handle_ = window;
    TMessage record{message, wParam, lParam, 0};
    frame->Dispatch(record);
    return record.Result;
}

TLiteDialogBox::TLiteDialogBox(HWND parent) : TLiteFrame(parent) {}

INT_PTR TLiteDialogBox::Run()
{
    LPCSTR templateName = nullptr;
    HWND owner = nullptr;
    DialogTemplate(templateName, owner);
    const INT_PTR result =
        DialogBoxParamA(nullptr, templateName, owner, &TLiteFrame::SharedWindowProc, reinterpret_cast<LPARAM>(this));
    Unbind();
    return result;
}

void TLiteDialogBox::DefaultHandler(TMessage& message) { message.Result = message.Msg == WM_INITDIALOG ? 1 : 0; }

void TLiteDialogBox::DialogTemplate(LPCSTR& templateName, HWND& owner)
{
    templateName = "";
    owner = Parent();
}
