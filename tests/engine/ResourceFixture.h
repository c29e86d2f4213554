// Helpers of the resource tests: catching an engine error as plain values, and small packs built from loose files.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "GP_Exception.h"
#include "GP_IOManager.h"
#include "GP_NameServer.h"
#include "GP_PackTrailer.h"
#include "TempDir.h"
#include "platform/files.h"

namespace resourcetest {

struct Fatal {
    bool thrown = false;
    std::string module;
    int line = 0;
    std::string text;
    int offerReport = -1;
};

// Runs the call and reports the CGP_FatalExeption it throws. The resource layers build every exception text
// with FormatNew, so the text is freed here.
template <typename Call>
Fatal CatchFatal(Call&& call)
{
    Fatal result;
    try {
        call();
    } catch (const CGP_FatalExeption& e) {
        result.thrown = true;
        result.module = e.module;
        result.line = e.line;
        result.text = e.text ? e.text : "";
        result.offerReport = e.offerReport;
        delete[] e.text;
    }
    return result;
}

// Makes a folder the working folder for the scope: loose files are written under "RESOURCE\" of it.
class WorkIn {
public:
    explicit WorkIn(const std::filesystem::path& folder) : previous(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~WorkIn() { std::filesystem::current_path(previous); }
    WorkIn(const WorkIn&) = delete;
    WorkIn& operator=(const WorkIn&) = delete;

private:
    std::filesystem::path previous;
};

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

inline File Open(const std::string& path, const char* mode)
{
    return File(platform::OpenFile(path, mode), std::fclose);
}

// Group 0 with the header names a pack needs (2 title, 3 major, 4 minor, 8 file name), of the given storage.
inline void AddHeaderGroup(CGP_NameServer& names, const std::string& dir, std::uint32_t storage,
                           const char* fileName = "Test.tdf")
{
    names.AddGroup("Header", "*.*", dir.c_str());
    names.GetGroup(names.GetGroupCount() - 1)->storage = storage;
    const char* header[] = {"layers", "unused", "Test pack", "100", "7", "3", "", "", fileName};
    for (const char* name : header) names.AddName(name, static_cast<std::uint16_t>(names.GetGroupCount() - 1), 0);
}

// Adds a group of the kind and storage whose loose files (name -> content) are written into dir; an empty
// content leaves that file missing.
inline std::uint16_t AddGroupWithFiles(CGP_NameServer& names, const std::string& dir, const char* groupName,
                                       std::uint32_t kind, std::uint32_t storage,
                                       const std::vector<std::pair<std::string, std::string>>& files)
{
    names.AddGroup(groupName, "*.*", dir.c_str());
    const auto group = static_cast<std::uint16_t>(names.GetGroupCount() - 1);
    names.GetGroup(group)->resourceKind = kind;
    names.GetGroup(group)->storage = storage;
    for (const auto& [name, content] : files) {
        names.AddName(name.c_str(), group, 0);
        if (!content.empty()) testsupport::WriteFile(dir + name, content);
    }
    return group;
}

// Reads a pack's name table the way the game does: T at offset 0, the table after the trailer's versions.
inline void LoadPackTable(CGP_NameServer& names, std::FILE* pack)
{
    ASSERT_TRUE(GP_SeekPackNameTable(pack));
    names.Load(pack, true);
}

}  // namespace resourcetest
