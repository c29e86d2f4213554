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

// The frame's scaled copy at width x height, kept in the frame's attached "Scaled Frame" holder and made again
// only when another size is asked for (one size is kept per frame); the copy belongs to the frame and goes with it.
// Null for a null frame.
CFrame* GetScaledFrame(CFrameInterface* frame, int width, int height);
// Forgets the frame's scaled copy (its pixels are about to change).
void DropScaledFrame(CFrameInterface& frame);

// A new frame of width x height at the display's bit depth holding the source drawn through the filtered scaler;
// null for a null source or a size below 1.
std::unique_ptr<CFrame> MakeScaledFrame(CFrameInterface* source, int width, int height);
