// Registry values with the fall-back between the per-user and the per-machine hive.
#pragma once
#include <cstdint>
#include <memory>
#include <type_traits>

#include "foundation/CString.h"
#include "platform/win32_registry.h"

class NamedList;

// RegOpenKeyExA, owned; null when the key cannot be opened.
OwnedRegKey RegOpenOwned(HKEY root, const char* subKey, REGSAM access);
// RegCreateKeyA, owned; null when the key can be neither opened nor made.
OwnedRegKey RegCreateOwned(HKEY root, const char* subKey);

// A REG_SZ of more than 0 bytes from HKEY_CURRENT_USER, else HKEY_LOCAL_MACHINE; empty when neither has it.
CString RegReadString(const char* subKey, const char* valueName, bool* found);
// Under HKEY_LOCAL_MACHINE, else HKEY_CURRENT_USER.
bool RegWriteString(const char* subKey, const char* valueName, const char* text);
// Both hives are read, the machine's value replacing the user's; 0 when neither has it.
std::int32_t RegReadDword(const char* subKey, const char* valueName, bool* found);
bool RegWriteDword(const char* subKey, const char* valueName, std::int32_t value);
bool RegKeyExists(const char* subKey);
bool RegEnsureKey(const char* subKey);
// HKEY_LOCAL_MACHINE only: REG_SZ, or REG_MULTI_SZ with its strings joined by blanks.
bool RegReadMachineString(const char* subKey, const char* valueName, CString* out);
// HKEY_LOCAL_MACHINE only: every text value whose name contains name (case ignored) or, with exact, equals it
// (case kept), in the key and all its sub-keys; names and data are added to the lists in the order found.
void RegFindValues(const char* subKey, const char* name, NamedList* names, NamedList* values, bool exact);
