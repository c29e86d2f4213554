#include "GP_SpriteDef.h"

#include "GP_BinaryServer.h"
#include "GP_Exception.h"
#include "GP_GraphServer.h"
#include "GP_NameGroup.h"
#include "GP_ServerSet.h"
#include "GP_SoundServer.h"
#include "GP_SoundSettings.h"

namespace {

constexpr const char* Module = "GP_SpriteDef";
// More frames than any strip of one picture can hold marks a damaged state.
constexpr int MaxFramesPerState = 4096;

bool HasPicture(const GP_SpriteState& state) { return state.pictureID != GP_NoID; }

}  // namespace

CGP_Surface* CGP_SpriteDef::LoadStateSurface(CGP_ServerSet* servers, int state)
{
    const GP_SpriteState& fields = record.states[state];
    colorKeys[state] = GP_ColorKeyRecord{fields.useColorKey, fields.colorKey};
    CGP_GraphServer* graphics = servers->graphics.get();
    graphics->pendingColorKey = &colorKeys[state];
    CGP_Surface* surface = graphics->LoadSurface(fields.pictureID, fields.loadOption, 0, nullptr);
    graphics->pendingColorKey = nullptr;
    if (fields.useColorKey) {
        surface->useColorKey = 1;
        surface->SetSourceColorKey(fields.colorKey);
    }
    return surface;
}

// Frames of the frame rectangle's size, columns by rows from its top-left corner.
void CGP_SpriteDef::BuildFrames(CGP_Surface* surface, int state)
{
    const GP_SpriteState& fields = record.states[state];
    const long long cells = static_cast<long long>(fields.columns) * fields.rows;
    if (fields.FrameWidth() <= 0 || fields.FrameHeight() <= 0 || fields.columns < 1 || fields.rows < 1 ||
        cells > MaxFramesPerState)
        throw CGP_FatalExeption(Module, __LINE__, FormatNew("Sprite state %d has no sound frame grid", state), nullptr,
                                1);
    frames[state] = std::make_unique<CGP_SurfaceFrames>();
    frames[state]->AddGrid(surface, fields.frameRect.left, fields.frameRect.top, fields.FrameWidth(),
                           fields.FrameHeight(), fields.columns, fields.rows);
    if (record.header.makeSpans) masks[state].reset(GP_BuildMask(frames[state].get()));
}

void CGP_SpriteDef::Load(CGP_ServerSet* servers, bool loadImages)
{
    record.Read(*servers->binary);
    if (!loadImages) return;
    for (int s = 0; s < StateCount; ++s) {
        if (HasPicture(record.states[s])) BuildFrames(LoadStateSurface(servers, s), s);
    }
    if (!GP_SoundActive || !servers->sound) return;
    for (const GP_SpriteState& state : record.states) {
        if (state.soundID != GP_NoID) servers->sound->GetSound(state.soundID);
    }
}

void CGP_SpriteDef::ReloadImages(CGP_ServerSet* servers)
{
    for (int s = 0; s < StateCount; ++s) {
        if (!HasPicture(record.states[s])) continue;
        CGP_Surface* surface = LoadStateSurface(servers, s);
        if (!frames[s]) {
            BuildFrames(surface, s);
            continue;
        }
        for (int f = 0; f < frames[s]->Count(); ++f) frames[s]->frames[f].surface = surface;
    }
}

void CGP_SpriteDef::Save(CGP_ServerSet* servers) { record.Write(*servers->binary); }
