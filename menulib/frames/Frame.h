// The frame that owns its pixels: up to five planes of plain pixels or run-encoded lines with their line
// tables, an origin (the negated hot spot), a pixel format and an encoding, and a palette kept as an attached
// property. Run-encoded frames are drawn from, never into: every writing operation answers false on them.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "frames/ColorTable.h"
#include "frames/FrameInterface.h"

class CFileBuf;
class FrameProcess;
struct FrameFileHeader;

// The three colours kept next to the frame.
extern const Color kOpaqueBlack;
extern const Color kOpaqueWhite;
extern const Color kTransparentBlack;

// A line table of max(count, 2) entries, entry i = i x pitch.
std::vector<std::uint32_t> MakeLineOffsetTable(int count, int pitch);
inline void FreeLineOffsetTable(std::vector<std::uint32_t>& table) { std::vector<std::uint32_t>().swap(table); }

// The display bit depth that decides which cache a frame loads and what the processing chain converts to:
// 8 until the library's initialisation sets 16.
int GetDisplayBitDepth();
void SetDisplayBitDepth(int bits);
// Whether frame caches are named and written (on from the start).
bool GetFrameCacheNaming();
void SetFrameCacheNaming(bool on);
// Whether the frame cache writer keeps only lossless bodies (off from the start).
bool GetLosslessOnly();
void SetLosslessOnly(bool on);

class CFrame : public CFrameInterface {
    DECLARE_PERSISTENT_CLASS(CFrame)
public:
    static constexpr int kPlanes = 5;

    CFrame();
    ~CFrame() override;

    // The frame operations.
    bool Blit(CFrameInterface* source, platform::Rect sourceRect, platform::Rect destinationRect,
              BlitType* blitType) override;
    bool ClearRect(const platform::Rect& rect) override;
    bool Clear() override;
    bool Fill(const Color& color) override;
    bool FillValue(int byte) override;
    bool FillRect(const platform::Rect& rect, const Color& color) override;
    int GetBitDepth() const override { return BitDepthOf(m_flags); }
    int GetBytesPerPixel() const override { return GetBitDepth() / 8; }
    std::uint8_t* GetPixels() const override { return m_planes[0]; }
    std::uint8_t* GetPlaneData(int plane) const override;
    platform::Rect GetBounds() const override;
    std::uint32_t GetFlags() const override { return m_flags; }
    int GetHeight() const override { return m_height; }
    int GetPitch() const override;
    int GetLog2Width() const override { return m_log2Width; }
    int GetLog2Height() const override { return m_log2Height; }
    int GetOriginX() const override { return m_originX; }
    int GetOriginY() const override { return m_originY; }
    int GetWidth() const override { return m_width; }
    const std::uint32_t* GetLineOffsets() const override { return TableOf(0); }
    const std::uint32_t* GetPlaneOffsets(int plane) const override;
    bool DrawLine(int x0, int y0, int x1, int y1, const Color& color) override;
    bool DrawLineF(float x0, float y0, float x1, float y1, const Color& color) override;
    bool GetPixelColor(int x, int y, Color& out) const override;
    std::uint32_t GetPixelValue(int x, int y) const override;
    bool SetPixel(int x, int y, const Color& color) override;
    bool IsOpaqueAt(int x, int y) const override;
    bool RemapRect(const platform::Rect& rect, const ColorTable& table) override;
    ColorTable* GetPalette() const override;

    // Asks the blit type for the draw function of (source, this) and draws; false when it has none.
    virtual bool DrawWithBlitType(CFrameInterface* source, const platform::Rect& sourceRect,
                                  const platform::Rect& destinationRect, BlitType* blitType);

    // Loads a TGA into this frame, runs the processing chain on it (the default chain when none is given) and
    // attaches a copy of the palette when one is given. A plain TGA is first rewritten as a run-length one.
    virtual bool LoadTga(const char* path, FrameProcess* processChain, const ColorTable* palette, int openFlags);
    // A run-length TGA of this frame; 16-bit frames go through a 24-bit copy.
    bool WriteCompressedTga(const char* path, int openFlags);
    // The JPEG of the stream's remaining bytes as 24-bit pixels; false when it cannot be decoded.
    bool LoadJpeg(CFileBuf& stream);
    // This frame as a JPEG at the quality (0 to 100) to the stream.
    bool SaveJpeg(CFileBuf& stream, int quality);

