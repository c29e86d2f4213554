// The campaign list at start-up, and the mission lists of the active pack.
#include "GP_Campaigns.h"

#include <strings.h>
#include <algorithm>
#include <cstring>

#include "GP_Display.h"
#include "GP_Exception.h"
#include "GP_GameMainFrame.h"
#include "GP_Globals.h"
#include "GP_IDList.h"
#include "GP_IOManager.h"
#include "GP_Log.h"
#include "GP_Main.h"
#include "GP_NameServer.h"
#include "GP_PackCheck.h"
#include "GP_Picture.h"
#include "GP_Surface.h"
#include "GP_TextServer.h"
#include "platform/files.h"
#include "platform/win32_files.h"
#include "platform/wingdi.h"

std::vector<std::unique_ptr<CampaignFile>> Campaigns;
std::uint32_t CampaignCount = 0;

CampaignFile::CampaignFile() = default;
CampaignFile::~CampaignFile() = default;

namespace {

constexpr const char* kModule = "GP_GameMainFrame";
constexpr const char* kCampaignPlayerText =
    "Unable to locate campaign files.\nYour campaign files are possibly corrupted or\nhave an inproper version.\n"
    "You may need to reinstall the game.";
constexpr std::uint32_t kMissionListKind = 15;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// The "*.tdf" files of the folder, in an order that does not depend on the file system: by name, ignoring case.
std::vector<std::string> CampaignFileNames(const std::string& folder)
{
    std::vector<std::string> found;
    WIN32_FIND_DATAA entry{};
    platform::SearchHandle search = platform::StartSearch((folder + "*.tdf").c_str(), &entry);
    while (search) {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) found.emplace_back(entry.cFileName);
        if (!FindNextFileA(search.get(), &entry)) break;
    }
    std::sort(found.begin(), found.end(),
              [](const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) < 0; });
    return found;
}

std::unique_ptr<char[]> ReadDescription(const std::string& path)
{
    File file(platform::OpenFile(path, "rb"));
    if (!file) return nullptr;
    CGP_IOManager io(nullptr, nullptr, nullptr, nullptr);
    CGP_TextServer texts(&io, InterfaceLanguage);
    return std::unique_ptr<char[]>(texts.ReadRecord(file.get()));
}

// The BMP picture copied into a surface of its size; null when there is no display or no picture.
std::unique_ptr<CGP_Surface> ReadPicture(const std::string& path, CGP_Display* display)
{
    File file(platform::OpenFile(path, "rb"));
    CGP_Picture picture;
    if (!file || !display || !picture.Load(file.get(), 0)) return nullptr;
    auto surface = std::make_unique<CGP_Surface>();
    const int width = picture.GetWidth(), height = picture.GetHeight();
    if (surface->Create(display, GP_SurfaceSystem, width, height) != 0 || surface->GetDC() != 0) return nullptr;
    HDC pictureDc = CreateCompatibleDC(surface->dc);
    HBITMAP bitmap = picture.CreateBitmap();
    HGDIOBJ previous = SelectObject(pictureDc, bitmap);
    BitBlt(surface->dc, 0, 0, width, height, pictureDc, 0, 0, SRCCOPY);
    SelectObject(pictureDc, previous);
    DeleteObject(bitmap);
    DeleteDC(pictureDc);
    surface->ReleaseDC();
    return surface;
}

}  // namespace

void CGP_GameMainFrame::LoadCampaigns()
{
    const std::string folder = GP_WorkingFolder + "/RESOURCE/";
    GP_LogWrite("Campaign file list\n");
    GP_LogWrite((std::string(GP_LogDashes) + "\n").c_str());
    for (const std::string& fileName : CampaignFileNames(folder)) {
        if (Campaigns.size() == GP_MaxCampaigns) break;
        LoadCampaign(folder, fileName);
        names->Clear();
    }
    CampaignCount = static_cast<std::uint32_t>(Campaigns.size());
    if (Campaigns.empty()) {
        LeaveFullScreen();
        throw CGP_FatalExeption(kModule, 890, "Campaign files Not Found", kCampaignPlayerText, 0);
    }
}

void CGP_GameMainFrame::FailCorruptedCampaign(const char* path)
{
    LeaveFullScreen();
    throw CGP_FatalExeption(kModule, GP_CampaignCorruptedLine, FormatNew("Campaign file %s is corrupted", path),
                            kCampaignPlayerText, 0);
}

void CGP_GameMainFrame::LoadCampaign(const std::string& folder, const std::string& fileName)
{
    const std::string path = folder + fileName;
    File file(platform::OpenFile(path, "rb"));
    if (!file) return;
    GP_LogWrite((path + "\n").c_str());
    std::uint32_t trailer = 0;
    bool tableRead =
        std::fread(&trailer, sizeof trailer, 1, file.get()) == 1 && std::fseek(file.get(), trailer + 4, SEEK_SET) == 0;
    if (tableRead) {
        try {
            names->Load(file.get(), true);
        } catch (const CGP_Exeption& damaged) {
            delete[] damaged.text;  // the name server's own account, replaced by the campaign's
            tableRead = false;
        }
    }
    if (!tableRead) FailCorruptedCampaign(fileName.c_str());
    GP_PackTrailer pack;
    const bool trailerWhole = GP_ReadPackTrailer(file.get(), trailer, pack);
    file.reset();
    // A campaign that does not say how many missions it has cannot be played through its mission forms.
    const char* missions = names->GetName(5, 0);
    const bool accepted = GP_CheckPack(*names, trailerWhole, pack, fileName) && missions && *missions;
    GP_LogWrite(accepted ? "Loaded\n" : "Skipped\n");
    GP_LogWrite((std::string(GP_LogDashes) + "\n").c_str());
    if (!accepted) return;
    auto campaign = std::make_unique<CampaignFile>();
    campaign->title = names->GetName(2, 0);
    campaign->path = path;
    campaign->missionCountText = std::string("/") + missions;
    if (const char* description = names->GetName(6, 0)) campaign->description = ReadDescription(folder + description);
    if (const char* picture = names->GetName(7, 0)) campaign->picture = ReadPicture(folder + picture, display.get());
    Campaigns.push_back(std::move(campaign));
}

void CGP_GameMainFrame::LoadIDLists()
{
    idLists.clear();
    const std::uint32_t count = names ? names->GetCount(kMissionListKind) : 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        auto list = std::make_unique<CGP_IDList>(this);
        const std::uint32_t id = names->GetID(static_cast<std::int32_t>(i), kMissionListKind);
        if (std::FILE* stream = ioManager->OpenRead(id)) {
            list->Read(stream);
            if (!ioManager->packShared) std::fclose(stream);
        }
        idLists.push_back(std::move(list));
    }
}

CGP_IDList* CGP_GameMainFrame::GetIDList(std::uint32_t index)
{
    const std::size_t at = index & 0xFFFF;
    return at < idLists.size() ? idLists[at].get() : nullptr;
}
