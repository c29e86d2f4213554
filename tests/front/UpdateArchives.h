// Archives for the update tests, written with the library's own stored-zip writer, and their reading back by an
// independent reader (Python's zipfile).
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "LibraryFolder.h"
#include "front/StoredZipWriter.h"

namespace fronttest {

using Members = std::map<std::string, std::string>;

inline void WriteArchive(const std::string& path, const Members& members)
{
    if (fs::path(path).has_parent_path()) fs::create_directories(fs::path(path).parent_path());
    StoredZipWriter writer;
    ASSERT_TRUE(writer.Create(path.c_str()));
    for (const auto& [name, data] : members)
        ASSERT_TRUE(writer.AddMember(name, data.data(), static_cast<std::uint32_t>(data.size()), 0x6000, 0x5A21));
    ASSERT_TRUE(writer.Finish());
}

inline std::string VersionRecord(int version)
{
    return Record("CAssetVersionInfo", "\tVersion Number=" + std::to_string(version) + "\r\n");
}

// Runs a Python check with zipfile imported and the arguments in argv; true when it exits with 0.
inline bool PythonZipCheck(const std::string& script, const std::string& arguments)
{
    const std::string command = "python3 -c 'import sys, zipfile\n" + script + "' " + arguments;
    return std::system(command.c_str()) == 0;
}

}  // namespace fronttest
