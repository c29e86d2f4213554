#include "ui/FrameWindow.h"

#include <algorithm>

#include "blit/BlitType.h"
#include "frames/FrameInterface.h"
#include "ui/Font.h"
#include "ui/ScreenWindow.h"
#include "ui/Themes.h"
#include "ui/ToolkitKeys.h"
#include "ui/ToolkitStatics.h"

namespace {

constexpr std::uint32_t kLeftButtonMask = 1;

}  // namespace

// The framed window.

CJFrameWindow::CJFrameWindow(CJWindow* parent, const char* caption) : CJWindow(parent, caption)
{
    m_framePainter = GetTheme()->CreateFramePainter(this);
    CFont* font = GetFont();
    if (GetText().IsNotEmpty() && font) {
        const int width = std::max(GetWidth(), font->MeasureWidth(GetText()) + 3);
        const int height = std::max(GetHeight(), font->GetHeight());
        SetSize(width, height);
    }
    SetBevelWidth(2);
    m_minimumWidth = std::max(GetWidth(), kMinimumSide);
    m_minimumHeight = std::max(GetHeight(), kMinimumSide);
}

CJFrameWindow::~CJFrameWindow()
{
    m_framePainter.reset();
    if (CScreenWindow* screen = FindScreenWindow()) screen->HidePopUpText();
}

void CJFrameWindow::Draw(CFrameInterface* frame)
{
    if (!m_drawFrame) {
        CJWindow::Draw(frame);
        return;
    }
    const bool frameFirst = toolkit::IsFrameDrawnFirst();
    if (frameFirst) DrawFrame(frame);
    CJWindow::Draw(frame);
    if (!frameFirst) DrawFrame(frame);
}

void CJFrameWindow::DrawFrame(CFrameInterface* frame)
{
    if (m_framePainter) m_framePainter->Draw(frame);
}

CFont* CJFrameWindow::GetCaptionFont() { return m_framePainter ? m_framePainter->GetCaptionFont() : GetFont(); }

int CJFrameWindow::GetTopInset() const
{
    const CFont* font = GetFont();
    if (GetText().IsEmpty() || !font) return 0;
    const int height = const_cast<CFont*>(font)->GetHeight();
    return height + height / 5 * 4 + 2;
}

bool CJFrameWindow::RequestHint(int, int)
{
    PopUpText(0, CString(), -1, 0);
    return true;
}

bool CJFrameWindow::OnDoubleClick(int button, int x, int y, bool& pressToo)
{
    if (CJWindow::OnDoubleClick(button, x, y, pressToo)) return true;
    if (!GetScreenRect().Contains(x, y)) return false;
    if (CJWindow::OnMouseDown(button, x, y)) pressToo = true;
    return true;
}

bool CJFrameWindow::OnMouseDown(int button, int x, int y)
{
    return CJWindow::OnMouseDown(button, x, y) || GetScreenRect().Contains(x, y);
}

bool CJFrameWindow::OnMouseUp(int button, int x, int y) { return CJWindow::OnMouseUp(button, x, y); }

bool CJFrameWindow::OnButtonPress(int x, int y, int dx, int dy, std::uint32_t buttons, CSequence*&)
{
    if (!(buttons & kLeftButtonMask)) return false;
    if (dx == 0 && dy == 0 && !GetScreenRect().Contains(x, y)) return false;
    if (!m_draggable) return false;
    if (dx || dy) MoveTo(GetRect().left + dx, GetRect().top + dy);
    return true;
}

bool CJFrameWindow::Cut(int value) { return GetFirstChild() && GetFirstChild()->Cut(value); }
bool CJFrameWindow::Copy(int value) { return GetFirstChild() && GetFirstChild()->Copy(value); }
bool CJFrameWindow::Paste(int value) { return GetFirstChild() && GetFirstChild()->Paste(value); }
bool CJFrameWindow::Clear(int value) { return GetFirstChild() && GetFirstChild()->Clear(value); }

// The dialog.

CJDialogWindow::CJDialogWindow(CJWindow* parent, const char* name) : CJFrameWindow(parent, name)
{
    SetDraggable(false);
}

CJDialogWindow::~CJDialogWindow() { SendClientHome(); }

void CJDialogWindow::SendClientHome()
{
    if (!m_client) return;
    CJWindow* home = m_clientHome;
    m_clientHome = nullptr;
    if (!home) {
        m_client.reset();
        return;
    }
    CJWindow* client = m_client.release();
    home->AddChildFront(client, 0, nullptr, kDefaultGap, kDefaultGap, 0);
    client->SetRect(m_clientHomeRect);
    client->Show(true, true);
}

void CJDialogWindow::SetClient(CJWindow* client)
{
    m_client.reset();
    m_clientHome = nullptr;
    if (!client) return;
    m_clientHome = client->GetParent();
    if (m_clientHome) m_clientHome->RemoveChild(client);
    m_client.reset(client);
    m_clientHomeRect = client->GetRect();
    client->Show(false, false);
}

void CJDialogWindow::DetachClient(int value)
{
    if (!m_client) return;
    m_client->DetachClient(value);
    SetClient(nullptr);
}

bool CJDialogWindow::ActivateDefaultButton()
{
    if (!m_defaultButton) return false;
    m_defaultButton->Activate();
    return true;
}

bool CJDialogWindow::OnKey(int code)
{
    if (CJWindow::OnKey(code)) return true;
    switch (code) {
    case kKeyUp:
    case kKeyLeft: return FocusPrevTabStop();
    case kKeyDown:
    case kKeyRight: return FocusNextTabStop();
    case kKeyEnter:
        if (!GetFirstChild()) return false;
        if (GetFirstChild()->Activate()) return true;
        // The default-button row directly: asking OnKey again would offer the code to the focused child first,
        // and an edit box takes it as a typed character.
        return ActivateDefaultButton();
    case kKeyDefaultAction: return ActivateDefaultButton();
    case kKeyEscape:
        if (!m_cancelButton) return false;
        m_cancelButton->Activate();
        return true;
    default: return false;
    }
}

// The picture window.

CJPictureWindow::CJPictureWindow(CJWindow* parent, CFrameInterface* picture, int x, int y)
    : CJDialogWindow(parent, "CJPictureWindow"), m_picture(picture), m_x(x), m_y(y)
{
    if (picture) SetSize(picture->GetWidth(), picture->GetHeight());
    SetBevelWidth(2);
}

void CJPictureWindow::SetPicture(CFrameInterface* picture, int x, int y)
{
    m_picture = picture;
    m_x = x;
    m_y = y;
}

void CJPictureWindow::Draw(CFrameInterface* frame)
{
    if (m_picture) frame->BlitAt(m_picture, m_x, m_y, &NormalBlitType());
    CJWindow::Draw(frame);
}
