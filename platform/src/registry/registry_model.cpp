#include "registry/registry_model.h"

#include "ascii_case.h"

namespace platform::registry {

namespace {

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// True when path lies strictly below ancestor.
bool IsBelow(std::string_view path, std::string_view ancestor)
{
    return path.size() > ancestor.size() && path[ancestor.size()] == '\\' &&
           EqualIgnoringCase(path.substr(0, ancestor.size()), ancestor);
}

}  // namespace

const Value* Key::FindValue(std::string_view name) const
{
    for (const Value& value : values)
        if (EqualIgnoringCase(value.name, name)) return &value;
    return nullptr;
}

Value* Key::FindValue(std::string_view name)
{
    return const_cast<Value*>(static_cast<const Key*>(this)->FindValue(name));
}

void Key::SetValue(std::string_view name, DWORD type, std::vector<BYTE> data)
{
    if (Value* existing = FindValue(name)) {
        existing->type = type;
        existing->data = std::move(data);
        return;
    }
    values.push_back(Value{std::string(name), type, std::move(data)});
}

const Key* Store::FindKey(std::string_view path) const
{
    for (const Key& key : keys)
        if (EqualIgnoringCase(key.path, path)) return &key;
    return nullptr;
}

Key* Store::FindKey(std::string_view path) { return const_cast<Key*>(static_cast<const Store*>(this)->FindKey(path)); }

bool Store::KeyExists(std::string_view path) const
{
    if (IsRootPath(path)) return true;
    for (const Key& key : keys)
        if (EqualIgnoringCase(key.path, path) || IsBelow(key.path, path)) return true;
    return false;
}

Key& Store::EnsureKey(std::string_view path)
{
    // Every ancestor below the root first, so the file lists keys from the top down.
    for (std::size_t cut = path.find('\\'); cut != std::string_view::npos; cut = path.find('\\', cut + 1)) {
        std::string_view ancestor = path.substr(0, cut);
        if (!IsRootPath(ancestor) && !FindKey(ancestor)) keys.push_back(Key{std::string(ancestor), {}});
    }
    if (Key* key = FindKey(path)) return *key;
    keys.push_back(Key{std::string(path), {}});
    return keys.back();
}

std::vector<std::string> Store::ChildNames(std::string_view path) const
{
    std::vector<std::string> names;
    for (const Key& key : keys) {
        if (!IsBelow(key.path, path)) continue;
        std::string_view rest = std::string_view(key.path).substr(path.size() + 1);
        std::string_view child = rest.substr(0, rest.find('\\'));
        bool seen = false;
        for (const std::string& name : names) seen = seen || EqualIgnoringCase(name, child);
        if (!seen) names.emplace_back(child);
    }
    return names;
}

std::optional<std::string> JoinKeyPath(std::string_view base, std::string_view subKey)
{
    std::string path(base);
    while (!subKey.empty()) {
        const std::size_t cut = subKey.find('\\');
        std::string_view part = subKey.substr(0, cut);
        subKey = cut == std::string_view::npos ? std::string_view() : subKey.substr(cut + 1);
        if (part.empty()) continue;
        if (part.size() > kMaxKeyNameLength || HasLineBreak(part)) return std::nullopt;
        path += '\\';
        path += part;
    }
    return path;
}

bool IsRootPath(std::string_view path)
{
    return EqualIgnoringCase(path, "HKEY_CURRENT_USER") || EqualIgnoringCase(path, "HKEY_LOCAL_MACHINE");
}

bool IsValidValueName(std::string_view name) { return name.size() <= kMaxValueNameLength && !HasLineBreak(name); }

}  // namespace platform::registry
