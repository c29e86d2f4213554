#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TempDir.h"
#include "platform/win32_files.h"

namespace {

std::vector<std::string> Search(const std::string& pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.emplace_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(FindFirstFile, WindowsPatterns)
{
    testsupport::TempDir dir;
    for (const char* name : {"Sub/x", "-Item/y", "a.TXT", "b.txt", "noext", "Dotted.dir/z"})
        testsupport::WriteFile(dir / name, "1");
    const std::string root = dir.path().string();
    using V = std::vector<std::string>;
    EXPECT_EQ(Search(root + "/*.txt"), (V{"a.TXT", "b.txt"}));
    EXPECT_EQ(Search(root + "\\*."), (V{"-Item", "Sub", "noext"}));  // names without a dot
    EXPECT_EQ(Search(root + "/-*.*"), (V{"-Item"}));                 // ".*" also takes names without one
    EXPECT_EQ(Search(root + "/SUB/*.*"), (V{".", "..", "x"}));
    EXPECT_EQ(Search(root + "/nothing*.bin"), V{});

    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((root + "/a.txt").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    EXPECT_EQ(found.nFileSizeLow, 1u);
    EXPECT_EQ(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
    FindClose(search);
    EXPECT_NE(GetFileAttributesA((root + "/sub").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(GetFileAttributesA((root + "/missing").c_str()), INVALID_FILE_ATTRIBUTES);
}
