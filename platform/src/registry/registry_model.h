// The registry in memory: keys by full path ("HKEY_CURRENT_USER\Software\..."), each with its values in the
// order they were first written. Paths and names are matched without regard to case.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32_base.h"

namespace platform::registry {

// Bounds of what the store accepts, from the program or from the file.
constexpr std::size_t kMaxKeyNameLength = 255;  // one component of a key path
constexpr std::size_t kMaxValueNameLength = 16383;
constexpr std::size_t kMaxValueDataSize = 1u << 20;   // 1 MiB
constexpr std::size_t kMaxStoreFileSize = 16u << 20;  // 16 MiB

struct Value {
    std::string name;  // "" is the key's default value
    DWORD type = 0;
    std::vector<BYTE> data;
};

struct Key {
    std::string path;
    std::vector<Value> values;

    Value* FindValue(std::string_view name);
    const Value* FindValue(std::string_view name) const;
    // The value with that name, replaced, or added at the end.
    void SetValue(std::string_view name, DWORD type, std::vector<BYTE> data);
};

class Store {
public:
    Key* FindKey(std::string_view path);
    const Key* FindKey(std::string_view path) const;
    // A key exists when it has its own entry or some key below it does; the roots always exist.
    bool KeyExists(std::string_view path) const;
    // The key's entry, made (with entries for every missing key between it and its root) when missing.
    Key& EnsureKey(std::string_view path);
    // The names of the keys one level below path, each once, in the order they first appear.
    std::vector<std::string> ChildNames(std::string_view path) const;

    std::vector<Key> keys;
};

// base joined with the components of subKey ("\"-separated; empty components, as from a leading, trailing or
// doubled "\", are dropped). Nothing when a component is too long or holds a line break.
std::optional<std::string> JoinKeyPath(std::string_view base, std::string_view subKey);

bool IsRootPath(std::string_view path);

// A value name the store can keep: not too long, no line break.
bool IsValidValueName(std::string_view name);

}  // namespace platform::registry
