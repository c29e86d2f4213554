#include "front/CatalogRecords.h"

#include "front/NameValuePairs.h"

namespace {

using Info = CArcadeApplicationInformation;
using List = CArcadeApplicationList;
using Manager = CArcadeManagerData;

// Whole numbers of the catalog: unsigned decimal, default 0, no range.
EnumPropertyInfo* Number(const char* name, MemberRef<std::int32_t> member)
{
    return new EnumPropertyInfo(name, member);
}

ArrayPropertyInfo* IdList(const char* name, MemberRef<RawArray> member, const char* elementName)
{
    return new ArrayPropertyInfo(name, member, EnumPropertyInfo(elementName, HolderValue<std::int32_t>()),
                                 sizeof(std::int32_t));
}

void DeclareApplicationInformation(ClassInfo* record)
{
    record->AddProperty(new StringPropertyInfo("Game Display Name", Member<&Info::m_GameDisplayName>()));
    record->AddProperty(Number("ApplicationID", Member<&Info::m_ApplicationID>()));
    record->AddProperty(new StringPropertyInfo("Application Description Short", Member<&Info::m_DescriptionShort>()));
    record->AddProperty(new StringPropertyInfo("Application Description Medium", Member<&Info::m_DescriptionMedium>()));
    record->AddProperty(new StringPropertyInfo("Application Description Long", Member<&Info::m_DescriptionLong>()));
    record->AddProperty(new StringPropertyInfo("Bitmap Name", Member<&Info::m_BitmapName>()));
    record->AddProperty(
        new StringPropertyInfo("Developer Logo Bitmap Name", Member<&Info::m_DeveloperLogoBitmapName>()));
    record->AddProperty(new StringPropertyInfo("ESRB Bitmap Name", Member<&Info::m_ESRBBitmapName>()));
    record->AddProperty(new StringPropertyInfo("Developer Information", Member<&Info::m_DeveloperInformation>()));
    record->AddProperty(new StringPropertyInfo("Machine Requirements", Member<&Info::m_MachineRequirements>()));
    record->AddProperty(new StringPropertyInfo("Download Size", Member<&Info::m_DownloadSize>()));
    record->AddProperty(new StringPropertyInfo("Price", Member<&Info::m_Price>()));
}

void DeclareApplicationSubset(ClassInfo* record)
{
    using S = CArcadeApplicationSubset;
    record->AddProperty(new StringPropertyInfo("Subset Display Name", Member<&S::m_SubsetDisplayName>()));
    record->AddProperty(IdList("ApplicationID List", Member<&S::m_ApplicationIDList>(), "ApplicationID"));
}

void DeclareApplicationList(ClassInfo* record)
{
    record->AddProperty(new ArrayPropertyInfo("Application Subset List", Member<&List::m_List>(),
                                              ObjectPointerPropertyInfo("Application Subset", PointerHolderValue(),
                                                                        CArcadeApplicationSubset::GetStaticClassInfo()),
                                              sizeof(CObject*)));
    record->AddProperty(Number("Featured ApplicationID", Member<&List::m_FeaturedApplicationID>()));
    record->AddProperty(IdList("Top ApplicationID List", Member<&List::m_TopApplicationIDList>(), "Top ApplicationID"));
    record->AddProperty(
        IdList("Other ApplicationID List", Member<&List::m_OtherApplicationIDList>(), "Other ApplicationID"));
}

void DeclareManagerData(ClassInfo* record)
{
    record->AddProperty(Number("Manager Information Version", Member<&Manager::m_ManagerInformationVersion>()));
    record->AddProperty(new StringPropertyInfo("URL Root", Member<&Manager::m_URLRoot>()));
    record->AddProperty(new StringPropertyInfo("URL Redirect Addition", Member<&Manager::m_URLRedirectAddition>()));
    record->AddProperty(new StringPropertyInfo("URL Redirect Update Client Addition",
                                               Member<&Manager::m_URLRedirectUpdateClientAddition>()));
    record->AddProperty(new StringPropertyInfo("URL Redirect Download Application Addition",
                                               Member<&Manager::m_URLRedirectDownloadApplicationAddition>()));
    record->AddProperty(new StringPropertyInfo("URL Redirect Download Featured Application Addition",
                                               Member<&Manager::m_URLRedirectDownloadFeaturedApplicationAddition>()));
    record->AddProperty(new StringPropertyInfo("URL Redirect Application Web Site Addition",
                                               Member<&Manager::m_URLRedirectApplicationWebSiteAddition>()));
    record->AddProperty(new StringPropertyInfo("URL Redirect Featured Application Web Site Addition",
                                               Member<&Manager::m_URLRedirectFeaturedApplicationWebSiteAddition>()));
    record->AddProperty(new StringPropertyInfo("URL Redirect Arcade Web Site Addition",
                                               Member<&Manager::m_URLRedirectArcadeWebSiteAddition>()));
}

void DeclareAssetVersionInfo(ClassInfo* record)
{
    using V = CAssetVersionInfo;
    record->AddProperty(Number("Version Number", Member<&V::m_VersionNumber>()));
    record->AddProperty(new StringPropertyInfo("Info String", Member<&V::m_InfoString>()));
}

constexpr const char* kResources = "Resources";

// Built when the library is loaded, so that each is on the roster before the library starts.
[[maybe_unused]] const bool g_collectionsBuilt = [] {
    GetGameInformationFiles();
    GetApplicationListFiles();
    GetManagerInformationFiles();
    GetAssetVersionFiles();
    GetNameValuePairListFiles();
    return true;
}();

}  // namespace

