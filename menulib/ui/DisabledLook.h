// The disabled look of the toolkit: while the object lives, the shared blit types "Transparent Mask" and "Blend
// Black Bias" draw at opacities 0.4 and 0.6; each gets its own saved opacity back when it ends.
#pragma once

class BlitType;

class DisabledLook {
public:
    explicit DisabledLook(bool on);
    ~DisabledLook();
    DisabledLook(const DisabledLook&) = delete;
    DisabledLook& operator=(const DisabledLook&) = delete;

private:
    BlitType* m_types[2] = {};
    float m_saved[2] = {};
};
