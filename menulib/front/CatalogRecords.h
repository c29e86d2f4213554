// The catalog's records, each read from one text property file in "Resources": the information on one
// application, the named groups of applications, the catalog's lists, the portal's addresses and the versions of
// the library's groups of files. The process-wide collections that carry them come at the end.
#pragma once
#include <cstdint>

#include "foundation/CString.h"
#include "foundation/Object.h"
#include "foundation/ObjectFileCollection.h"
#include "foundation/PropertyTypes.h"
#include "front/RecordLists.h"

class CArcadeApplicationInformation : public CObject {
    DECLARE_PERSISTENT_CLASS(CArcadeApplicationInformation)
public:
    CArcadeApplicationInformation() { ConstructOwnMembers(); }
    ~CArcadeApplicationInformation() override { DestroyOwnMembers(); }

    CString m_GameDisplayName;
    std::int32_t m_ApplicationID = 0;
    CString m_BitmapName;
    CString m_DeveloperLogoBitmapName;
    CString m_ESRBBitmapName;
    CString m_DeveloperInformation;
    CString m_MachineRequirements;
    CString m_DescriptionShort;
    CString m_DescriptionMedium;
    CString m_DescriptionLong;
    CString m_DownloadSize;
    CString m_Price;  // free text, shown unchanged
};

class CArcadeApplicationSubset : public CObject {
    DECLARE_PERSISTENT_CLASS(CArcadeApplicationSubset)
public:
    CArcadeApplicationSubset() { ConstructOwnMembers(); }
    ~CArcadeApplicationSubset() override { DestroyOwnMembers(); }

    CString m_SubsetDisplayName;
    RawArray m_ApplicationIDList;  // of std::int32_t
};

class CArcadeApplicationList : public CObject {
    DECLARE_PERSISTENT_CLASS(CArcadeApplicationList)
public:
    CArcadeApplicationList() { ConstructOwnMembers(); }
    ~CArcadeApplicationList() override { DestroyOwnMembers(); }

    int GetSubsetCount() const { return m_List.count; }
    CArcadeApplicationSubset* GetSubset(int i) const;

    RawArray m_List;  // of owned CArcadeApplicationSubset*
    std::int32_t m_FeaturedApplicationID = 0;
    RawArray m_TopApplicationIDList;    // of std::int32_t
    RawArray m_OtherApplicationIDList;  // of std::int32_t
};

class CArcadeManagerData : public CObject {
    DECLARE_PERSISTENT_CLASS(CArcadeManagerData)
public:
    CArcadeManagerData() { ConstructOwnMembers(); }
    ~CArcadeManagerData() override { DestroyOwnMembers(); }

    std::int32_t m_ManagerInformationVersion = 0;
    CString m_URLRoot;
    CString m_URLRedirectAddition;
    CString m_URLRedirectUpdateClientAddition;
    CString m_URLRedirectDownloadApplicationAddition;
    CString m_URLRedirectDownloadFeaturedApplicationAddition;
    CString m_URLRedirectApplicationWebSiteAddition;
    CString m_URLRedirectFeaturedApplicationWebSiteAddition;
    CString m_URLRedirectArcadeWebSiteAddition;
};

class CAssetVersionInfo : public CObject {
    DECLARE_PERSISTENT_CLASS(CAssetVersionInfo)
public:
    CAssetVersionInfo() { ConstructOwnMembers(); }
    ~CAssetVersionInfo() override { DestroyOwnMembers(); }

    std::int32_t m_VersionNumber = 0;
    CString m_InfoString;
};

class CNameValuePairList;

// The collections, built when the library is loaded and given the folder "Resources" when it starts.
ObjectFileCollection<CArcadeApplicationInformation>& GetGameInformationFiles();
ObjectFileCollection<CArcadeApplicationList>& GetApplicationListFiles();
ObjectFileCollection<CArcadeManagerData>& GetManagerInformationFiles();
ObjectFileCollection<CAssetVersionInfo>& GetAssetVersionFiles();
ObjectFileCollection<CNameValuePairList>& GetNameValuePairListFiles();

// The list "Main" and the portal's addresses "TAManagerData": required, a missing one ends the process. Null when
// the file is there but holds no record of its class.
CArcadeApplicationList* GetMainApplicationList();
CArcadeManagerData* GetManagerData();
