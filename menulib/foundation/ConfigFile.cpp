#include "foundation/ConfigFile.h"

#include <cstdio>

#include "foundation/CString.h"
#include "foundation/PathHelpers.h"
#include "platform/win32_profile.h"

const char* GetConfigFileName() { return ".\\Config.INI"; }

int ReadConfigInt(const char* file, const char* section, const char* key, int defaultValue)
{
    return static_cast<int>(GetPrivateProfileIntA(SkipBlanks(section), key, defaultValue, file));
}

bool WriteConfigInt(const char* file, const char* section, const char* key, int value)
{
    if (IsReadOnly(file)) SetReadOnly(file, false);
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return WritePrivateProfileStringA(SkipBlanks(section), key, text, file) != FALSE;
}
