// Writes the menu library's archive "Arcade.dat": the catalog of applications, the portal's addresses, the
// version record of the library's files and the portal's name/value settings, each a record written by the
// library's own property writer and stored as a member "Resources/<item>.<extension>".
// Every file of a staged folder (the form, fonts, skins, pictures and baked cursors) is stored too, under its path in
// that folder.
//   make_arcade_dat <library folder> [<staged folder>]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Catalog.h"
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

// Each file below the folder as the member of its relative path, in path order.
bool StoreFolder(const std::string& folder, const std::string& archive)
{
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        CFile source;
        const std::string member = fs::relative(file, folder).generic_string();
        if (!source.Open(file.string().c_str(), kFileRead | kFileAbsolute)) return false;
        if (!source.CopyTo((archive + ";" + member).c_str(), kFileCreate | kFileWrite | kFileAbsolute, nullptr))
            return false;
    }
    return true;
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

const ArrayPropertyInfo& ArrayOf(ClassInfo* record, const char* name)
{
    return *static_cast<ArrayPropertyInfo*>(record->FindProperty(name));
}

std::unique_ptr<CArcadeApplicationInformation> InformationOf(const catalog::Application& application)
{
    auto info = std::make_unique<CArcadeApplicationInformation>();
    info->m_GameDisplayName = application.title;
    info->m_ApplicationID = application.id;
    info->m_DescriptionShort = application.shortText;
    info->m_DescriptionMedium = application.shortText;
    info->m_DescriptionLong = application.longText;
    info->m_BitmapName = std::to_string(application.id).c_str();
    info->m_DeveloperLogoBitmapName = catalog::DeveloperLogoName(application.developer).c_str();
    info->m_ESRBBitmapName = "Rating_Everyone";
    info->m_DeveloperInformation = application.developer;
    info->m_MachineRequirements = "Debian 12, 64 MB of memory";
    info->m_DownloadSize = application.downloadSize;
    info->m_Price = application.price;
    return info;
}

CArcadeApplicationSubset* Subset(const char* name, char genre)
{
    auto* subset = new CArcadeApplicationSubset;
    subset->m_SubsetDisplayName = name;
    const ArrayPropertyInfo& ids = ArrayOf(CArcadeApplicationSubset::GetStaticClassInfo(), "ApplicationID List");
    int count = 0;
    for (const catalog::Application& application : catalog::kApplications)
        count += genre == 0 || application.genre == genre;
    ids.Resize(subset, count);
    int i = 0;
    for (const catalog::Application& application : catalog::kApplications)
        if (genre == 0 || application.genre == genre)
            static_cast<std::int32_t*>(subset->m_ApplicationIDList.block)[i++] = application.id;
    return subset;
}

template <std::size_t N>
void SetIds(RawArray& list, const ArrayPropertyInfo& property, void* holder, const int (&ids)[N])
{
    property.Resize(holder, static_cast<int>(N));
    for (std::size_t i = 0; i < N; ++i) static_cast<std::int32_t*>(list.block)[i] = ids[i];
}

std::unique_ptr<CArcadeApplicationList> MainList()
{
    auto list = std::make_unique<CArcadeApplicationList>();
    ClassInfo* record = CArcadeApplicationList::GetStaticClassInfo();
    CArcadeApplicationSubset* subsets[] = {Subset("All Games", 0), Subset("Action", 'A'), Subset("Puzzles", 'P')};
    const ArrayPropertyInfo& subsetList = ArrayOf(record, "Application Subset List");
    subsetList.Resize(list.get(), static_cast<int>(std::size(subsets)));
    for (std::size_t i = 0; i < std::size(subsets); ++i)
        *static_cast<CObject**>(subsetList.Element(list.get(), static_cast<int>(i))) = subsets[i];
    list->m_FeaturedApplicationID = catalog::kFeatured;
    SetIds(list->m_TopApplicationIDList, ArrayOf(record, "Top ApplicationID List"), list.get(), catalog::kTop);
    SetIds(list->m_OtherApplicationIDList, ArrayOf(record, "Other ApplicationID List"), list.get(), catalog::kOther);
    return list;
}

std::unique_ptr<CArcadeManagerData> ManagerData()
{
    auto data = std::make_unique<CArcadeManagerData>();
    data->m_ManagerInformationVersion = 1;
    // The portal's server: VEL_PORTAL_URL when the build sets it, else a server on this machine.
    const char* root = std::getenv("VEL_PORTAL_URL");
    data->m_URLRoot = root && *root ? root : "http://127.0.0.1:8089/";
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
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: make_arcade_dat <library folder> [<staged folder>]\n");
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
    for (const catalog::Application& application : catalog::kApplications)
        ok = ok && Store(*InformationOf(application), archive, staging,
                         "Resources/" + std::to_string(application.id) + ".gameinfo.txt");
    fs::remove_all(staging);
    if (ok && argc == 3) ok = StoreFolder(argv[2], archive);
    if (!ok) std::fprintf(stderr, "make_arcade_dat: %s could not be written\n", archive.c_str());
    return ok ? 0 : 1;
}
