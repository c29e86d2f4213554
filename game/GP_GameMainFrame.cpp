#include "GP_GameMainFrame.h"
#include "GP_Actions.h"
#include "GP_GameState.h"

#include <cstdlib>

#include "GP_AppBase.h"
#include "GP_Campaigns.h"
#include "GP_DirectInput.h"
#include "GP_DirectMusic.h"
#include "GP_DirectSound.h"
#include "GP_Display.h"
#include "GP_FontCache.h"
#include "GP_Form.h"
#include "GP_Globals.h"
#include "GP_IDList.h"
#include "GP_IOManager.h"
#include "GP_KeyNames.h"
#include "GP_Label.h"
#include "GP_MouseCursor.h"
#include "GP_Music.h"
#include "GP_NameServer.h"
#include "GP_ObjectList.h"
#include "GP_PlayField.h"
#include "GP_Players.h"
#include "GP_Scene.h"
#include "GP_ServerSet.h"
#include "GP_SoundPlayer.h"
#include "GP_SoundServer.h"
#include "GP_SpriteManager.h"
#include "GP_Surface.h"
#include "GP_Timer.h"
#include "GP_TopList.h"

CGP_GameMainFrame* GP_MainFrame = nullptr;

namespace {

constexpr float kListenerX = 320.0f;
constexpr float kListenerY = 240.0f;
constexpr float kRolloffFactor = 0.05f;

}  // namespace

CGP_GameMainFrame::CGP_GameMainFrame(CGP_AppBase* application) : CGP_InterfaceHost(application)
{
    x = 0;
    y = 0;
    width = 640;
    height = 480;
    backgroundColorKey = std::make_unique<GP_ColorKeyRecord>(GP_ColorKeyRecord{0, 0});
    settingsKey = std::make_unique<CGP_Registry>(HKEY_CURRENT_USER, GP_SettingsPath);
    settingsKey->Create();
    play = &GP_State;
    ReadSettings();
    ResolveLanguage();
    const char* showFps = std::getenv("VEL_SHOW_FPS");
    showFrameRate = showFps && std::string(showFps) == "1";
    GP_MainFrame = this;
}

// Ends the run in a fixed order, so that nothing is used after it is gone: the timer first (no more ticks), the
// settings, then what uses the servers and devices before the servers and devices themselves, the display last.
CGP_GameMainFrame::~CGP_GameMainFrame()
{
    frameTimer.reset();
    if (writeOnExit) {
        WriteSettings();
        SavePlayers();
        SaveTopList();
    }
    settingsKey.reset();
    Campaigns.clear();
    CampaignCount = 0;
    GP_FreeKeyNames();
    music.reset();
    soundPlayer.reset();
    currentForm = nullptr;
    forms.clear();
    formGraveyard.clear();
    actions = nullptr;
    actionTable.reset();
    ClearOverlay();
    GP_State.MenuSessionSurface = nullptr;
    menuSessionSurface.reset();
    levelDisplay.reset();
    OverlayPicture.reset();
    scene.reset();
    drawOrder.clear();
    objectLists.clear();
    sprites = nullptr;
    spriteManager.reset();
    servers.reset();
    ioManager.reset();
    mouseCursor.reset();
    directMusic.reset();
    directSound.reset();
    fonts.reset();
    variables.clear();
    idLists.clear();
    names.reset();
    CloseDataFiles();
    if (GP_DisplayPtr == display.get()) GP_PublishDisplayValues(nullptr);
    display.reset();
    if (GP_MainFrame == this) GP_MainFrame = nullptr;
}

void CGP_GameMainFrame::CloseDataFiles()
{
    for (std::FILE** pack : {&GP_InterfacePackStream, &GP_CampaignPackStream}) {
        if (*pack) std::fclose(*pack);
        *pack = nullptr;
    }
    GP_InterfacePackActive = 0;
}

void CGP_GameMainFrame::UpdateForm(float elapsed)
{
    if (currentForm) currentForm->Update(elapsed);
}

void CGP_GameMainFrame::DrawForm(bool active)
{
    if (active && currentForm) currentForm->Draw();
}

int CGP_GameMainFrame::InitDisplay()
{
    display = std::make_unique<CGP_Display>();
    if (const int result = display->Init(); result != 0) return result;
    bitsPerPixel = 16;
    if (display->SetFullScreen(0, handle, 640, 480, 16) != 0) return GP_ErrDisplaySetUp;
    display->primarySurface->Clear(0);
    display->backSurface->Clear(0);
    display->Present(1);
    GP_PublishDisplayValues(display.get());
    bitsPerPixel = static_cast<std::uint8_t>(GP_BitsPerPixel);
    return GP_DisplayOk;
}

bool CGP_GameMainFrame::InitSound()
{
    directSound = std::make_unique<CGP_DirectSound>(handle);
    if (!directSound->Create()) {
        directSound.reset();
        return false;
    }
    if (servers && servers->sound) servers->sound->device = directSound.get();
    directSound->SetListenerPosition(kListenerX, kListenerY);
    directSound->SetRolloffFactor(kRolloffFactor);
    directSound->PlayPrimary(true);
    GP_SoundActive = GlobalSoundEnabled;
    return true;
}

void CGP_GameMainFrame::CreateTimer()
{
    GP_State.Score = 0;
    unusedCounter = 0;
    state = 0;
    frameTimer = std::make_unique<CGP_GameTimer>(this, 0);
    frameTimer->callback = static_cast<GP_TimerCallback>(&CGP_GameMainFrame::FrameTick);
    frameTimer->Start();
}

void CGP_GameMainFrame::PlayMusic(std::uint32_t nameId)
{
    if (!GlobalDirectSoundEnabled || !GlobalDirectMusicEnabled || !GlobalMusicEnabled || !music || !directMusic) return;
    music->Stop();
    music->Release();
    directMusic->Release();
    if (!directMusic->Create(directSound ? directSound->directSound.get() : nullptr)) {
        GlobalDirectMusicEnabled = 0;
        GlobalMusicEnabled = 0;
        return;
    }
    directMusic->SetSearchDirectory("RESOURCE\\MUSIC");
    music->Create();
    music->Load(nameId);
    music->SetVolume(MusicVolume);
    music->Play(static_cast<DWORD>(-1));
}

void CGP_GameMainFrame::ResetExtraKeys()
{
    constexpr std::uint16_t extraKeys[] = {'3', '4', '5', '6', '7', '8', '9', '0', 'V', 'E'};
    for (int i = 0; i < 10; ++i) GameKeys.codes[4 + i] = extraKeys[i];
    for (std::uint8_t& pressed : GameKeys.pressed) pressed = 0;
}
