// Bitmap fonts: a font whose glyphs for a range of codes are the frames of an artist's image sequence, found
// beside the font's own property file, with the TrueType glyphs as the fall-back for every other code.
#pragma once
#include <cstdint>
#include <memory>

#include "frames/Sequence.h"
#include "ui/Font.h"

class CFileBuf;

// The glyph sequence of a bitmap font, with the height the font reports.
class CFontBitmapData : public CSequence {
    DECLARE_PERSISTENT_CLASS(CFontBitmapData)
public:
    CFontBitmapData() { ConstructOwnMembers(); }
    ~CFontBitmapData() override { DestroyOwnMembers(); }

    int GetHeightWithoutDescenders() const { return m_heightWithoutDescenders; }
    void SetHeightWithoutDescenders(int height) { m_heightWithoutDescenders = height; }

private:
    friend void DeclareFontBitmapData(ClassInfo* record);
    std::int32_t m_heightWithoutDescenders = 0;
};

// The record in front of the glyph sequence in a glyph cache file: three little-endian 32-bit integers.
struct GlyphCacheHeader {
    static constexpr int kSize = 12;
    std::int32_t firstCode = 0;
    std::int32_t lastCode = 0;
    std::int32_t height = 0;

    // False when the stream ends first or the codes lie outside 0 to 255 or the height is negative.
    bool Read(CFileBuf& stream);
    bool Write(CFileBuf& stream) const;
};

class CFontBitmap : public CFont {
    DECLARE_PERSISTENT_CLASS(CFontBitmap)
public:
    CFontBitmap();
    ~CFontBitmap() override;

    // The sequence frame at code - first code while that lies within the last code and the frames; else the
    // TrueType glyph. The sequence is loaded on the first call.
    CFrame* GetGlyph(unsigned code) override;
    // Keeps the glyph sequence and the TrueType glyphs.
    void ReleaseGlyphs() override {}
    // "Cache/<folder>/<name>.Sequence": the codes, the height, then the sequence's frames.
    virtual bool ReadGlyphCache(const char* folder, const char* name);
    virtual bool WriteGlyphCache(const char* folder, const char* name, int quality, bool losslessOnly,
                                 bool wasRunEncoded);

    int GetFirstCode() const { return m_firstCode; }
    int GetLastCode() const { return m_lastCode; }
    void SetCodeRange(int first, int last);
    CFontBitmapData* GetGlyphSequence();

private:
    friend void DeclareFontBitmap(ClassInfo* record);
    void LoadGlyphSequence();
    static CString GlyphCachePath(const char* folder, const char* name);

    std::int32_t m_firstCode = 32;
    std::int32_t m_lastCode = 125;
    bool m_blendedWithBlack = false;
    bool m_fixedWidth = false;
    std::unique_ptr<CFontBitmapData> m_glyphSequence;
};
