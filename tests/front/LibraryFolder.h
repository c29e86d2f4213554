// A library folder of a test's own, with the library of this tree linked into it, its own program files folder and
// (per test, from the suite's set-up) its own registry store; and registry and resource helpers.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "TempDir.h"
#include "platform/debug_output.h"
#include "platform/headless.h"
#include "platform/win32_registry.h"

namespace fronttest {

namespace fs = std::filesystem;

inline std::string DistLibraryFolder() { return std::string(std::getenv("VEL_DIST_DIR")) + "/TollarineArcade/"; }

inline void SetDword(const char* key, const char* name, DWORD value)
{
    HKEY opened = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, key, &opened), ERROR_SUCCESS);
    RegSetValueExA(opened, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(opened);
}

// Empties the test's registry store.
inline void ClearRegistry()
{
    std::error_code ignored;
    fs::remove(std::getenv("VEL_REGISTRY_FILE"), ignored);
}

class LibraryFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = root / "TollarineArcade/";
        fs::create_directories(folder);
        fs::create_symlink(DistLibraryFolder() + "TollarineArcade.so", folder + "TollarineArcade.so");
        ::setenv("VEL_PROGRAM_FILES_DIR", (root / "Program Files").c_str(), 1);
        platform::ClearScriptedAnswers();
        platform::CaptureDebugOutput(&debugOutput);
    }
    void TearDown() override
    {
        platform::CaptureDebugOutput(nullptr);
        platform::ClearScriptedAnswers();
        fs::current_path(startFolder);
    }

    void InstallArchive() const { fs::copy_file(DistLibraryFolder() + "Arcade.dat", folder + "Arcade.dat"); }
    void WriteResource(const std::string& name, const std::string& text) const
    {
        testsupport::WriteFile(folder + "Arcade/Resources/" + name, text);
    }
    // The number of message boxes shown while count answers were waiting.
    static int BoxesShown(int count)
    {
        int left = 0;
        while (platform::NextScriptedAnswer()) ++left;
        return count - left;
    }
    static void GiveAnswers(int count)
    {
        for (int i = 0; i < count; ++i) platform::PushScriptedAnswer("ok");
    }
    std::string LibraryPath() const { return folder + "TollarineArcade.so"; }

    testsupport::TempDir root;
    std::string folder;
    std::string debugOutput;
    fs::path startFolder = fs::current_path();
};

// A text property file of one record.
inline std::string Record(const std::string& className, const std::string& lines)
{
    return className + "\r\n{\r\n" + lines + "}\r\n";
}

inline std::string NameValueFile(std::initializer_list<std::pair<const char*, const char*>> pairs)
{
    std::string lines =
        "\tName Value Pair List=Array\r\n\t{\r\n\t\tItem Count=" + std::to_string(pairs.size()) + "\r\n";
    for (const auto& [name, value] : pairs)
        lines += std::string("\t\tName Value Pair=CNameValuePair\r\n\t\t{\r\n\t\t\tName=") + name +
                 "\r\n\t\t\tValue=" + value + "\r\n\t\t}\r\n";
    return Record("CNameValuePairList", lines + "\t}\r\n");
}

}  // namespace fronttest
