#include "GP_Application.h"

#include "GP_DirectInput.h"
#include "GP_DirectMusic.h"
#include "GP_DirectSound.h"
#include "GP_Display.h"
#include "GP_Exception.h"
#include "GP_GameMainFrame.h"
#include "GP_Globals.h"
#include "GP_Log.h"
#include "GP_MouseCursor.h"
#include "GP_Music.h"
#include "GP_SoundPlayer.h"
#include "GP_Timer.h"
#include "platform/dinput.h"
#include "platform/win32_window.h"

std::uint8_t GP_FirstIdle = 1;

namespace {

constexpr int kProgramIcon = 101;
constexpr std::uint32_t kCursorImage = 0xF0003;
constexpr const char* kModule = "GP_Application";
constexpr const char* kDriverText = "Unable to initialize DirectX drivers.";

}  // namespace

void GP_CheckDisplayResult(int result)
{
    switch (result) {
    case 0: return;
    case 63: throw CGP_FatalExeption(kModule, 130, "Error DirectDrawCreate", kDriverText, 1);
    case 64: throw CGP_FatalExeption(kModule, 132, "Error QueryInterface", kDriverText, 1);
    case GP_ErrDisplaySetUp: throw CGP_FatalExeption(kModule, 134, "Error SetCooperativeLevel", kDriverText, 1);
    default: throw CGP_FatalExeption(kModule, 135, "Can't create and initialize DDraw", kDriverText, 1);
    }
}

CGP_Application::CGP_Application(HINSTANCE instance) : CGP_AppBase(instance) {}

// After a normal end Exit has deleted the main frame already. A run cut short by an engine exception, a fault or a
// failed start still has it: it goes here, in its one fixed order, so that what the display owns is freed before
// the display and nothing is left to the exit handlers; but nothing is written, so the stored settings, players
// and top list stay as they were.
CGP_Application::~CGP_Application()
{
    if (!mainFrame) return;
    mainFrame->writeOnExit = false;
    mainFrame.reset();
}

void CGP_Application::Init()
{
    mainFrame.reset();
    mainFrame = std::make_unique<CGP_GameMainFrame>(this);
    CGP_GameMainFrame& frame = *mainFrame;
    // Without its window the game could only fail later, and for a misleading reason.
    if (!frame.Create("Velmorine", WS_POPUP | WS_SYSMENU, frame.x, frame.y, frame.width, frame.height))
        throw CGP_FatalExeption(kModule, __LINE__, "The main window cannot be created", kDriverText, 1);
    icon = LoadIconA(instance, MAKEINTRESOURCEA(kProgramIcon));
    SetClassLongPtrA(frame.handle, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
    frame.PromptEMail(false);
    ShowWindow(frame.handle, SW_SHOW);
    ShowCursor(FALSE);
    CoInitialize(nullptr);
    InitInput();
    GP_CheckDisplayResult(frame.InitDisplay());
    SetCursorPos(320, 240);
    frame.Init();
    InitMouseCursor();
    if (!frame.InitSound()) {
        GlobalSoundEnabled = 0;
        GlobalMusicEnabled = 0;
        GlobalDirectSoundEnabled = 0;
        GlobalDirectMusicEnabled = 0;
    }
    frame.soundPlayer = std::make_unique<CGP_SoundPlayer>(&frame, frame.directSound.get(), frame.servers.get());
    frame.directMusic = std::make_unique<CGP_DirectMusic>();
    frame.CreateTimer();
    InitMusic();
}

void CGP_Application::InitInput()
{
    CGP_GameMainFrame& frame = *mainFrame;
    frame.directInput = std::make_unique<CGP_DirectInput>();
    if (frame.directInput->Create(instance, nullptr) != GP_InputOk) {
        frame.directInput.reset();
        GP_LogWrite("Error initialize DInput. Using windows messaging.\n");
        return;
    }
    frame.directInput->SetMouseRect(0, 0, 640, 480);
}

// The game's own cursor, picture 0xF0003 in one 18 x 18 frame; hidden while the start-up screen runs.
void CGP_Application::InitMouseCursor()
{
    CGP_GameMainFrame& frame = *mainFrame;
    frame.mouseCursor = std::make_unique<CGP_MouseCursor>(&frame, frame.directInput.get(), nullptr);
    CGP_MouseCursor& cursor = *frame.mouseCursor;
    *cursor.GetUseColorKey() = 1;
    *cursor.GetFrameCount() = 1;
    *cursor.GetImageID() = kCursorImage;
    *cursor.GetLoadOption() = 0xFFFFFFFF;
    *cursor.GetWidth() = 18;
    *cursor.GetHeight() = 18;
    cursor.CreateFrames(frame.servers.get());
    POINT position{};
    GetCursorPos(&position);
    ScreenToClient(frame.handle, &position);
    cursor.x = position.x;
    cursor.y = position.y;
    cursor.visible = 0;
}

void CGP_Application::InitMusic()
{
    CGP_GameMainFrame& frame = *mainFrame;
    if (GlobalDirectMusicEnabled && GlobalMusicEnabled) {
        if (frame.directMusic->Create(frame.directSound ? frame.directSound->directSound.get() : nullptr)) {
            frame.directMusic->SetSearchDirectory("RESOURCE\\MUSIC");
        } else {
            GlobalDirectMusicEnabled = 0;
            GlobalMusicEnabled = 0;
        }
    }
    frame.music =
        std::make_unique<CGP_Music>(&frame, frame.names.get(), frame.directMusic.get(), frame.directSound.get());
    if (!GlobalMusicEnabled || !GlobalDirectMusicEnabled) return;
    frame.music->Create();
    frame.music->Load(GP_TitleMusic);
    frame.music->SetVolume(MusicVolume);
    frame.music->Play(static_cast<DWORD>(-1));
}

void CGP_Application::Idle(std::uint8_t*)
{
    if (!mainFrame) return;
    if (GP_FirstIdle) {
        mainFrame->ShowForm(GP_StartupForm, false, true);
        GP_FirstIdle = 0;
    }
    mainFrame->frameTimer->Tick(active != 0);
}

int CGP_Application::Exit()
{
    icon = nullptr;
    if (mainFrame) {
        mainFrame.reset();
        CoUninitialize();
    }
    return 0;
}
