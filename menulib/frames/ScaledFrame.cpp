// The scaled copy a frame keeps of itself: a CScaledFrameHolder in the attached "Scaled Frame" property that every
// frame class carries, so that a picture drawn every frame at another size is scaled once.
#include "foundation/PropertyTypes.h"
#include "frames/Frame.h"
#include "frames/ScaledFrameHolder.h"

namespace {

ObjectPointerPropertyInfo& ScaledFrameProperty()
{
    static ObjectPointerPropertyInfo* property = [] {
        auto* made = new ObjectPointerPropertyInfo("Scaled Frame", PointerHolderValue(),
                                                   CScaledFrameHolder::GetStaticClassInfo());
        AttachProperty(made, CFrameInterface::GetStaticClassInfo(), 0, "The copy of the frame at another size");
        return made;
    }();
    return *property;
}

// Attached when the library loads, to the frame interface and so to every frame class.
const bool kScaledFrameAttached = (ScaledFrameProperty(), true);

}  // namespace

CFrame* GetScaledFrame(CFrameInterface* frame, int width, int height)
{
    if (!frame) return nullptr;
    auto* held = dynamic_cast<CScaledFrameHolder*>(ScaledFrameProperty().GetDynamicValue(frame));
    if (held && held->GetFrame() && held->GetWidth() == width && held->GetHeight() == height) return held->GetFrame();
    auto* holder = new CScaledFrameHolder(frame, width, height);
    ScaledFrameProperty().SetDynamicValue(frame, holder);
    return holder->GetFrame();
}
