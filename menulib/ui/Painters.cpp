#include "ui/Painters.h"

#include "frames/FrameInterface.h"
#include "ui/Font.h"
#include "ui/JWindow.h"
#include "ui/TileTexture.h"
#include "ui/ToolkitStatics.h"

CFont* FramePainter::GetCaptionFont() { return GetWindow()->GetFont(); }

void ClassicFramePainter::Draw(CFrameInterface* frame)
{
    CJWindow& window = *GetWindow();
    const platform::Rect whole = platform::Rect::OfSize(window.GetWidth(), window.GetHeight());
    CFrameInterface* texture = window.GetBackgroundTexture();
    if (!window.IsTransparent() && texture) TileTexture(frame, texture, whole);
    CFont* font = window.GetFont();
    CJWindow::DrawBevel(font, frame, whole, kBevelRaised, kEdgeAll, false);
    if (window.GetText().IsEmpty() || !font) return;
    const int unit = font->GetHeight() / 5;
    CFrameInterface* title =
        toolkit::GetWindowTexture(window.IsActive() ? toolkit::kWindowTitleTile : toolkit::kInactiveWindowTitleTile);
    if (title) TileTexture(frame, title, {unit, unit, window.GetWidth() - unit, window.GetTopInset()});
    window.DrawText(frame, window.GetWidth() / 2, unit * 2 + 1, kJustifyCentre);
    const int separator = font->GetHeight() + unit * 4 + 1;
    frame->FillRect({1, separator, window.GetWidth(), separator + 1}, toolkit::GetShade(toolkit::kDark128));
    frame->FillRect({1, separator + 1, window.GetWidth(), separator + 2}, toolkit::GetShade(toolkit::kLight24));
}
