#include "blit/BlitType.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "foundation/CFileBuf.h"
#include "frames/FrameInterface.h"
#include "platform/cpu_features.h"

namespace {
constexpr std::uint32_t kKeyFlags = 0x1ee;
constexpr int kPlaneTypes = 5;

bool& SimdChosen()
{
    static bool simd = platform::CpuHas(platform::CpuFeature::Sse2);
    return simd;
}
}  // namespace

void FillBytes(void* buffer, std::uint32_t pattern, std::size_t length)
{
    auto* p = static_cast<std::uint8_t*>(buffer);
    const auto byte = static_cast<std::uint8_t>(pattern);
    for (; length && reinterpret_cast<std::uintptr_t>(p) & 3; --length) *p++ = byte;
    for (; length >= 4; length -= 4, p += 4) std::memcpy(p, &pattern, 4);
    for (; length; --length) *p++ = byte;
}

std::int32_t LevelValueOf(int level) { return std::min(kPlaneTypes - 1, (255 - level) * kPlaneTypes / 256); }

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
            ForgetCachedLookup();
            return;
        }
    }
    m_entries.push_back({sourceBits, sourceKind, destinationBits, destinationKind, function});
    ForgetCachedLookup();
}

// Back to the state after construction: key 0 (two frames without a format) answers none, as its lookup would.
void BlitType::ForgetCachedLookup()
{
    m_cachedKey = 0;
    m_cachedFunction = nullptr;
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
    const float scaled = opacity * 255.0f;
    // Written so that a NaN lands on level 0.
    m_level = scaled >= 255.0f ? 255 : scaled > 0.0f ? static_cast<std::int32_t>(std::nearbyint(scaled)) : 0;
    m_levelValue = LevelValueOf(m_level);
}

int BlitTypeList::Add(const char* name, BlitType* type)
{
    m_types.push_back(type);
    return KeyedValueList::Add(CString(name), static_cast<int>(m_types.size()) - 1);
}

BlitTypeList& GetBlitTypeList()
{
    static BlitTypeList list;
    static const bool registered =
        (list.Add("Normal", &NormalBlitType()), list.Add("Transparent Mask", &TransparentMaskBlitType()),
         list.Add("Blend Black Bias", &BlendBlackBiasType()), list.Add("Blend Test Light", &BlendTestLightType()),
         list.Add("Blend Amplify Light", &BlendAmplifyLightType()), true);
    (void)registered;
    return list;
}

bool BlitTypesUseSimd() { return SimdChosen(); }

void RegisterBlitTypes(bool simd)
{
    SimdChosen() = simd;
    BlitType* types[] = {&NormalBlitType(),     &TransparentMaskBlitType(), &Blit555Type(),
                         &BlendBlackBiasType(), &BlendTestLightType(),      &BlendAmplifyLightType()};
    for (BlitType* type : types) type->RegisterDrawFunctions(simd);
}

namespace {
// The named list is built at load, as the library's static initialisers build it.
const bool kListBuiltAtLoad = (GetBlitTypeList(), true);
}  // namespace
