// The disabled look of text and pictures: while it lives, the shared "Transparent Mask" and "Blend Black Bias"
// blit types draw at the opacities 0.4 and 0.6; each gets its own previous opacity back when it ends.
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

// Sets one blit type's opacity while it lives and puts the previous one back.
class ScopedOpacity {
public:
    ScopedOpacity(BlitType& type, float opacity);
    ~ScopedOpacity();
    ScopedOpacity(const ScopedOpacity&) = delete;
    ScopedOpacity& operator=(const ScopedOpacity&) = delete;

private:
    BlitType& m_type;
    float m_saved;
};
