#include "frames/Sequence.h"

#include <climits>
#include <cmath>

#include "blit/BlitType.h"
#include "foundation/Messages.h"
#include "foundation/PathHelpers.h"
#include "foundation/PersistentObjectList.h"
#include "foundation/PropertyStream.h"
#include "foundation/PropertyTypes.h"
#include "foundation/Timing.h"
#include "frames/FrameNames.h"
#include "frames/FrameProcess.h"

using platform::Rect;

namespace {

TickSource g_tickSource = nullptr;

constexpr Rect kResetBounds{99999, 999999, -999999, -999999};

CSequence* AsSequence(CObject* object) { return static_cast<CSequence*>(object); }

// A one-step chain over a frame.
void ApplyProcessStepsOf(CFrame& frame, int type)
{
    FrameProcessChain chain;
    chain.AddStep(type);
    chain.Apply(frame);
}

}  // namespace

void DeclareSequence(ClassInfo* record)
{
    record->AddProperty(new IntegerPropertyInfo("", Member<&CSequence::m_frameCount>()));
    record->AddProperty(new FloatPropertyInfo("Image/Frames Per Second", Member<&CSequence::m_frameRate>(), 15.0f));
    record->AddProperty(new FixedCollectionItemPropertyInfo(
        "Render/Blit Type", Member<&CSequence::m_blitType>(), &GetBlitTypeList(), "Transparent Mask",
        [](CObject* o, std::int32_t v) { AsSequence(o)->ChangeAndRebuild(AsSequence(o)->m_blitType, v); }));
    record->AddProperty(new IntegerPropertyInfo(
        "Render/X Offset", Member<&CSequence::m_xOffset>(), 0, 0, 0,
        [](CObject* o, std::int32_t v) { AsSequence(o)->SetOffsets(v, AsSequence(o)->m_yOffset); }));
    record->AddProperty(new IntegerPropertyInfo(
        "Render/Y Offset", Member<&CSequence::m_yOffset>(), 0, 0, 0,
        [](CObject* o, std::int32_t v) { AsSequence(o)->SetOffsets(AsSequence(o)->m_xOffset, v); }));
    const auto options = Member<&CSequence::m_loadOptions>();
    const struct {
        const char* name;
        std::int32_t bit;
        bool on;
        FlagPropertyInfo::Setter setter;
    } flags[] = {
        {"Load/Center Hot Spot", CSequence::kCenterHotSpot, true,
         [](CObject* o, bool on) { AsSequence(o)->SetLoadOption(CSequence::kCenterHotSpot, on); }},
        {"Load/Blended With Black", CSequence::kBlendedWithBlack, true,
         [](CObject* o, bool on) { AsSequence(o)->SetLoadOption(CSequence::kBlendedWithBlack, on); }},
        {"Load/Crop Clor 0", CSequence::kCropColor0, true,
         [](CObject* o, bool on) { AsSequence(o)->SetLoadOption(CSequence::kCropColor0, on); }},
        {"Load/Use 8 Bit Alpha", CSequence::kUse8BitAlpha, false,
         [](CObject* o, bool on) { AsSequence(o)->SetLoadOption(CSequence::kUse8BitAlpha, on); }},
        {"Load/Do Dither", CSequence::kDoDither, true,
         [](CObject* o, bool on) { AsSequence(o)->SetLoadOption(CSequence::kDoDither, on); }},
        {"Image/Loss Less", CSequence::kLossLess, false,
         [](CObject* o, bool on) { AsSequence(o)->SetLoadOption(CSequence::kLossLess, on); }},
    };
    for (const auto& flag : flags)
        record->AddProperty(new FlagPropertyInfo(flag.name, options, flag.bit, flag.on, flag.setter));
    record->GetLastProperty()->SetHelpText(
        "This controls if the image is saved with lossy or loss less   compression.  Lossy compression makes a lower "
        "quality image   and a smaller file size, Loss Less is perfect quality but a   larger file size.");
    record->AddProperty(new IntegerPropertyInfo(
        "Image/Quality", Member<&CSequence::m_quality>(), 65, 0, 100,
        [](CObject* o, std::int32_t v) { AsSequence(o)->ChangeAndRebuild(AsSequence(o)->m_quality, v); }));
    record->GetLastProperty()->SetHelpText(
        "This controls the quality of the lossy compression.  A higher number makes a higher quality image with a "
        "larger file size.  A lower number will make a lower quality image with a smaller file size.");
}

IMPLEMENT_PERSISTENT_CLASS(CSequence, CObject, 119.0f, DeclareSequence)

void SetSequenceTickSource(TickSource source) { g_tickSource = source; }
std::uint32_t SequenceTicks24() { return (g_tickSource ? g_tickSource() : GetTicks24()) & 0xFFFFFF; }

std::uint32_t FrameIndexAt(float frameRate, std::uint32_t count, std::uint32_t start)
{
    if (count == 0) return 0;
    const long double exact = static_cast<long double>(SequenceTicks24()) * frameRate * 0.001f + (start & 0x7FFF);
    const float v = static_cast<float>(exact);
    const long long index = std::llrint(v);
    return static_cast<std::uint32_t>(index) % count;
}

CString MakeSequenceSourcePath(const char* folder, const char* name)
{
    CString path;
    path.Format("%s/%s/%s.Sequence", GetCacheFolderName(), folder, name);
    return path;
}

