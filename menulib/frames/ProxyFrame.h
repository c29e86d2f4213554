// Frames that own no pixels: they forward every frame operation to a wrapped frame (not owned), changing the
// coordinates or the operation on the way. Offset proxies move coordinates, clipped proxies keep drawing inside
// a rectangle, offset-and-clipped proxies do both.
#pragma once
#include "frames/FrameInterface.h"

class CProxyFrame : public CFrameInterface {
    DECLARE_PERSISTENT_CLASS(CProxyFrame)
public:
    CProxyFrame() { ConstructOwnMembers(); }
    explicit CProxyFrame(CFrameInterface* wrapped) : CProxyFrame() { SetWrapped(wrapped); }
    ~CProxyFrame() override { DestroyOwnMembers(); }

    // A proxy without a frame wraps the empty frame, which answers every operation with false or nothing.
    virtual void SetWrapped(CFrameInterface* frame) { m_wrapped = frame ? frame : &EmptyFrame(); }
    CFrameInterface* GetWrapped() const { return m_wrapped; }

    bool Blit(CFrameInterface* source, platform::Rect sourceRect, platform::Rect destinationRect,
              BlitType* blitType) override
    {
        return m_wrapped->Blit(source, sourceRect, destinationRect, blitType);
    }
    bool ClearRect(const platform::Rect& rect) override { return m_wrapped->ClearRect(rect); }
    bool Clear() override { return m_wrapped->Clear(); }
    bool Fill(const Color& color) override { return m_wrapped->Fill(color); }
    bool FillValue(int byte) override { return m_wrapped->FillValue(byte); }
    bool FillRect(const platform::Rect& rect, const Color& color) override { return m_wrapped->FillRect(rect, color); }
    int GetBitDepth() const override { return m_wrapped->GetBitDepth(); }
    int GetBytesPerPixel() const override { return m_wrapped->GetBytesPerPixel(); }
    std::uint8_t* GetPixels() const override { return m_wrapped->GetPixels(); }
    std::uint8_t* GetPlaneData(int plane) const override { return m_wrapped->GetPlaneData(plane); }
    platform::Rect GetBounds() const override { return m_wrapped->GetBounds(); }
    CFrameInterface* GetRealFrame() override { return m_wrapped->GetRealFrame(); }
    std::uint32_t GetFlags() const override { return m_wrapped->GetFlags(); }
    int GetHeight() const override { return m_wrapped->GetHeight(); }
    int GetPitch() const override { return m_wrapped->GetPitch(); }
    int GetLog2Width() const override { return m_wrapped->GetLog2Width(); }
    int GetLog2Height() const override { return m_wrapped->GetLog2Height(); }
    int GetOriginX() const override { return m_wrapped->GetOriginX(); }
    int GetOriginY() const override { return m_wrapped->GetOriginY(); }
    int GetWidth() const override { return m_wrapped->GetWidth(); }
    const std::uint32_t* GetLineOffsets() const override { return m_wrapped->GetLineOffsets(); }
    const std::uint32_t* GetPlaneOffsets(int plane) const override { return m_wrapped->GetPlaneOffsets(plane); }
    bool DrawLine(int x0, int y0, int x1, int y1, const Color& color) override
    {
        return m_wrapped->DrawLine(x0, y0, x1, y1, color);
    }
    bool DrawLineF(float x0, float y0, float x1, float y1, const Color& color) override
    {
        return m_wrapped->DrawLineF(x0, y0, x1, y1, color);
    }
    bool GetPixelColor(int x, int y, Color& out) const override { return m_wrapped->GetPixelColor(x, y, out); }
    std::uint32_t GetPixelValue(int x, int y) const override { return m_wrapped->GetPixelValue(x, y); }
    bool SetPixel(int x, int y, const Color& color) override { return m_wrapped->SetPixel(x, y, color); }
    bool IsOpaqueAt(int x, int y) const override { return m_wrapped->IsOpaqueAt(x, y); }
    bool RemapRect(const platform::Rect& rect, const ColorTable& table) override
    {
        return m_wrapped->RemapRect(rect, table);
    }

private:
    CFrameInterface* m_wrapped = &EmptyFrame();
};

// Coordinates given to the proxy lose the offset o before they are forwarded: proxy point p is frame point
// p - o, so the frame's pixels appear at its bounds + o.
class COffsetProxyFrame : public CProxyFrame {
    DECLARE_PERSISTENT_CLASS(COffsetProxyFrame)
public:
    COffsetProxyFrame() { ConstructOwnMembers(); }
    ~COffsetProxyFrame() override { DestroyOwnMembers(); }

    void SetOffset(int x, int y)
    {
        m_offsetX = x;
        m_offsetY = y;
    }
    int GetOffsetX() const { return m_offsetX; }
    int GetOffsetY() const { return m_offsetY; }

