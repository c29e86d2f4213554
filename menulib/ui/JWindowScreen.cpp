// The services of the screen window at the root of a window's tree: hints, mouse auto-repeat and capture.
#include "ui/JWindow.h"
#include "ui/ScreenWindow.h"

CScreenWindow* CJWindow::FindScreenWindow()
{
    CJWindow* root = GetScreen();
    return root->IsScreen() ? static_cast<CScreenWindow*>(root) : nullptr;
}

int CJWindow::PopUpText(int mode, const CString& text, int x, int y)
{
    CScreenWindow* screen = FindScreenWindow();
    if (!screen) return 0;
    screen->SetPopUpText(mode, this, -1, text, x, y, 0);
    return 1;
}

int CJWindow::PopUpTextHighlighted(int mode, int start, const CString& text, int x, int y)
{
    CScreenWindow* screen = FindScreenWindow();
    if (!screen) return 0;
    screen->SetPopUpText(mode, this, start, text, x, y, 1);
    return 1;
}

void CJWindow::RequestMouseRepeat(int delayMs, int intervalMs)
{
    if (CScreenWindow* screen = FindScreenWindow()) screen->RegisterRepeat(this, delayMs, intervalMs);
}

bool CJWindow::HasRepeatFired()
{
    const CScreenWindow* screen = FindScreenWindow();
    return screen && screen->HasRepeatFired();
}

void CJWindow::CancelCapture()
{
    MouseState::Get().SetPosition(m_pressX, m_pressY);
    if (CScreenWindow* screen = FindScreenWindow()) screen->TrackMotion();
    OnCaptureCancelled(m_captureMask);
    m_captureMask = 0;
}
