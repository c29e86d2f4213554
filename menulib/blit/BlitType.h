// A named drawing mode: a registry of draw functions keyed by the source and destination pixel formats and
// encodings, the mode's opacity and a one-entry cache of the last lookup. The named modes are kept in one
// process-wide list.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/NamedList.h"
#include "frames/ColorTable.h"
#include "platform/rect.h"

class BlitType;
class CFileBuf;
class CFrameInterface;

// Draws the clipped source rectangle into the destination rectangle of the same size.
using DrawFunction = void (*)(CFrameInterface* source, const platform::Rect& sourceRect, CFrameInterface* destination,
                              const platform::Rect& destinationRect, BlitType* blitType);

struct BlitEntry {
    std::int32_t sourceBits;
    std::int32_t sourceKind;
    std::int32_t destinationBits;
    std::int32_t destinationKind;
    DrawFunction function;
};

// (destination flags & 0x1ee) | (source flags & 0x1ee) << 16.
std::uint32_t MakeBlitCacheKey(const CFrameInterface& source, const CFrameInterface& destination);

// Fills length bytes with a pattern whose four bytes are equal: single bytes up to 4-byte alignment, then
// 32-bit stores, then the 1 to 3 bytes left.
void FillBytes(void* buffer, std::uint32_t pattern, std::size_t length);

// The value a level stands for: the plane type (0 to 4) with which 8-bit banded run frames are drawn, so that
// lower levels leave out the stronger passes: min(4, (255 - level) x 5 / 256).
std::int32_t LevelValueOf(int level);

class BlitType {
public:
    BlitType() = default;
    virtual ~BlitType() = default;
    BlitType(const BlitType&) = delete;
    BlitType& operator=(const BlitType&) = delete;

    // Answers 0 in every blit type.
    virtual int ZeroQuery(int, int) { return 0; }
    // Adds every draw function of the mode, the vector-unit variants when simd is set; called again it replaces
    // them in place.
    virtual void RegisterDrawFunctions(bool simd) { (void)simd; }
    // The draw function for drawing source onto destination; null when the mode has none for the pair.
    virtual DrawFunction FindDrawFunction(const CFrameInterface& source, const CFrameInterface& destination);
    virtual ColorTable* GetColorTable() { return &m_colorTable; }
    // The opacity as four bytes.
    virtual void WriteParams(CFileBuf& stream) const;
    virtual bool ReadParams(CFileBuf& stream);
    virtual bool IsPlainCopy() const { return true; }
    // Whether the mode reads only inside the source rectangle, so that a blit may clip it to the source's
    // pixels. Wrapping, tiling and scaling modes read outside on purpose and answer false.
    virtual bool ReadsInsideSource() const { return true; }

    // Replaces the function of an existing key, else appends the key; either way the cached lookup is dropped.
    void AddDrawFunction(int sourceBits, int sourceKind, int destinationBits, int destinationKind,
                         DrawFunction function);
    DrawFunction Lookup(int sourceBits, int sourceKind, int destinationBits, int destinationKind) const;
    int GetEntryCount() const { return static_cast<int>(m_entries.size()); }

    // Stores the opacity as given and its level, round(opacity x 255) with ties to even, kept to 0 to 255 (a
    // value read back from a stream may lie outside 0.0 to 1.0), and the level's value.
    void SetOpacity(float opacity);
    float GetOpacity() const { return m_opacity; }
    int GetLevel() const { return m_level; }
    std::int32_t GetLevelValue() const { return m_levelValue; }

private:
    void ForgetCachedLookup();

    ColorTable m_colorTable;
    std::vector<BlitEntry> m_entries;
    float m_opacity = 1.0f;
    std::int32_t m_levelValue = 0;
    std::int32_t m_level = 255;
    std::uint32_t m_cachedKey = 0;
    DrawFunction m_cachedFunction = nullptr;
};

// The indices of the named blit types.
enum BlitTypeIndex : int {
    kBlitNormal = 0,
    kBlitTransparentMask = 1,
    kBlitBlendBlackBias = 2,
    kBlitBlendTestLight = 3,
    kBlitBlendAmplifyLight = 4,
};

// The named blit types in registration order; find by name gives the index.
class BlitTypeList : public KeyedValueList {
public:
    int Add(const char* name, BlitType* type);
    // The blit type at an index; null outside the list.
    BlitType* GetType(int i) const { return i >= 0 && i < static_cast<int>(m_types.size()) ? m_types[i] : nullptr; }

private:
    std::vector<BlitType*> m_types;
};

BlitTypeList& GetBlitTypeList();
// "Normal": every plain copy and conversion; also the blit type of every internal copy.
BlitType& NormalBlitType();
// "Transparent Mask": copies that leave source pixels of value 0 out.
BlitType& TransparentMaskBlitType();
// "Blend Black Bias" and "Blend Test Light": the same mixing draw functions in two objects.
BlitType& BlendBlackBiasType();
BlitType& BlendTestLightType();
// "Blend Amplify Light": brightens the destination by the source and paints translucent planes white.
BlitType& BlendAmplifyLightType();
// The unnamed blit type of host buffers in the 5-5-5 mode: 8, 16 (5-6-5) and 24 bits to 5-5-5.
BlitType& Blit555Type();

// Registers again, in every blit type, the draw functions that have a vector-unit variant: the vector ones when
// simd is set, the plain ones otherwise. At load the processor's answer decides (platform::CpuHas, SSE2 for
// the four-pixel 16-bit lanes); tests call it to run both.
void RegisterBlitTypes(bool simd);
// Whether the vector-unit draw functions are the ones registered now.
bool BlitTypesUseSimd();
