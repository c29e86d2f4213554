#include "front/AssetVersions.h"

#include "front/CatalogRecords.h"

namespace {

CAssetVersionInfo* Optional(const char* name)
{
    auto& files = GetAssetVersionFiles();
    const int index = files.FindIndex(name);
    return index < 0 ? nullptr : files.GetOrLoad(index);
}

}  // namespace

AssetVersions::AssetVersions()
    : m_arcade(GetAssetVersionFiles().GetOrLoad(GetAssetVersionFiles().FindRequired("Arcade", -1))),
      m_application(Optional("Application")),
      m_channel(Optional("Channel"))
{
}

namespace {
std::unique_ptr<AssetVersions>& Kept()
{
    static std::unique_ptr<AssetVersions> versions;
    return versions;
}
}  // namespace

AssetVersions& AssetVersions::Instance()
{
    std::unique_ptr<AssetVersions>& kept = Kept();
    if (!kept) kept.reset(new AssetVersions);
    return *kept;
}

void AssetVersions::Invalidate() { Kept().reset(); }

int AssetVersions::VersionOf(const CAssetVersionInfo* record) { return record ? record->m_VersionNumber : 0; }

CString AssetVersions::TextOf(const CAssetVersionInfo* record)
{
    CString text;
    text.SetInt(VersionOf(record));
    return text;
}
