// What the writers of engine records share: option values read as numbers, IDs or fractions, and the engine's
// own writer run on the open loose file.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

#include "GP_BinaryServer.h"
#include "GP_IOManager.h"
#include "GP_NameServer.h"
#include "GP_ServerSet.h"
#include "ResourceWriters.h"

namespace packtool {

// One "name value" option of a manifest line, as the record setters read it.
struct Setting {
    const WriteContext& context;
    const std::string& token;
    int line;
};

// A number (decimal, 0x..., or negative decimal) or a "group|name" ID, as 32 bits.
std::uint32_t ValueOf(const WriteContext& context, const std::string& token, int line);
float FloatOf(const std::string& token, int line);

// Runs the engine writer on the open loose file, through a binary server of the pack's name table.
template <typename Write>
void WriteThroughEngine(const WriteContext& context, std::FILE* out, Write write)
{
    CGP_IOManager io(nullptr, nullptr, const_cast<CGP_NameServer*>(&context.names), nullptr);
    CGP_ServerSet servers(nullptr, &io, nullptr, 1033);
    servers.binary->writeStream = out;
    try {
        write(servers);
    } catch (...) {
        servers.binary->writeStream = nullptr;
        throw;
    }
    servers.binary->writeStream = nullptr;
}

}  // namespace packtool
