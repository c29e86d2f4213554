// What the sound player asks of a game object that makes a sound, or of the one that hears them.
#pragma once

class CGP_SoundSource {
public:
    // The object's absolute position (its top-left corner) and the size of its current frame.
    virtual void GetSoundPlace(float& x, float& y, float& width, float& height) = 0;
    // Whether the object is gone (state 2).
    virtual bool IsSoundSourceGone() = 0;
    // The stop-on-death flag of the object's current sprite state.
    virtual bool StopsSoundOnDeath() = 0;

protected:
    ~CGP_SoundSource() = default;
};
