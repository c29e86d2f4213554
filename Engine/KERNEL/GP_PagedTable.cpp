#include "GP_PagedTable.h"

CGP_PagedTable::CGP_PagedTable() { pages[0] = std::make_unique<void*[]>(PageSize); }

void CGP_PagedTable::Append(void* entry)
{
    if (count >= MaxEntries) return;
    pages[count / PageSize][count % PageSize] = entry;
    ++count;
    // The page of the next entry exists before that entry is stored.
    const int nextPage = (count + 1) / PageSize;
    if (count % PageSize == PageSize - 1 && nextPage < PageCount && !pages[nextPage])
        pages[nextPage] = std::make_unique<void*[]>(PageSize);
}

void* CGP_PagedTable::Get(std::uint32_t index) const
{
    if (index >= count) return defaultEntry;
    return pages[index / PageSize][index % PageSize];
}
