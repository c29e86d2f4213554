// The main frame's data at start-up: the interface pack "RESOURCE/InterfaceR.idf" with its checks, then the
// engine servers, the game variables and the keys.
#include <cstring>
#include <memory>
#include <string>

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
constexpr std::uint16_t kPackMajorVersion = 100;
constexpr const char* kPlayerText =
    "Unable to locate interface file.\n It is possibly corrupted or\nhas an inproper version.\nYou may need to "
    "reinstall the game.";
constexpr const char* kDashes = "---------------------------------------------------------";  // 57
constexpr std::size_t kTrailerTextSize = 1024;

constexpr UINT kTrayIconId = 505;
constexpr UINT kTrayCallbackMessage = 0x401;
constexpr int kTrayIconResource = 103;

// The pack's own account of itself, at its trailer.
struct PackTrailer {
    std::uint16_t major = 0;
    std::uint16_t minor = 0;
    std::string title;
    std::string fileName;
};

// A zero-terminated text of at most 1023 characters; false at the end of the file or for a longer one.
bool ReadTrailerText(std::FILE* stream, std::string& text)
{
    text.clear();
    for (int c = std::fgetc(stream); c != '\0'; c = std::fgetc(stream)) {
        if (c == EOF || text.size() == kTrailerTextSize - 1) return false;
        text += static_cast<char>(c);
    }
    return true;
}

bool ReadTrailer(std::FILE* stream, std::uint32_t trailer, PackTrailer& out)
{
    std::uint16_t versions[2] = {};
    if (std::fseek(stream, trailer, SEEK_SET) != 0 || std::fread(versions, sizeof versions, 1, stream) != 1)
        return false;
    out.major = versions[0];
    out.minor = versions[1];
    return ReadTrailerText(stream, out.title) && ReadTrailerText(stream, out.fileName);
}

std::string NameOrEmpty(const CGP_NameServer& names, std::uint16_t index)
{
    const char* name = names.GetName(index, 0);
    return name ? name : "";
}

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
    try {
        if (std::fread(&trailer, sizeof trailer, 1, stream) != 1 || std::fseek(stream, trailer + 4, SEEK_SET) != 0)
            throw CGP_FatalExeption(kModule, __LINE__, "The pack has no trailer");
        names->Load(stream, true);
    } catch (const CGP_Exeption&) {
        std::fclose(stream);
        LeaveFullScreen();
        throw CGP_FatalExeption(kModule, 576, FormatNew("File %s is corrupted", kPackName), kPlayerText, 0);
    }
    PackTrailer pack;
    const bool trailerWhole = ReadTrailer(stream, trailer, pack);
    LogLine(kDashes);
    LogLine("Interface data file");
    LogLine(kDashes);
    LogLine(path);
    const std::string title = NameOrEmpty(*names, 2), major = NameOrEmpty(*names, 3),
                      minor = NameOrEmpty(*names, 4), fileName = NameOrEmpty(*names, 8);
    LogLine("NT: " + title + " " + fileName + " " + major + "." + minor);
    LogLine("CN: " + pack.title + " " + pack.fileName + " " + std::to_string(pack.major) + "." +
            std::to_string(pack.minor));
    // Names missing from group 0 are empty here, and an empty name never matches.
    const bool accepted = trailerWhole && pack.major == kPackMajorVersion && !title.empty() &&
                          pack.title == title && pack.fileName == fileName && pack.fileName == kPackName &&
                          fileName == kPackName && !major.empty() &&
                          static_cast<std::uint16_t>(std::atoi(major.c_str())) == pack.major;
    LogLine(accepted ? "Loaded" : "Skipped");
    LogLine(kDashes);
    if (!accepted) {
        std::fclose(stream);
        LeaveFullScreen();
        throw CGP_FatalExeption(kModule, 645, "Error interface data file version\nor file is corrupted\n",
                                kPlayerText, 0);
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
    std::snprintf(trayIcon.szTip, sizeof trayIcon.szTip, "%s", className ? className : "");
    GP_RegisterTrayClass();

    names = std::make_unique<CGP_NameServer>();
    GP_InterfacePackStream = OpenInterfacePack(GP_WorkingFolder + "/RESOURCE/" + kPackName);

    ioManager = std::make_unique<CGP_IOManager>(GP_CampaignPackStream, GP_InterfacePackStream, names.get(), this);
    servers = std::make_unique<CGP_ServerSet>(this, ioManager.get(), directSound.get(), InterfaceLanguage);
    fonts = std::make_unique<CGP_FontCache>(names.get(), servers.get());
    currentForm = nullptr;
    GP_InterfacePackActive = 1;
    BindVariables();
    ResetExtraKeys();
    GP_BuildKeyNames();
}
