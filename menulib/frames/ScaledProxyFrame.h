// A proxy that presents its frame at another scale: coordinates given to it are multiplied by (sx, sy) on the
// way to the wrapped frame, and sources blitted through it are drawn from their scaled copy (GetScaledFrame).
#pragma once

#include "frames/ProxyFrame.h"

class CScaledProxyFrame : public CProxyFrame {
    DECLARE_PERSISTENT_CLASS(CScaledProxyFrame)
public:
    CScaledProxyFrame();
    ~CScaledProxyFrame() override;

    void SetScale(float sx, float sy)
    {
        m_scaleX = sx;
        m_scaleY = sy;
    }
    float GetScaleX() const { return m_scaleX; }
    float GetScaleY() const { return m_scaleY; }
    int GetMemorySize() const;

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
    platform::Rect Scaled(const platform::Rect& rect) const;
    int X(int x) const { return static_cast<int>(static_cast<float>(x) * m_scaleX); }
    int Y(int y) const { return static_cast<int>(static_cast<float>(y) * m_scaleY); }

    float m_scaleX = 1.0f;
    float m_scaleY = 1.0f;
};
