#include "GP_NameGroup.h"

GP_NameGroup::GP_NameGroup(const char* name, const char* mask, const char* directory)
    : name(name), mask(mask ? mask : ""), directory(directory ? directory : "")
{
}

GP_NameGroup::~GP_NameGroup()
{
    for (std::uint32_t i = 0; i < names.GetCount(); ++i) delete GetEntry(i);
}