    bool Blit(CFrameInterface* source, platform::Rect sourceRect, platform::Rect destinationRect,
              BlitType* blitType) override;
    bool ClearRect(const platform::Rect& rect) override;
    bool FillRect(const platform::Rect& rect, const Color& color) override;
    bool RemapRect(const platform::Rect& rect, const ColorTable& table) override;
    platform::Rect GetBounds() const override;
    int GetOriginX() const override;
    int GetOriginY() const override;
    bool DrawLine(int x0, int y0, int x1, int y1, const Color& color) override;
    bool DrawLineF(float x0, float y0, float x1, float y1, const Color& color) override;
    bool GetPixelColor(int x, int y, Color& out) const override;
    std::uint32_t GetPixelValue(int x, int y) const override;
    bool SetPixel(int x, int y, const Color& color) override;
    bool IsOpaqueAt(int x, int y) const override;

private:
    std::int32_t m_offsetX = 0;
    std::int32_t m_offsetY = 0;
};

// The clip rectangle, in the wrapped frame's coordinates.
struct ClipRect {
    platform::Rect rect;
    void Set(const platform::Rect& r) { rect = r; }
};

// Keeps every drawing operation inside the clip rectangle c.
class CClippedProxyFrame : public CProxyFrame {
    DECLARE_PERSISTENT_CLASS(CClippedProxyFrame)
public:
    CClippedProxyFrame() { ConstructOwnMembers(); }
    ~CClippedProxyFrame() override { DestroyOwnMembers(); }

    void SetClip(const platform::Rect& rect) { m_clip.Set(rect); }
    const platform::Rect& GetClip() const { return m_clip.rect; }
    // Wraps the frame with the clip rectangle of its bounds.
    void WrapWhole(CFrameInterface* frame);

    bool Blit(CFrameInterface* source, platform::Rect sourceRect, platform::Rect destinationRect,
              BlitType* blitType) override;
    bool ClearRect(const platform::Rect& rect) override;
    bool FillRect(const platform::Rect& rect, const Color& color) override;
    bool RemapRect(const platform::Rect& rect, const ColorTable& table) override;
    platform::Rect GetBounds() const override;
    int GetHeight() const override { return m_clip.rect.Height(); }
    int GetWidth() const override { return m_clip.rect.Width(); }
    bool DrawLine(int x0, int y0, int x1, int y1, const Color& color) override;
    bool DrawLineF(float x0, float y0, float x1, float y1, const Color& color) override;
    bool GetPixelColor(int x, int y, Color& out) const override;
    std::uint32_t GetPixelValue(int x, int y) const override;
    bool SetPixel(int x, int y, const Color& color) override;
    bool IsOpaqueAt(int x, int y) const override;

private:
    ClipRect m_clip;
};

// An offset part and a clip part: coordinates lose the offset, then drawing stays inside the clip part's
// bounds b; the proxy's bounds are b + o.
class COffsetClippedProxyFrame : public CProxyFrame {
    DECLARE_PERSISTENT_CLASS(COffsetClippedProxyFrame)
public:
    COffsetClippedProxyFrame() { ConstructOwnMembers(); }
    ~COffsetClippedProxyFrame() override { DestroyOwnMembers(); }

    void SetWrapped(CFrameInterface* frame) override;
    void SetOffset(int x, int y) { m_offset.SetOffset(x, y); }
    int GetOffsetX() const { return m_offset.GetOffsetX(); }
    int GetOffsetY() const { return m_offset.GetOffsetY(); }
    // The clip rectangle in the proxy's coordinates.
    void SetClipRect(const platform::Rect& rect);
    platform::Rect GetClipRect() const { return m_clip.GetClip().Offset(GetOffsetX(), GetOffsetY()); }

    bool Blit(CFrameInterface* source, platform::Rect sourceRect, platform::Rect destinationRect,
              BlitType* blitType) override;
    bool ClearRect(const platform::Rect& rect) override;
    bool FillRect(const platform::Rect& rect, const Color& color) override;
    bool RemapRect(const platform::Rect& rect, const ColorTable& table) override;
    platform::Rect GetBounds() const override;
    int GetHeight() const override { return m_clip.GetHeight(); }
    int GetWidth() const override { return m_clip.GetWidth(); }
    int GetOriginX() const override;
    int GetOriginY() const override;
    bool DrawLine(int x0, int y0, int x1, int y1, const Color& color) override;
    bool DrawLineF(float x0, float y0, float x1, float y1, const Color& color) override;
    bool GetPixelColor(int x, int y, Color& out) const override;
    std::uint32_t GetPixelValue(int x, int y) const override;
    bool SetPixel(int x, int y, const Color& color) override;
    bool IsOpaqueAt(int x, int y) const override;

private:
    // The rectangle less the offset, clipped to b; false when nothing is left.
    bool ToClipped(const platform::Rect& rect, platform::Rect& out) const;
    // The point less the offset, when it lies inside b.
    bool ToInside(int& x, int& y) const;

    COffsetProxyFrame m_offset;
    CClippedProxyFrame m_clip;
};
