#include "frames/FrameProcess.h"

#include <new>

#include "frames/Frame.h"

FrameProcess::~FrameProcess()
{
    // Unlink iteratively so that a long chain does not recurse once a step.
    std::unique_ptr<FrameProcess> step = std::move(m_next);
    while (step) step = std::move(step->m_next);
}

FrameProcess* FrameProcess::FindStep(int type) const
{
    for (FrameProcess* step = m_next.get(); step; step = step->m_next.get())
        if (step->m_type == type) return step;
    return nullptr;
}

std::unique_ptr<FrameProcess> FrameProcess::MakeStep(int type) const
{
    switch (type) {
    case kRunEncode: return std::make_unique<RunEncodeStep>(GetTargetBitDepth() == 8 ? 0 : 1);
    case kRunEncodeTwoPlane: return std::make_unique<RunEncodeStep>(1);
    case kConvert:
    case kConvertDithered: return std::make_unique<ConvertStep>(type == kConvertDithered, GetDisplayBitDepth());
    default: return MakeSimpleStep(type);
    }
}

bool FrameProcess::AddStep(int type)
{
    const int kept = type == kRunEncodeTwoPlane ? kRunEncode : (type == kConvertDithered ? kConvert : type);
    if (m_locked || HasStep(kept)) return false;
    std::unique_ptr<FrameProcess> step;
    try {
        step = MakeStep(type);
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (!step) return false;
    FrameProcess* after = this;
    while (after->m_next && after->m_next->m_type < kept) after = after->m_next.get();
    step->m_next = std::move(after->m_next);
    after->m_next = std::move(step);
    // Black bias toward a depth other than 8 turns colours into alpha, which must then be un-premultiplied.
    if (kept == kBlackBias && GetTargetBitDepth() != 8) AddStep(kUnpremultiply);
    return true;
}

bool FrameProcess::RemoveStep(int type)
{
    if (m_locked) return false;
    for (FrameProcess* before = this; before->m_next; before = before->m_next.get()) {
        if (before->m_next->m_type != type) continue;
        std::unique_ptr<FrameProcess> removed = std::move(before->m_next);
        before->m_next = std::move(removed->m_next);
        return true;
    }
    return false;
}

void FrameProcess::CopyStepsTo(FrameProcess& other) const
{
    for (FrameProcess* step = m_next.get(); step; step = step->m_next.get()) {
        if (other.HasStep(step->m_type) || other.m_locked) continue;
        std::unique_ptr<FrameProcess> clone = step->Clone();
        FrameProcess* after = &other;
        while (after->m_next && after->m_next->m_type < clone->m_type) after = after->m_next.get();
        clone->m_next = std::move(after->m_next);
        after->m_next = std::move(clone);
    }
}

int FrameProcess::GetTargetBitDepth() const
{
    if (auto* convert = dynamic_cast<const ConvertStep*>(FindStep(kConvert))) return convert->GetTarget();
    if (m_targetBitDepth > 0) return m_targetBitDepth;
    return GetDisplayBitDepth();
}

bool FrameProcess::Apply(CFrame& frame)
{
    bool all = ApplyStep(frame, *this);
    for (FrameProcess* step = m_next.get(); step; step = step->m_next.get()) all = step->ApplyStep(frame, *this) && all;
    return all;
}

void FrameProcess::Clear()
{
    std::unique_ptr<FrameProcess> step = std::move(m_next);
    while (step) step = std::move(step->m_next);
}

namespace {
void FillDefaultChain(FrameProcess& chain)
{
    chain.Clear();
    chain.AddStep(FrameProcess::kAlphaFloor);
    chain.AddStep(FrameProcess::kCrop);
    chain.AddStep(FrameProcess::kUnpremultiply);
    chain.AddStep(GetDisplayBitDepth() == 8 ? FrameProcess::kConvert : FrameProcess::kConvertDithered);
    chain.AddStep(FrameProcess::kRunEncode);
}
}  // namespace

FrameProcess& GetDefaultFrameProcess()
{
    static FrameProcessChain chain;
    FillDefaultChain(chain);
    return chain;
}

FrameProcess& GetDefaultSequenceProcess()
{
    static FrameProcessChain chain;
    FillDefaultChain(chain);
    return chain;
}
