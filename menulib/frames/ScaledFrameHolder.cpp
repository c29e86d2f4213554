#include "frames/ScaledFrameHolder.h"

#include "blit/BlitType.h"
#include "blit/FilteredScaler.h"
#include "frames/Frame.h"

IMPLEMENT_PERSISTENT_CLASS(CScaledFrameHolder, CObject, 1.0f, nullptr)

CScaledFrameHolder::CScaledFrameHolder() { ConstructOwnMembers(); }

CScaledFrameHolder::CScaledFrameHolder(CFrameInterface* source, int width, int height)
    : m_frame(MakeScaledFrame(source, width, height))
{
    ConstructOwnMembers();
}

CScaledFrameHolder::~CScaledFrameHolder() { DestroyOwnMembers(); }

int CScaledFrameHolder::GetWidth() const { return m_frame ? m_frame->GetWidth() : 0; }

int CScaledFrameHolder::GetHeight() const { return m_frame ? m_frame->GetHeight() : 0; }

std::unique_ptr<CFrame> MakeScaledFrame(CFrameInterface* source, int width, int height)
{
    if (!source || width < 1 || height < 1) return nullptr;
    const platform::Rect sourceRect = source->GetBounds();
    if (sourceRect.IsEmpty()) return nullptr;
    // Any source format is first turned into a plain frame at the display's depth, which the scaler reads.
    CFrame plain;
    if (!plain.Create(sourceRect.Width(), sourceRect.Height(), GetDisplayBitDepth())) return nullptr;
    plain.Blit(source, sourceRect, platform::Rect::OfSize(sourceRect.Width(), sourceRect.Height()), &NormalBlitType());
    auto scaled = std::make_unique<CFrame>();
    if (!scaled->Create(width, height, GetDisplayBitDepth())) return nullptr;
    scaled->Blit(&plain, plain.GetBounds(), scaled->GetBounds(), &GetFilteredScaler());
    return scaled;
}
