// The abstract image that every drawing call takes: the frame operations that frames and proxy frames offer,
// and the clipping helpers of blits and lines. A frame's coordinates are pixel positions plus its origin.
#pragma once
#include <cstdint>

#include "foundation/Object.h"
#include "frames/Color.h"
#include "platform/rect.h"

class BlitType;
class ColorTable;

// The flags word of a frame.
enum FrameFlag : std::uint32_t {
    kFrameFormat8 = 0x20,    // palette index
    kFrameFormat16 = 0x40,   // 5-6-5
    kFrameFormat24 = 0x80,   // bytes B, G, R
    kFrameFormat32 = 0x100,  // bytes B, G, R, A
    kFrameFormatMask = 0x1e0,
    kFrameEncodingBands = 2,  // run-encoded, five planes by alpha band (8-bit frames)
    kFrameEncodingAlpha = 4,  // run-encoded, opaque plane, translucent plane and alpha bytes
    kFrameEncodingMask = 0x6,
    kFrameKindMask = 0x0e,    // the encoding as blit types key it
    kFrameBorrowed = 0x4000,  // planes and line tables belong to a stream held in memory
};

// The format bits of a bit depth (0 for other depths), and the bit depth of format bits.
std::uint32_t FrameFormatOf(int bits);
int BitDepthOf(std::uint32_t flags);

class CFrameInterface : public CObject {
    DECLARE_PERSISTENT_CLASS(CFrameInterface)
public:
    CFrameInterface() { ConstructOwnMembers(); }
    ~CFrameInterface() override { DestroyOwnMembers(); }

    virtual bool Blit(CFrameInterface* source, platform::Rect sourceRect, platform::Rect destinationRect,
                      BlitType* blitType) = 0;
    virtual bool ClearRect(const platform::Rect& rect) = 0;
    virtual bool Clear() = 0;
    virtual bool Fill(const Color& color) = 0;
    virtual bool FillValue(int byte) = 0;
    virtual bool FillRect(const platform::Rect& rect, const Color& color) = 0;
    virtual int GetBitDepth() const = 0;
    virtual int GetBytesPerPixel() const = 0;
    virtual std::uint8_t* GetPixels() const = 0;
    // Plane 1 to 4 of an encoded frame (null when absent).
    virtual std::uint8_t* GetPlaneData(int plane) const = 0;
    virtual platform::Rect GetBounds() const = 0;
    virtual CFrameInterface* GetRealFrame() { return this; }
    virtual std::uint32_t GetFlags() const = 0;
    virtual int GetHeight() const = 0;
    virtual int GetPitch() const = 0;
    virtual int GetLog2Width() const = 0;
    virtual int GetLog2Height() const = 0;
    virtual int GetOriginX() const = 0;
    virtual int GetOriginY() const = 0;
    virtual int GetWidth() const = 0;
    virtual const std::uint32_t* GetLineOffsets() const = 0;
    // The line table of plane 1 to 4 (null when absent).
    virtual const std::uint32_t* GetPlaneOffsets(int plane) const = 0;
    virtual bool DrawLine(int x0, int y0, int x1, int y1, const Color& color) = 0;
    virtual bool DrawLineF(float x0, float y0, float x1, float y1, const Color& color) = 0;
    virtual bool GetPixelColor(int x, int y, Color& out) const = 0;
    virtual std::uint32_t GetPixelValue(int x, int y) const = 0;
    virtual bool SetPixel(int x, int y, const Color& color) = 0;
    virtual bool IsOpaqueAt(int x, int y) const = 0;
    virtual bool RemapRect(const platform::Rect& rect, const ColorTable& table) = 0;
    virtual ColorTable* GetPalette() const { return nullptr; }
    // Whether the frame speaks for its own palette; no frame class here does.
    virtual bool ReportsPalette() const { return false; }

    std::uint8_t* GetPlaneData1() const { return GetPlaneData(1); }
    std::uint8_t* GetPlaneData2() const { return GetPlaneData(2); }
    std::uint8_t* GetPlaneData3() const { return GetPlaneData(3); }
    std::uint8_t* GetPlaneData4() const { return GetPlaneData(4); }
    const std::uint32_t* GetPlaneOffsets1() const { return GetPlaneOffsets(1); }
    const std::uint32_t* GetPlaneOffsets2() const { return GetPlaneOffsets(2); }
    const std::uint32_t* GetPlaneOffsets3() const { return GetPlaneOffsets(3); }
    const std::uint32_t* GetPlaneOffsets4() const { return GetPlaneOffsets(4); }
    bool IsEncoded() const { return (GetFlags() & kFrameEncodingMask) != 0; }

    // Draws the whole source with its bounds moved by (x, y); a null blit type draws with "Normal".
    bool BlitAt(CFrameInterface* source, int x, int y, BlitType* blitType);
    static bool BlitAt(CFrameInterface* target, CFrameInterface* source, int x, int y, BlitType* blitType)
    {
        return target->BlitAt(source, x, y, blitType);
    }
    void DrawRectOutline(const platform::Rect& rect, const Color& color);
    bool FillRectXY(int x0, int y0, int x1, int y1, const Color& color);
    bool RemapRectXY(int x0, int y0, int x1, int y1, const ColorTable& table);
};

// A process-wide frame without pixels: every operation on it does nothing.
CFrameInterface& EmptyFrame();

// Clips destination to clip edge by edge (top, bottom, left, right) and moves the same edges of source by the
// same amounts; false as soon as nothing is left.
bool ClipBlitRects(const platform::Rect& clip, platform::Rect& source, platform::Rect& destination);
// Clips rect to clip; false when nothing is left.
bool IntersectRect(const platform::Rect& clip, platform::Rect& rect);
// Clips a line to clip (right and bottom exclusive); false when nothing of it is inside.
bool ClipLine(const platform::Rect& clip, int& x0, int& y0, int& x1, int& y1);
bool ClipLineF(const platform::Rect& clip, float& x0, float& y0, float& x1, float& y1);
