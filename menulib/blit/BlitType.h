// A named drawing mode: a registry of draw functions keyed by the source and destination pixel formats and
// encodings, the mode's opacity and a one-entry cache of the last lookup. The named modes are kept in one
// process-wide list.
#pragma once
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

class BlitType {
public:
    BlitType() = default;
    virtual ~BlitType() = default;
    BlitType(const BlitType&) = delete;
    BlitType& operator=(const BlitType&) = delete;

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

    // Replaces the function of an existing key, else appends the key.
    void AddDrawFunction(int sourceBits, int sourceKind, int destinationBits, int destinationKind,
                         DrawFunction function);
    DrawFunction Lookup(int sourceBits, int sourceKind, int destinationBits, int destinationKind) const;
    int GetEntryCount() const { return static_cast<int>(m_entries.size()); }

    // Stores the opacity (0.0 to 1.0) and its level, round(opacity x 255) with ties to even.
    void SetOpacity(float opacity);
    float GetOpacity() const { return m_opacity; }
    int GetLevel() const { return m_level; }

private:
    ColorTable m_colorTable;
    std::vector<BlitEntry> m_entries;
    float m_opacity = 1.0f;
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
