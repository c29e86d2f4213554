// The image button: four pictures (pressed, under the pointer, disabled, normal), one drawn centred by the button's
// state; without pictures it draws as a push button.
#pragma once
#include "ui/Button.h"

enum ImageButtonState : int {
    kImagePressed = 0,
    kImageHover = 1,
    kImageDisabled = 2,
    kImageNormal = 3,
    kImageStates = 4
};

class CJImageButton : public CJButton {
public:
    CJImageButton(CJWindow* parent, const char* name, CJButton* ring) : CJButton(parent, name, ring) {}

    // Each setter sizes the button to its pictures; the pictures are not owned.
    void SetPressedPicture(CFrameInterface* picture) { SetStatePicture(kImagePressed, picture); }
    void SetHoverPicture(CFrameInterface* picture) { SetStatePicture(kImageHover, picture); }
    void SetDisabledPicture(CFrameInterface* picture) { SetStatePicture(kImageDisabled, picture); }
    void SetNormalPicture(CFrameInterface* picture) { SetStatePicture(kImageNormal, picture); }
    int GetState() const { return m_state; }
    // The state the next drawing shows (a just-clicked button shows pressed once).
    int ComputeState() const;

    void Draw(CFrameInterface* frame) override;
    // An image button shows its state by its pictures and draws no focus outline.
    void DrawFocusOutline(CFrameInterface*, const Color&) override {}

    virtual void SetState(int state) { m_state = state; }
    // Width and height become the largest of the current size and every picture's; the state becomes normal.
    virtual void SizeToPictures();
    // The state's picture (else the normal one) drawn centred; false when there is neither.
    virtual bool DrawPicture(CFrameInterface* frame);

private:
    void SetStatePicture(int state, CFrameInterface* picture);

    CFrameInterface* m_statePictures[kImageStates] = {};
    int m_state = kImageNormal;
};
