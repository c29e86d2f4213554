// The handlers of the options forms: sound and music switches, the two volumes, the key labels, and the dark
// panels that forms draw behind their controls.
#include <algorithm>
#include <memory>

#include "GP_Actions.h"
#include "GP_DirectMusic.h"
#include "GP_DirectSound.h"
#include "GP_Display.h"
#include "GP_Effects.h"
#include "GP_Form.h"
#include "GP_FormKinds.h"
#include "GP_GameMainFrame.h"
#include "GP_GameState.h"
#include "GP_Globals.h"
#include "GP_GraphServer.h"
#include "GP_Music.h"
#include "GP_ServerSet.h"
#include "GP_Surface.h"

namespace {

constexpr std::int32_t kVolumeStep = 100;
constexpr std::int32_t kLowestVolume = -3000;
constexpr std::int32_t kLoudestSound = 0;
constexpr std::int32_t kLoudestMusic = 1000;
constexpr std::uint16_t kDefaultKeys[4] = {37, 39, 32, 38};  // left arrow, right arrow, space, up arrow
constexpr int kPanelTop = 14;
constexpr int kBandRows = 25;
constexpr std::uint16_t kBandGreen = 20 << 5;  // green 20 in its 5-6-5 position
constexpr std::uint32_t kFirstMissionMusic = 0x190001;

}  // namespace

bool CGP_Actions::ChangeVolume(CGP_Control* control, std::int32_t& volume, std::int32_t step, std::int32_t low,
                               std::int32_t high) const
{
    if (!control->enableVariable) {
        PlaySound(*control->GetClickSound());
        return true;
    }
    if (*control->enableVariable) volume = std::clamp(volume + step, low, high);
    return true;
}

bool CGP_Actions::OnSoundVolumeUp(CGP_Control* control)
{
    return ChangeVolume(control, GP_EffectsVolume, kVolumeStep, kLowestVolume, kLoudestSound);
}

bool CGP_Actions::OnSoundVolumeDown(CGP_Control* control)
{
    return ChangeVolume(control, GP_EffectsVolume, -kVolumeStep, kLowestVolume, kLoudestSound);
}

bool CGP_Actions::OnMusicVolumeUp(CGP_Control* control)
{
    return ChangeVolume(control, MusicVolume, kVolumeStep, kLowestVolume, kLoudestMusic);
}

bool CGP_Actions::OnMusicVolumeDown(CGP_Control* control)
{
    return ChangeVolume(control, MusicVolume, -kVolumeStep, kLowestVolume, kLoudestMusic);
}

bool CGP_Actions::OnSoundToggle(CGP_Control* control)
{
    if (!GlobalDirectSoundEnabled) return true;
    OnCheckClick(control);
    GP_SoundActive = GlobalSoundEnabled;
    CGP_DirectSound* device = mainFrame ? mainFrame->directSound.get() : nullptr;
    if (!device) return true;
    if (GlobalSoundEnabled)
        device->PlayPrimary(true);
    else
        device->StopPrimary();
    return true;
}

bool CGP_Actions::OnMusicToggle(CGP_Control* control)
{
    OnCheckClick(control);
    CGP_DirectMusic* layer = mainFrame ? mainFrame->directMusic.get() : nullptr;
    CGP_Music* music = mainFrame ? mainFrame->music.get() : nullptr;
    if (!GlobalDirectMusicEnabled || !GlobalMusicEnabled) {
        if (music) music->Stop(), music->Release();
        if (layer) layer->Release();
        return true;
    }
    CGP_DirectSound* device = mainFrame ? mainFrame->directSound.get() : nullptr;
    if (!layer || !layer->Create(device ? device->directSound.get() : nullptr)) {
        GlobalDirectMusicEnabled = 0;
        GlobalMusicEnabled = 0;
    } else {
        layer->SetSearchDirectory("RESOURCE\\MUSIC");
    }
    if (!music) return true;
    music->Create();
    music->Load(GP_State.LevelSuspended ? kFirstMissionMusic + GP_State.MissionIndex : GP_TitleMusic);
    music->SetVolume(MusicVolume);
    music->Play(static_cast<DWORD>(-1));
    return true;
}

void CGP_Actions::StopKeyLabels(CGP_Form* form) const
{
    for (std::size_t i = 0; form && i < form->ControlCount(); ++i) {
        CGP_Control* element = form->GetControl(i);
        if (GP_KindOf(element) != GP_KindKeyLabel) continue;
        *GP_ActiveByte(element) = 0;
        *GP_ChangedByte(element) = 1;
        if (!mainFrame) continue;
        std::fill(std::begin(mainFrame->TypedKeys), std::end(mainFrame->TypedKeys), 0);
        mainFrame->lastKeyDown = 0;
    }
}

