// Narrows the clip of the frame a window draws into to a rectangle (in the window's content coordinates) for the
// life of the object, and puts the wider clip back when it ends. A frame that is no clipping proxy is left alone.
#pragma once
#include "frames/ProxyFrame.h"
#include "platform/rect.h"

class ClipScope {
public:
    ClipScope(CFrameInterface* frame, const platform::Rect& rect)
        : m_proxy(dynamic_cast<COffsetClippedProxyFrame*>(frame))
    {
        if (!m_proxy) return;
        m_saved = m_proxy->GetClipRect();
        m_proxy->SetClipRect(m_saved.Intersected(rect));
    }
    ~ClipScope()
    {
        if (m_proxy) m_proxy->SetClipRect(m_saved);
    }
    ClipScope(const ClipScope&) = delete;
    ClipScope& operator=(const ClipScope&) = delete;
    // Whether anything can be drawn inside.
    bool IsEmpty() const { return m_proxy && m_proxy->GetClipRect().IsEmpty(); }

private:
    COffsetClippedProxyFrame* m_proxy;
    platform::Rect m_saved;
};
