// Writes the menu library's archive "Arcade.dat": the catalog of applications, the portal's addresses, the
// version record of the library's files and the portal's name/value settings, each a record written by the
// library's own property writer and stored as a member "Resources/<item>.<extension>".
//   make_arcade_dat <library folder>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "foundation/CFile.h"
#include "foundation/FileFlags.h"
#include "front/CatalogRecords.h"
#include "front/NameValuePairs.h"

namespace {

namespace fs = std::filesystem;

// An archive with no members: its end record alone.
bool WriteEmptyArchive(const std::string& path)
{
    const unsigned char endRecord[22] = {'P', 'K', 5, 6};
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(endRecord, 1, sizeof endRecord, file) == sizeof endRecord;
    return std::fclose(file) == 0 && written;
}

// The record as a text property file in the staging folder, then as a member of the archive.
bool Store(const CObject& record, const std::string& archive, const std::string& staging, const std::string& member)
{
    const std::string staged = staging + "/" + member;
    fs::create_directories(fs::path(staged).parent_path());
    if (!record.SaveToFile(staged.c_str(), kFileAbsolute | kFileMakeFolders)) return false;
    CFile source;
    if (!source.Open(staged.c_str(), kFileRead | kFileAbsolute)) return false;
    return source.CopyTo((archive + ";" + member).c_str(), kFileCreate | kFileWrite | kFileAbsolute, nullptr);
}

void SetIds(RawArray& list, const ArrayPropertyInfo& property, void* holder, std::initializer_list<int> ids)
{
    property.Resize(holder, static_cast<int>(ids.size()));
    int i = 0;
    for (int id : ids) static_cast<std::int32_t*>(list.block)[i++] = id;
}

const ArrayPropertyInfo& ArrayOf(ClassInfo* record, const char* name)
{
    return *static_cast<ArrayPropertyInfo*>(record->FindProperty(name));
}

struct Application {
    int id;
    const char* title;
    const char* developer;
    const char* shortText;
    const char* downloadSize;
    const char* price;
};

// Velmorine first; the others are the portal's demo entries.
constexpr Application kApplications[] = {
    {60, "Velmorine", "Morvadel", "Steer your ship through four campaigns of waves and bosses.", "12 MB", "$9.99"},
    {61, "Quiet Harbour", "Lantern Works", "A calm puzzle game of tides, boats and lighthouses.", "8 MB", "$4.99"},
    {62, "Copper Orbit", "Lantern Works", "Keep a small station turning around a restless moon.", "15 MB", "$6.50"},
};

std::unique_ptr<CArcadeApplicationInformation> InformationOf(const Application& application)
{
    auto info = std::make_unique<CArcadeApplicationInformation>();
    info->m_GameDisplayName = application.title;
    info->m_ApplicationID = application.id;
    info->m_DescriptionShort = application.shortText;
    info->m_DescriptionMedium = application.shortText;
    info->m_DescriptionLong = application.shortText;
    CString bitmap;
    bitmap.SetInt(application.id);
    info->m_BitmapName = bitmap;
    info->m_DeveloperInformation = application.developer;
    info->m_MachineRequirements = "Debian 12, 64 MB of memory";
    info->m_DownloadSize = application.downloadSize;
    info->m_Price = application.price;
    return info;
}

std::unique_ptr<CArcadeApplicationList> MainList()
{
    auto list = std::make_unique<CArcadeApplicationList>();
    ClassInfo* record = CArcadeApplicationList::GetStaticClassInfo();
    auto* all = new CArcadeApplicationSubset;
    all->m_SubsetDisplayName = "All Games";
    SetIds(all->m_ApplicationIDList, ArrayOf(CArcadeApplicationSubset::GetStaticClassInfo(), "ApplicationID List"), all,
           {60, 61, 62});
    const ArrayPropertyInfo& subsets = ArrayOf(record, "Application Subset List");
    subsets.Resize(list.get(), 1);
    *static_cast<CObject**>(subsets.Element(list.get(), 0)) = all;
    list->m_FeaturedApplicationID = 60;
    SetIds(list->m_TopApplicationIDList, ArrayOf(record, "Top ApplicationID List"), list.get(), {60, 61, 62});
    SetIds(list->m_OtherApplicationIDList, ArrayOf(record, "Other ApplicationID List"), list.get(), {61, 62});
    return list;
}

std::unique_ptr<CArcadeManagerData> ManagerData()
{
    auto data = std::make_unique<CArcadeManagerData>();
    data->m_ManagerInformationVersion = 1;
    data->m_URLRoot = "http://127.0.0.1:8089/";
    data->m_URLRedirectAddition = "redirect?target=";
    data->m_URLRedirectUpdateClientAddition = "update&channel=<%ChannelID%>";
    data->m_URLRedirectDownloadApplicationAddition = "download&id=<%ChosenApplicationID%>";
    data->m_URLRedirectDownloadFeaturedApplicationAddition = "download&id=<%FeaturedApplicationID%>";
    data->m_URLRedirectApplicationWebSiteAddition = "site&id=<%ChosenApplicationID%>";
    data->m_URLRedirectFeaturedApplicationWebSiteAddition = "site&id=<%FeaturedApplicationID%>";
    data->m_URLRedirectArcadeWebSiteAddition = "arcade";
    return data;
}

std::unique_ptr<CNameValuePairList> PortalValues()
{
    auto list = std::make_unique<CNameValuePairList>();
    const ArrayPropertyInfo& pairs = ArrayOf(CNameValuePairList::GetStaticClassInfo(), "Name Value Pair List");
    const std::pair<const char*, const char*> values[] = {
        {"PortalName", "Tollarine Arcade"}, {"CatalogRows", "10"}, {"MenuScale", "0.625"}};
    pairs.Resize(list.get(), static_cast<int>(std::size(values)));
    int i = 0;
    for (const auto& [name, value] : values) {
        auto* pair = new CNameValuePair;
        pair->m_Name = name;
        pair->m_Value = value;
        *static_cast<CObject**>(pairs.Element(list.get(), i++)) = pair;
    }
    return list;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_arcade_dat <library folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::string archive = folder + "/Arcade.dat";
    const std::string staging = folder + "/.arcade-staging";
    fs::remove_all(staging);
    if (!WriteEmptyArchive(archive)) return 1;

    CAssetVersionInfo version;
    version.m_VersionNumber = 1;
    version.m_InfoString = "Tollarine Arcade files, first edition";
    bool ok = Store(version, archive, staging, "Resources/Arcade.version.txt");
    ok = ok && Store(*MainList(), archive, staging, "Resources/Main.applicationlist.txt");
    ok = ok && Store(*ManagerData(), archive, staging, "Resources/TAManagerData.managerinfo.txt");
    ok = ok && Store(*PortalValues(), archive, staging, "Resources/Arcade.nameval.txt");
    for (const Application& application : kApplications)
        ok = ok && Store(*InformationOf(application), archive, staging,
                         "Resources/" + std::to_string(application.id) + ".gameinfo.txt");
    fs::remove_all(staging);
    if (!ok) std::fprintf(stderr, "make_arcade_dat: %s could not be written\n", archive.c_str());
    return ok ? 0 : 1;
}
