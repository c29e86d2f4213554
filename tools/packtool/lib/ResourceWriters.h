// How each kind of manifest entry becomes the loose file of its resource. A new kind of resource joins the tool
// with one writer in the table of ResourceWriters.cpp.
#pragma once
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "PackManifest.h"

class CGP_NameServer;

namespace packtool {

struct WriteContext {
    const CGP_NameServer& names;         // the pack's table, complete before any resource is written
    std::filesystem::path sourceFolder;  // where relative source files are found
};

// Writes the entry's resource to the open loose file; throws ManifestError or std::runtime_error.
using ResourceWriter = void (*)(const ManifestEntry& entry, const WriteContext& context, std::FILE* out);

struct ResourceKind {
    const char* keyword;
    ResourceWriter write;  // null for a name without data
};

// The kind of a manifest keyword, null when there is none.
const ResourceKind* FindResourceKind(const std::string& keyword);

// A name ID written as a number (decimal or 0x...) or as "group name|name".
std::uint32_t ResolveID(const CGP_NameServer& names, const std::string& token, int line);

}  // namespace packtool