IMPLEMENT_PERSISTENT_CLASS(CArcadeApplicationInformation, CObject, 1.0f, DeclareApplicationInformation)
IMPLEMENT_PERSISTENT_CLASS(CArcadeApplicationSubset, CObject, 1.0f, DeclareApplicationSubset)
IMPLEMENT_PERSISTENT_CLASS(CArcadeApplicationList, CObject, 1.0f, DeclareApplicationList)
IMPLEMENT_PERSISTENT_CLASS(CArcadeManagerData, CObject, 1.0f, DeclareManagerData)
IMPLEMENT_PERSISTENT_CLASS(CAssetVersionInfo, CObject, 0.0f, DeclareAssetVersionInfo)

CArcadeApplicationSubset* CArcadeApplicationList::GetSubset(int i) const
{
    return ObjectListEntry<CArcadeApplicationSubset>(m_List, i);
}

ObjectFileCollection<CArcadeApplicationInformation>& GetGameInformationFiles()
{
    static ObjectFileCollection<CArcadeApplicationInformation> files("Game Information Files", kResources,
                                                                     "gameinfo.txt");
    return files;
}

ObjectFileCollection<CArcadeApplicationList>& GetApplicationListFiles()
{
    static ObjectFileCollection<CArcadeApplicationList> files("Application List Files", kResources,
                                                              "applicationlist.txt");
    return files;
}

ObjectFileCollection<CArcadeManagerData>& GetManagerInformationFiles()
{
    static ObjectFileCollection<CArcadeManagerData> files("Tollarine Arcade Manager Information Files", kResources,
                                                          "managerinfo.txt");
    return files;
}

ObjectFileCollection<CAssetVersionInfo>& GetAssetVersionFiles()
{
    static ObjectFileCollection<CAssetVersionInfo> files("Asset Version Files", kResources, "version.txt");
    return files;
}

ObjectFileCollection<CNameValuePairList>& GetNameValuePairListFiles()
{
    static ObjectFileCollection<CNameValuePairList> files("Name Value Pair List Files", kResources, "nameval.txt");
    return files;
}

CArcadeApplicationList* GetMainApplicationList()
{
    auto& files = GetApplicationListFiles();
    return files.GetOrLoad(files.FindRequired("Main"));
}

CArcadeManagerData* GetManagerData()
{
    auto& files = GetManagerInformationFiles();
    return files.GetOrLoad(files.FindRequired("TAManagerData"));
}
