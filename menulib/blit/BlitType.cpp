#include "blit/BlitType.h"

#include <cmath>

#include "foundation/CFileBuf.h"
#include "frames/FrameInterface.h"

namespace {
constexpr std::uint32_t kKeyFlags = 0x1ee;
}  // namespace

std::uint32_t MakeBlitCacheKey(const CFrameInterface& source, const CFrameInterface& destination)
{
    return (destination.GetFlags() & kKeyFlags) | (source.GetFlags() & kKeyFlags) << 16;
}

DrawFunction BlitType::FindDrawFunction(const CFrameInterface& source, const CFrameInterface& destination)
{
    const std::uint32_t key = MakeBlitCacheKey(source, destination);
    if (key == m_cachedKey) return m_cachedFunction;
    m_cachedFunction = Lookup(source.GetBitDepth(), source.GetFlags() & kFrameKindMask, destination.GetBitDepth(),
                              destination.GetFlags() & kFrameKindMask);
    m_cachedKey = key;
    return m_cachedFunction;
}

void BlitType::WriteParams(CFileBuf& stream) const { stream.Write(&m_opacity, sizeof m_opacity); }

bool BlitType::ReadParams(CFileBuf& stream)
{
    float opacity = 1.0f;
    if (stream.Read(&opacity, sizeof opacity) != sizeof opacity) return false;
    SetOpacity(opacity);
    return true;
}

void BlitType::AddDrawFunction(int sourceBits, int sourceKind, int destinationBits, int destinationKind,
                               DrawFunction function)
{
    for (BlitEntry& entry : m_entries) {
        if (entry.sourceBits == sourceBits && entry.sourceKind == sourceKind &&
            entry.destinationBits == destinationBits && entry.destinationKind == destinationKind) {
            entry.function = function;
            return;
        }
    }
    m_entries.push_back({sourceBits, sourceKind, destinationBits, destinationKind, function});
}

DrawFunction BlitType::Lookup(int sourceBits, int sourceKind, int destinationBits, int destinationKind) const
{
    for (const BlitEntry& entry : m_entries) {
        if (entry.sourceBits == sourceBits && entry.sourceKind == sourceKind &&
            entry.destinationBits == destinationBits && entry.destinationKind == destinationKind)
            return entry.function;
    }
    return nullptr;
}

void BlitType::SetOpacity(float opacity)
{
    m_opacity = opacity;
    m_level = static_cast<std::int32_t>(std::nearbyint(opacity * 255.0f));
}

int BlitTypeList::Add(const char* name, BlitType* type)
{
    m_types.push_back(type);
    return KeyedValueList::Add(CString(name), static_cast<int>(m_types.size()) - 1);
}

BlitTypeList& GetBlitTypeList()
{
    static BlitTypeList list;
    static const bool registered = (list.Add("Normal", &NormalBlitType()),
                                    list.Add("Transparent Mask", &TransparentMaskBlitType()), true);
    (void)registered;
    return list;
}
