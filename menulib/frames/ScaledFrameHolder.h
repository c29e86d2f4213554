// The scaled copy of a frame, made once and kept: a picture shown at another size than its own is drawn from a
// holder attached to it instead of being scaled again every frame.
#pragma once
#include <memory>

#include "foundation/Object.h"

class CFrame;
class CFrameInterface;

class CScaledFrameHolder : public CObject {
    DECLARE_PERSISTENT_CLASS(CScaledFrameHolder)
public:
    CScaledFrameHolder();
    // Holds MakeScaledFrame (source, width, height); nothing when the source is null.
    CScaledFrameHolder(CFrameInterface* source, int width, int height);
    ~CScaledFrameHolder() override;

    CFrame* GetFrame() const { return m_frame.get(); }
    // The scaled frame's size; 0 without one.
    int GetWidth() const;
    int GetHeight() const;

private:
    std::unique_ptr<CFrame> m_frame;
};

// A new frame of width x height at the display's bit depth holding the source drawn through the filtered scaler;
// null for a null source or a size below 1.
std::unique_ptr<CFrame> MakeScaledFrame(CFrameInterface* source, int width, int height);

// The frame's copy at width x height, kept in the frame's attached "Scaled Frame" holder: asked again for the
// same size it is the same frame; another size replaces it (one size is kept per frame). Null for a null frame.
CFrame* GetScaledFrame(CFrameInterface* frame, int width, int height);