    // The ".frm" form (FrameFile.h). Reading borrows the planes of a stream held in memory when `borrow` is
    // set (the stream's memory must then outlive the frame); the line tables are always the frame's own.
    bool ReadFrameFile(CFileBuf& stream, bool borrow = true);
    int ReadFrameFileChecked(CFileBuf& stream, bool borrow);
    bool WriteFrameFile(CFileBuf& stream) const;
    void MakeFrameFileHeader(FrameFileHeader& header) const;

    // The ".Frame" cache form (FrameCache.h).
    bool ReadFrameCacheFile(const char* folder, const char* name);
    bool ReadFrameCache(CFileBuf& stream);
    // The body alone (the lossless byte and what follows), as a sequence's strip stores it; origin (0, 0).
    bool ReadFrameCacheBody(CFileBuf& stream);
    // Writes the body of this frame's cache (lossless, or lossy at the quality when that is much smaller).
    bool WriteFrameCache(CFileBuf& stream, int quality, bool losslessOnly);

    // Loads the frame for the chain's target depth from its ".frm" file, rebuilt from its ".Frame" cache when
    // missing or out of date.
    virtual bool Load(const char* folder, const char* name, FrameProcess* processChain, int useCacheFolder,
                      int openFlags);

    // Pixels and line tables.
    void SetBitDepth(int bits);
    // Keeps everything when the size, depth and plain pixels are unchanged; else makes zeroed pixels. The pitch
    // in pixels, 0 when nothing was made.
    int AllocatePixels(int width, int height, int bits);
    void SetupLineOffsets(int pitch, int rebuild);
    // A plain frame of zeroed pixels with its line table; false when the pixels could not be made.
    bool Create(int width, int height, int bits);
    void FreePixels();
    // This frame becomes a copy of the source's bounds, drawn through "Normal", with the source's origin.
    bool CopyFrom(CFrameInterface* source);
    // The smallest rectangle of pixel positions that holds every drawn pixel; empty for a frame without any.
    platform::Rect GetOpaqueBounds() const;
    bool HasNonZeroPixels() const;
    void SetOrigin(int x, int y);
    void MoveOrigin(int dx, int dy);
    int GetMemorySize() const;

    // Planes and tables given to the frame: owned, or borrowed from a stream held in memory (the frame is then
    // marked borrowed and frees none of its planes).
    void SetPlane(int plane, std::unique_ptr<std::uint8_t[]> data, std::vector<std::uint32_t> lineOffsets);
    void SetBorrowedPlane(int plane, std::uint8_t* data, std::vector<std::uint32_t> lineOffsets);
    void SetEncoding(std::uint32_t encoding);
    // The size fields without pixels, for readers that build planes themselves.
    void SetSize(int width, int height);
    const std::vector<std::uint32_t>& GetLineTable(int plane) const { return m_lineOffsets[plane]; }

    // The palette link.
    ColorTable* AttachPalette();
    void SetPalette(const ColorTable& table);
    void DetachPalette();

private:
    const std::uint32_t* TableOf(int plane) const;
    std::uint8_t* PixelAt(int x, int y) const;
    // The pixel position of frame coordinates, false outside the pixels.
    bool ToPixel(int& x, int& y) const;
    bool IsWritable() const { return m_planes[0] && !IsEncoded(); }
    bool FillRow(int x, int y, int count, const Color& color, std::uint8_t paletteIndex);
    void FillRect16(const platform::Rect& pixels, const Color& color);
    bool RemapRect16(const platform::Rect& rect, float ratio);
    void RemapBytes(const platform::Rect& pixels, const std::uint8_t* table, int channels);
    void PlotLine(int x0, int y0, int x1, int y1, const Color& color);
    void SetPixelAt(int x, int y, const Color& color, std::uint8_t paletteIndex);
    bool RunPixelColor(int x, int y, Color& out) const;

    std::int16_t m_originX = 0;
    std::int16_t m_originY = 0;
    std::uint8_t m_log2Width = 0;
    std::uint8_t m_log2Height = 0;
    std::uint16_t m_width = 0;
    std::uint16_t m_height = 0;
    std::uint8_t* m_planes[kPlanes] = {};
    std::unique_ptr<std::uint8_t[]> m_ownedPlanes[kPlanes];
    std::vector<std::uint32_t> m_lineOffsets[kPlanes];
    std::uint32_t m_flags = 0;
};

// The holder of a frame's palette, kept in the frame's attached "Palette" property.
class CPaletteHolder : public CObject {
    DECLARE_PERSISTENT_CLASS(CPaletteHolder)
public:
    CPaletteHolder() { ConstructOwnMembers(); }
    ~CPaletteHolder() override { DestroyOwnMembers(); }
    ColorTable& GetTable() { return m_table; }

private:
    ColorTable m_table;
};