CString MakeSequenceFileName(const char* folder, const char* name, const FrameProcess* chain)
{
    CString base(GetCacheFolderName());
    base.Append("/");
    base.Append(folder);
    const int depth = chain ? chain->GetTargetBitDepth() : GetDisplayBitDepth();
    return MakeDepthFileName(base.GetText(), name, "/", depth, "seq");
}

const char* GetSequenceFileKind()
{
    if (GetFrameCacheNaming()) return "SEQUENCE";
    switch (GetDisplayBitDepth()) {
    case 16: return "seq16";
    case 24: return "seq24";
    case 32: return "seq32";
    default: return "seq";
    }
}

CSequence::CSequence()
{
    ConstructOwnMembers();
    Init();
}

CSequence::~CSequence()
{
    FreeFrames();
    DestroyOwnMembers();
}

void CSequence::Init()
{
    m_loading = false;
    m_archiveBuffer.reset();
    m_frames.clear();
    m_frameCount = 0;
    m_loadOptions = kCenterHotSpot;
    m_blitType = -1;
    m_xOffset = m_yOffset = 0;
    m_bounds = kResetBounds;
}

void CSequence::FreeFrames()
{
    m_frames.clear();
    m_archiveBuffer.reset();
    SyncCount();
}

void CSequence::ResetToDefaults()
{
    const bool was = m_loading;
    m_loading = true;
    CObject::ResetToDefaults();
    m_loading = was;
}

int CSequence::InstanceSize() const
{
    int size = CObject::InstanceSize();
    for (const auto& frame : m_frames) size += (frame ? frame->GetMemorySize() : 0) + 4;
    return size;
}

void CSequence::ReadCustomProperties(const CString& name, const CString& value, PropertyStream& stream)
{
    if (name.CompareNoCase(CString("Load Black Bias")) == 0) {
        if (value.ToInt() != 0) m_blitType = kBlitBlendBlackBias;
        return;
    }
    CObject::ReadCustomProperties(name, value, stream);
}

void CSequence::OffsetFrames(int dx, int dy)
{
    for (auto& frame : m_frames)
        if (frame) frame->MoveOrigin(-dx, -dy);
}

CFrame* CSequence::GetFrame(std::uint32_t index) const
{
    return index < m_frames.size() ? m_frames[index].get() : nullptr;
}

CFrame* CSequence::GetCurrentFrame() const
{
    if (m_frames.empty()) return nullptr;
    return GetFrame(FrameIndexAt(m_frameRate, GetFrameCount(), 0));
}

CFrame* CSequence::GetFrameAt(float fraction) const
{
    const std::uint32_t count = GetFrameCount();
    if (count == 0) return nullptr;
    auto index = static_cast<std::uint32_t>(static_cast<long long>(static_cast<float>(count) * fraction));
    if (index > count - 1) index = count - 1;
    return GetFrame(index);
}

void CSequence::RecomputeBounds()
{
    Rect bounds = kResetBounds;
    for (const auto& frame : m_frames) {
        if (!frame) continue;
        const Rect b = frame->GetBounds();
        bounds = Rect{std::min(bounds.left, b.left), std::min(bounds.top, b.top), std::max(bounds.right, b.right),
                      std::max(bounds.bottom, b.bottom)};
    }
    m_bounds = bounds;
}

void CSequence::ApplyOffsets()
{
    OffsetFrames(m_xOffset, m_yOffset);
    RecomputeBounds();
}

void CSequence::AddFrame(std::unique_ptr<CFrame> frame, bool firstVariant, bool secondVariant)
{
    if (frame && firstVariant) ApplyProcessStepsOf(*frame, FrameProcess::kConvertDithered);
    if (frame && secondVariant) ApplyProcessStepsOf(*frame, FrameProcess::kRunEncode);
    m_frames.push_back(std::move(frame));
    SyncCount();
    RecomputeBounds();
}

BlitType* CSequence::GetBlitType() const
{
    BlitType* type = GetBlitTypeList().GetType(m_blitType);
    return type ? type : &NormalBlitType();
}

void CSequence::SetOffsets(std::int32_t x, std::int32_t y)
{
    if (x == m_xOffset && y == m_yOffset) return;
    OffsetFrames(-m_xOffset, -m_yOffset);
    m_xOffset = x;
    m_yOffset = y;
    OffsetFrames(m_xOffset, m_yOffset);
    RecomputeBounds();
    CChangedAntiAliasingMessage message;
    MessageDispatcher::Instance().Dispatch(message);
}

void CSequence::ChangeAndRebuild(std::int32_t& member, std::int32_t value)
{
    if (member == value) return;
    member = value;
    Rebuild();
}

void CSequence::SetLoadOption(std::int32_t option, bool on)
{
    const std::int32_t options = on ? (m_loadOptions | option) : (m_loadOptions & ~option);
    ChangeAndRebuild(m_loadOptions, options);
}

void CSequence::Rebuild()
{
    if (m_loading || m_rebuilding) return;
    m_rebuilding = true;
    CString path;
    if (SaveObject(this) && FindFileNameForObject(this, path)) {
        CString folder, file, parent, last;
        SplitPath(path, &folder, &file);
        SplitPath(folder, &parent, &last);
        FreeFrames();
        LoadFile(parent.GetText(), last.Mid(1).GetText(), nullptr);
    }
    m_rebuilding = false;
}
