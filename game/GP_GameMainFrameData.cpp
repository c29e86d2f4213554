// The main frame's data at start-up: the interface pack "RESOURCE/InterfaceR.idf" with its checks, then the
// engine servers, the game variables and the keys.
#include <cstring>
#include <memory>
#include <string>

#include "GP_Actions.h"
#include "GP_Display.h"
#include "GP_Exception.h"
#include "GP_FontCache.h"
#include "GP_GameMainFrame.h"
#include "GP_Globals.h"
#include "GP_IOManager.h"
#include "GP_KeyNames.h"
#include "GP_Log.h"
#include "GP_Main.h"
#include "GP_NameServer.h"
#include "GP_PackCheck.h"
#include "GP_ServerSet.h"
#include "GP_Tray.h"
#include "platform/files.h"
#include "platform/win32_window.h"

std::FILE* GP_InterfacePackStream = nullptr;
std::FILE* GP_CampaignPackStream = nullptr;
std::uint8_t GP_InterfacePackActive = 0;

namespace {

constexpr const char* kModule = "GP_GameMainFrame";
constexpr const char* kPackName = "InterfaceR.idf";
constexpr const char* kPlayerText =
    "Unable to locate interface file.\n It is possibly corrupted or\nhas an inproper version.\nYou may need to "
    "reinstall the game.";

constexpr UINT kTrayIconId = 505;
constexpr UINT kTrayCallbackMessage = 0x401;
constexpr int kTrayIconResource = 103;

void LogLine(const std::string& text) { GP_LogWrite((text + "\n").c_str()); }

}  // namespace

void CGP_GameMainFrame::LeaveFullScreen()
{
    if (display) display->SetWindowed(0, handle, 640, 480);
}

std::FILE* CGP_GameMainFrame::OpenInterfacePack(const std::string& path)
{
    std::FILE* stream = platform::OpenFile(path, "rb");
    if (!stream) {
        LeaveFullScreen();
        throw CGP_FatalExeption(kModule, 585, FormatNew("Невозможно открыть файл %s для чтения.", path.c_str()),
                                kPlayerText, 0);
    }
    std::uint32_t trailer = 0;
    bool tableRead =
        std::fread(&trailer, sizeof trailer, 1, stream) == 1 && std::fseek(stream, trailer + 4, SEEK_SET) == 0;
    if (tableRead) {
        try {
            names->Load(stream, true);
        } catch (const CGP_Exeption& damaged) {
            delete[] damaged.text;  // the name server's own account, replaced by the pack's
            tableRead = false;
        }
    }
    if (!tableRead) {
        std::fclose(stream);
        LeaveFullScreen();
        throw CGP_FatalExeption(kModule, 576, FormatNew("File %s is corrupted", kPackName), kPlayerText, 0);
    }
    GP_PackTrailer pack;
    const bool trailerWhole = GP_ReadPackTrailer(stream, trailer, pack);
    LogLine(GP_LogDashes);
    LogLine("Interface data file");
    LogLine(GP_LogDashes);
    LogLine(path);
    const bool accepted = GP_CheckPack(*names, trailerWhole, pack, kPackName);
    LogLine(accepted ? "Loaded" : "Skipped");
    LogLine(GP_LogDashes);
    if (!accepted) {
        std::fclose(stream);
        LeaveFullScreen();
        throw CGP_FatalExeption(kModule, 645, "Error interface data file version\nor file is corrupted\n", kPlayerText,
                                0);
    }
    return stream;
}

void CGP_GameMainFrame::Init()
{
    trayIcon = NOTIFYICONDATAA{};
    trayIcon.cbSize = sizeof trayIcon;
    trayIcon.hWnd = handle;
    trayIcon.uID = kTrayIconId;
    trayIcon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    trayIcon.uCallbackMessage = kTrayCallbackMessage;
    trayIcon.hIcon = LoadIconA(GP_Instance, MAKEINTRESOURCEA(kTrayIconResource));
    std::snprintf(trayIcon.szTip, sizeof trayIcon.szTip, "%s", className.c_str());
    GP_RegisterTrayClass();

    names = std::make_unique<CGP_NameServer>();
    LoadCampaigns();
    GP_InterfacePackStream = OpenInterfacePack(GP_WorkingFolder + "/RESOURCE/" + kPackName);
    actionTable = std::make_unique<CGP_Actions>(this);
    actions = actionTable.get();

    ioManager = std::make_unique<CGP_IOManager>(GP_CampaignPackStream, GP_InterfacePackStream, names.get(), this);
    servers = std::make_unique<CGP_ServerSet>(this, ioManager.get(), directSound.get(), InterfaceLanguage);
    fonts = std::make_unique<CGP_FontCache>(names.get(), servers.get());
    LoadPlayers();
    LoadTopList();
    currentForm = nullptr;
    GP_InterfacePackActive = 1;
    ResetForms();
    BindVariables();
    LoadIDLists();
    ResetExtraKeys();
    GP_BuildKeyNames();
}
