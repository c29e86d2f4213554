// The catalog queries of the central state.
#include "front/ArcadeState.h"
#include "front/CatalogRecords.h"

namespace {

// Entry i of a list, wrapping past its end; an empty list (or no list) names no application.
int WrappedEntry(const RawArray* list, int i)
{
    if (!list || list->count <= 0) return ArcadeState::kNoApplication;
    const int count = list->count;
    return IdListEntry(*list, ((i % count) + count) % count);
}

}  // namespace

CArcadeApplicationInformation* ArcadeState::FindApplicationInformation(int id)
{
    auto& files = GetGameInformationFiles();
    const int count = files.GetCount();
    for (int i = 0; i < count; ++i) {
        CArcadeApplicationInformation* info = files.GetOrLoad(i);
        if (info && info->m_ApplicationID == id) return info;
    }
    return nullptr;
}

int ArcadeState::GetFeaturedApplicationID()
{
    const CArcadeApplicationList* main = GetMainApplicationList();
    return main ? main->m_FeaturedApplicationID : kNoApplication;
}

int ArcadeState::GetTopApplicationID(int i)
{
    const CArcadeApplicationList* main = GetMainApplicationList();
    return WrappedEntry(main ? &main->m_TopApplicationIDList : nullptr, i);
}

int ArcadeState::GetOtherApplicationID(int i)
{
    const CArcadeApplicationList* main = GetMainApplicationList();
    return WrappedEntry(main ? &main->m_OtherApplicationIDList : nullptr, i);
}
