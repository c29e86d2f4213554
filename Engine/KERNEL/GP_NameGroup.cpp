#include "GP_NameGroup.h"

GP_NameGroup::GP_NameGroup(const char* name, const char* mask, const char* directory)
    : name(name), mask(mask ? mask : ""), directory(directory ? directory : "")
{
}

void GP_NameGroup::AddName(const char* text, std::uint32_t locator)
{
    if (names.GetCount() >= CGP_PagedTable::MaxEntries) return;
    names.Append(&entries.emplace_back(GP_NameEntry{text, locator}));
}
