#include "frames/ScaledFrameHolder.h"

#include "blit/BlitType.h"
#include "blit/FilteredScaler.h"
#include "foundation/PropertyTypes.h"
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

namespace {

ObjectPointerPropertyInfo& ScaledFrameProperty()
{
    static ObjectPointerPropertyInfo* property = [] {
        auto* made = new ObjectPointerPropertyInfo("Scaled Frame", PointerHolderValue(),
                                                   CScaledFrameHolder::GetStaticClassInfo());
        AttachProperty(made, CFrameInterface::GetStaticClassInfo(), 0, nullptr);
        return made;
    }();
    return *property;
}

// Attached when the library loads, as every frame class carries it.
const bool kScaledFrameAttached = (ScaledFrameProperty(), true);

constexpr int kBridgeDepth = 24;

// Draws the source's rectangle into a plain frame of its size at the given depth through "Normal".
bool DrawPlain(CFrameInterface* source, const platform::Rect& sourceRect, int depth, CFrame& plain)
{
    if (!plain.Create(sourceRect.Width(), sourceRect.Height(), depth)) return false;
    plain.Blit(source, sourceRect, plain.GetBounds(), &NormalBlitType());
    return true;
}

// Any source format is first turned into a plain frame at the display's depth, which the scaler reads. "Normal"
// has no function from some formats to that depth (32-bit pixels to 16 bits): those go through a 24-bit frame
// first, their alpha taken over black as a 24-bit display would show them.
bool DrawPlainAtDisplayDepth(CFrameInterface* source, const platform::Rect& sourceRect, CFrame& plain)
{
    const int depth = GetDisplayBitDepth();
    if (!plain.Create(sourceRect.Width(), sourceRect.Height(), depth)) return false;
    if (depth == kBridgeDepth || NormalBlitType().FindDrawFunction(*source, plain)) {
        plain.Blit(source, sourceRect, plain.GetBounds(), &NormalBlitType());
        return true;
    }
    CFrame bridge;
    if (!DrawPlain(source, sourceRect, kBridgeDepth, bridge)) return false;
    plain.Blit(&bridge, bridge.GetBounds(), plain.GetBounds(), &NormalBlitType());
    return true;
}

}  // namespace

std::unique_ptr<CFrame> MakeScaledFrame(CFrameInterface* source, int width, int height)
{
    if (!source || width < 1 || height < 1) return nullptr;
    const platform::Rect sourceRect = source->GetBounds();
    if (sourceRect.IsEmpty()) return nullptr;
    CFrame plain;
    if (!DrawPlainAtDisplayDepth(source, sourceRect, plain)) return nullptr;
    auto scaled = std::make_unique<CFrame>();
    if (!scaled->Create(width, height, GetDisplayBitDepth())) return nullptr;
    scaled->Blit(&plain, plain.GetBounds(), scaled->GetBounds(), &GetFilteredScaler());
    return scaled;
}

CFrame* GetScaledFrame(CFrameInterface* frame, int width, int height)
{
    if (!frame) return nullptr;
    auto* holder = dynamic_cast<CScaledFrameHolder*>(ScaledFrameProperty().GetDynamicValue(frame));
    if (holder && holder->GetFrame() && holder->GetWidth() == width && holder->GetHeight() == height)
        return holder->GetFrame();
    holder = new CScaledFrameHolder(frame, width, height);
    ScaledFrameProperty().SetDynamicValue(frame, holder);
    return holder->GetFrame();
}

void DropScaledFrame(CFrameInterface& frame)
{
    if (frame.GetDynamicProperties()) ScaledFrameProperty().RemoveDynamicValue(&frame);
}
