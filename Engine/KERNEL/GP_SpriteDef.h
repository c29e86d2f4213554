// A sprite definition: the record of one kind of moving thing (behaviour, object list, physical values, four
// visual states, weapons, attachments and two spawn lists) with the frame sets, coverage masks and colour keys
// built from its states' pictures.
#pragma once
#include <memory>

#include "GP_Effects.h"
#include "GP_SpriteRecords.h"
#include "GP_Surface.h"

class CGP_PlayHost;
class CGP_ServerSet;

class CGP_SpriteDef {
public:
    static constexpr int StateCount = GP_SpriteRecord::StateCount;

    explicit CGP_SpriteDef(CGP_PlayHost* owner) : owner(owner) {}
    CGP_SpriteDef(const CGP_SpriteDef&) = delete;
    CGP_SpriteDef& operator=(const CGP_SpriteDef&) = delete;
    virtual ~CGP_SpriteDef() = default;

    // Reads the resource open in the binary server. With loadImages, each state with a picture gets its frame
    // set (and coverage mask with makeSpans), and while sound is active the states' sounds are loaded.
    void Load(CGP_ServerSet* servers, bool loadImages);
    // After the graphics server was reset: each state with a picture takes its surface again.
    void ReloadImages(CGP_ServerSet* servers);
    // Tool side: writes the record to the resource open for writing.
    void Save(CGP_ServerSet* servers);

    // The state's frame set; null for a state without picture or an index outside 0 to 3.
    CGP_SurfaceFrames* FramesOf(int state) const { return ValidState(state) ? frames[state].get() : nullptr; }
    GP_PixelMask* MaskOf(int state) const { return ValidState(state) ? masks[state].get() : nullptr; }
    static bool ValidState(int state) { return state >= 0 && state < StateCount; }

    GP_SpriteRecord record;
    std::unique_ptr<CGP_SurfaceFrames> frames[StateCount];
    std::unique_ptr<GP_PixelMask> masks[StateCount];
    CGP_PlayHost* owner = nullptr;
    GP_ColorKeyRecord colorKeys[StateCount] = {};

private:
    CGP_Surface* LoadStateSurface(CGP_ServerSet* servers, int state);
    void BuildFrames(CGP_Surface* surface, int state);
};