bool CGP_Actions::OnKeyFieldClick(CGP_Control* control)
{
    StopKeyLabels(GP_FormOf(control));
    LightWithHint(control);
    return true;
}

bool CGP_Actions::OnResetKeys(CGP_Control* control)
{
    PlaySound(*control->GetClickSound());
    if (mainFrame)
        for (int key = 0; key < 4; ++key) mainFrame->GameKeys.codes[key] = kDefaultKeys[key];
    StopKeyLabels(GP_FormOf(control));
    return true;
}

bool CGP_Actions::OnOptionsOpen(CGP_Control* control)
{
    GP_State.MusicVolumeLive = true;
    BuildPanel(control, 15, 28, 7, PanelBackground::Load, true);
    CGP_Form* form = GP_FormOf(control);
    StopKeyLabels(form);
    for (std::size_t i = 0; form && i < form->ControlCount(); ++i) {
        CGP_Control* element = form->GetControl(i);
        if (GP_KindOf(element) == GP_KindSlider) element->Update(0);
    }
    return true;
}

bool CGP_Actions::OnOptionsClose(CGP_Control*)
{
    GP_State.MusicVolumeLive = false;
    return true;
}

bool CGP_Actions::OnPanelFormOpenA(CGP_Control* control)
{
    BuildPanel(control, 16, 29, 8, PanelBackground::Load, false);
    return true;
}

bool CGP_Actions::OnPanelFormOpenB(CGP_Control* control)
{
    BuildPanel(control, 17, 29, 9, PanelBackground::Keep, true);
    return true;
}

bool CGP_Actions::OnPanelFormOpenC(CGP_Control* control)
{
    BuildPanel(control, 17, 29, 9, PanelBackground::None, true);
    return true;
}

// The panel is the screen behind the control's rectangle, darkened, made once and drawn each frame. A control
// smaller than the margins gives no panel at all.
void CGP_Actions::BuildPanel(CGP_Control* control, int shrinkW, int shrinkH, int shiftX, PanelBackground background,
                             bool band) const
{
    if (!mainFrame) return;
    const int width = *control->GetWidth() - shrinkW;
    const int height = *control->GetHeight() - shrinkH;
    const int x = static_cast<int>(control->GetAbsX()) + shiftX;
    const int y = static_cast<int>(control->GetAbsY()) + kPanelTop;
    mainFrame->ClearOverlay();
    CGP_Surface* picture = nullptr;
    if (background == PanelBackground::Load && mainFrame->servers && mainFrame->servers->graphics) {
        picture = mainFrame->servers->graphics->LoadSurface(GP_BackgroundImage, GP_NoID, 0, nullptr);
        if (picture) picture->useColorKey = 0;
        mainFrame->backgroundSurface = picture;
    } else if (background == PanelBackground::Keep) {
        picture = mainFrame->backgroundSurface;
    }
    CGP_Display* display = mainFrame->display.get();
    if (width <= 0 || height <= 0 || !display || !display->backSurface) return;
    auto panel = std::make_unique<CGP_Surface>();
    if (panel->Create(display, GP_SurfaceVideoOrSystem, width, height) != GP_SurfaceOk) return;
    panel->SetRestoreHandler(&GP_RestoreOverlayPicture, mainFrame, false);
    panel->useColorKey = 0;
    if (background != PanelBackground::None) GP_State.OverlayBelowForm = true;
    CGP_Surface* back = display->backSurface.get();
    if (picture) picture->BltFast(back, 0, 0, 0, 0, picture->width, picture->height);
    if (back->Lock() == GP_SurfaceOk) {
        if (band) {
            const int bandRows = std::min(kBandRows, height);
            GP_BlendRect(x, y, width, bandRows, 0, kBandGreen, 0);
            GP_BlendRect(x, y + bandRows, width, height - bandRows, 0, 0, 0);
        } else {
            GP_BlendRect(x, y, width, height, 0, 0, 0);
        }
        back->Unlock();
    }
    back->BltFast(panel.get(), 0, 0, x, y, x + width, y + height);
    mainFrame->OverlayPicture = std::move(panel);
    mainFrame->overlayX = x;
    mainFrame->overlayY = y;
}
