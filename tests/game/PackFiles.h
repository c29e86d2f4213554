// Small resource packs as the game reads them, written by the tests: the trailer right after its offset, then
// group 0 of the name table, with the facts each check compares.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "GP_NameServer.h"

namespace packfiles {

struct PackFacts {
    std::uint16_t major = 100;
    std::uint16_t minor = 7;
    std::string title = "Velmorine interface";
    std::string fileName = "InterfaceR.idf";
    std::vector<std::string> group0 = {"layers", "unused", "Velmorine interface", "100", "3", "",
                                       "",       "",       "InterfaceR.idf"};
};

inline void WritePack(const std::string& path, const PackFacts& facts)
{
    std::FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    const std::uint32_t trailer = 4;
    std::fwrite(&trailer, sizeof trailer, 1, out);
    std::fwrite(&facts.major, 2, 1, out);
    std::fwrite(&facts.minor, 2, 1, out);
    std::fwrite(facts.title.c_str(), facts.title.size() + 1, 1, out);
    std::fwrite(facts.fileName.c_str(), facts.fileName.size() + 1, 1, out);
    CGP_NameServer names;
    names.AddGroup("Header", "*.*", "");
    for (const std::string& name : facts.group0) names.AddName(name.c_str(), 0, 0);
    names.Save(out);
    std::fclose(out);
}

inline PackFacts CampaignFacts(const std::string& title, const std::string& fileName)
{
    PackFacts facts;
    facts.title = title;
    facts.fileName = fileName;
    facts.group0 = {"layers", "unused", title, "100", "1", "3", "-", "-", fileName};
    return facts;
}

}  // namespace packfiles
