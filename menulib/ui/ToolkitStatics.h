// The toolkit-wide state that every window shares: the default font and theme, the default bevel width, the
// frame-drawing order, the keyboard-navigation flag, the picture sets with the window textures, the bevel shades,
// the cursor table, the toolkit scale and the settings file.
#pragma once
#include "frames/Color.h"

class CFont;
class CFrameInterface;
class CSequence;
class CSkinTheme;
class FolderCollection;

namespace toolkit {

constexpr int kCursorSlots = 24;
constexpr int kUnsetBevelWidth = -1;

CFont* GetDefaultFont();
void SetDefaultFont(CFont* font);
CSkinTheme* GetDefaultTheme();
int GetDefaultBevelWidth();
void SetDefaultBevelWidth(int pixels);
bool IsFrameDrawnFirst();
void SetFrameDrawnFirst(bool on);
bool IsKeyboardNavigation();
void SetKeyboardNavigation(bool on);
float GetScale();
const char* GetSettingsFileName();
void SetSettingsFileName(const char* name);

// The window textures of the texture set: looked up by the first window ever constructed.
enum WindowTexture : int {
    kWindowTexture,
    kWindowTitleTile,
    kInactiveWindowTexture,
    kInactiveWindowTitleTile
};
CFrameInterface* GetWindowTexture(WindowTexture which);
FolderCollection* GetIconSet();
FolderCollection* GetTextureSet();
// Looks the window textures up and makes the bevel shades, once.
void PrepareFirstWindow();

// The bevel shades (grey levels at 8 bits per pixel, also while the depth is not yet known).
enum Shade : int {
    kLight24,
    kLight48,
    kDark128,
    kDark160
};
Color GetShade(Shade shade);
// The grey of an 8-bit shade level (40, 80, 200 or 245).
Color GreyShade(int level);
// The colour of scroll-bar tracks: dark 1.
Color GetTrackColor();

}  // namespace toolkit

// The toolkit statics set from outside (Part of CJWindow's interface).
void SetToolkitPictureSets(FolderCollection* icons, FolderCollection* textures);
CSequence* GetToolkitCursor(int index);
void SetToolkitCursor(int index, CSequence* picture);
void SetToolkitScale(float scale);
