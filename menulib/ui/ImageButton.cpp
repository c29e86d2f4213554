#include "ui/ImageButton.h"

#include <algorithm>

#include "blit/BlitType.h"
#include "frames/FrameInterface.h"

void CJImageButton::SetStatePicture(int state, CFrameInterface* picture)
{
    m_statePictures[state] = picture;
    SizeToPictures();
}

void CJImageButton::SizeToPictures()
{
    int width = GetWidth();
    int height = GetHeight();
    for (const CFrameInterface* picture : m_statePictures) {
        if (!picture) continue;
        width = std::max(width, picture->GetBounds().Width());
        height = std::max(height, picture->GetBounds().Height());
    }
    SetSize(width, height);
    m_state = kImageNormal;
}

int CJImageButton::ComputeState() const
{
    if (!IsEnabled()) return kImageDisabled;
    if (IsShowingPressed()) return kImagePressed;
    if (IsPointerInside()) return !IsPressedByMouse() && !GetChecked() ? kImageHover : kImagePressed;
    return GetChecked() ? kImagePressed : kImageNormal;
}

bool CJImageButton::DrawPicture(CFrameInterface* frame)
{
    CFrameInterface* picture = m_statePictures[m_state];
    if (!picture) picture = m_statePictures[kImageNormal];
    if (!picture) return false;
    const platform::Rect extent = picture->GetBounds();
    frame->BlitAt(picture, (GetWidth() - extent.Width()) / 2 - extent.left,
                  (GetHeight() - extent.Height()) / 2 - extent.top, &NormalBlitType());
    return true;
}

void CJImageButton::Draw(CFrameInterface* frame)
{
    SetState(ComputeState());
    if (!DrawPicture(frame)) {
        CJButton::Draw(frame);
        return;
    }
    FinishDraw(frame);
}
