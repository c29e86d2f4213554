#include "ui/ToolkitStatics.h"

#include "foundation/ConfigFile.h"
#include "foundation/FolderCollection.h"
#include "frames/Frame.h"
#include "ui/Themes.h"

namespace {

struct ToolkitState {
    CFont* defaultFont = nullptr;
    int defaultBevelWidth = toolkit::kUnsetBevelWidth;
    bool frameDrawnFirst = true;
    bool keyboardNavigation = false;
    FolderCollection* icons = nullptr;
    FolderCollection* textures = nullptr;
    CFrameInterface* windowTextures[4] = {};
    bool firstWindowPrepared = false;
    CSequence* cursors[toolkit::kCursorSlots] = {};
    float scale = 1.0f;
    CString settingsFile;
};

ToolkitState& State()
{
    static ToolkitState state;
    return state;
}

CFrameInterface* FindTexture(const char* name)
{
    FolderCollection* set = State().textures;
    if (!set) return nullptr;
    const int index = set->FindIndex(name);
    return index < 0 ? nullptr : dynamic_cast<CFrameInterface*>(set->GetOrLoad(index));
}

}  // namespace

namespace toolkit {

CFont* GetDefaultFont() { return State().defaultFont; }
void SetDefaultFont(CFont* font) { State().defaultFont = font; }
CSkinTheme* GetDefaultTheme() { return &CJWindowClassicTheme::GetDefault(); }
int GetDefaultBevelWidth() { return State().defaultBevelWidth; }
void SetDefaultBevelWidth(int pixels) { State().defaultBevelWidth = pixels; }
bool IsFrameDrawnFirst() { return State().frameDrawnFirst; }
void SetFrameDrawnFirst(bool on) { State().frameDrawnFirst = on; }
bool IsKeyboardNavigation() { return State().keyboardNavigation; }
void SetKeyboardNavigation(bool on) { State().keyboardNavigation = on; }
float GetScale() { return State().scale; }

const char* GetSettingsFileName()
{
    return State().settingsFile.IsEmpty() ? GetConfigFileName() : State().settingsFile.GetText();
}

void SetSettingsFileName(const char* name) { State().settingsFile = name; }

CFrameInterface* GetWindowTexture(WindowTexture which) { return State().windowTextures[which]; }
FolderCollection* GetIconSet() { return State().icons; }
FolderCollection* GetTextureSet() { return State().textures; }

void PrepareFirstWindow()
{
    ToolkitState& state = State();
    if (state.firstWindowPrepared) return;
    state.firstWindowPrepared = true;
    CFrameInterface** textures = state.windowTextures;
    textures[kWindowTexture] = FindTexture("Window Texture");
    textures[kWindowTitleTile] = FindTexture("Window Title Tile");
    textures[kInactiveWindowTexture] = FindTexture("Inactive Window Texture");
    textures[kInactiveWindowTitleTile] = FindTexture("Inactive Window Title Tile");
    if (!textures[kInactiveWindowTexture]) textures[kInactiveWindowTexture] = textures[kWindowTexture];
    if (!textures[kInactiveWindowTitleTile]) textures[kInactiveWindowTitleTile] = textures[kWindowTitleTile];
}

Color GreyShade(int level) { return MakeColor(level, level, level, 255); }

Color GetShade(Shade shade)
{
    static constexpr int kGreys[] = {200, 245, 80, 40};
    if (GetDisplayBitDepth() == 8) return GreyShade(kGreys[shade]);
    switch (shade) {
    case kLight24: return MakeColor(255, 255, 255, 24);
    case kLight48: return MakeColor(255, 255, 255, 48);
    case kDark128: return MakeColor(0, 0, 0, 128);
    case kDark160: break;
    }
    return MakeColor(0, 0, 0, 160);
}

Color GetTrackColor() { return GetShade(kDark128); }

}  // namespace toolkit

void SetToolkitPictureSets(FolderCollection* icons, FolderCollection* textures)
{
    State().icons = icons;
    State().textures = textures;
}

CSequence* GetToolkitCursor(int index)
{
    CSequence** cursors = State().cursors;
    const bool inTable = index >= 0 && index < toolkit::kCursorSlots;
    return inTable && cursors[index] ? cursors[index] : cursors[0];
}

void SetToolkitCursor(int index, CSequence* picture)
{
    if (index >= 0 && index < toolkit::kCursorSlots) State().cursors[index] = picture;
}

void SetToolkitScale(float scale) { State().scale = scale; }
