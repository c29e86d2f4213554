// The settings file ".\Config.INI": integer keys in named sections.
#pragma once

const char* GetConfigFileName();
// The key's value; default when missing. Leading blanks of the section name are skipped.
int ReadConfigInt(const char* file, const char* section, const char* key, int defaultValue);
// Writes the value as decimal text, clearing the file's read-only attribute first.
bool WriteConfigInt(const char* file, const char* section, const char* key, int value);
