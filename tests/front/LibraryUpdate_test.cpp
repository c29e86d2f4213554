// The update of the library's own files: the per-frame comparison with the shared install folders, the backup,
// and the unpacking of a downloaded update archive into staged archives.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <string>
#include <vector>

#include "InProcessLibrary.h"
#include "UpdateArchives.h"
#include "foundation/CFile.h"
#include "foundation/FileSearch.h"
#include "foundation/FileState.h"
#include "foundation/ZipArchive.h"
#include "front/ArchiveVersion.h"
#include "front/LibraryUpdate.h"

// Counts its runs: the action a test gives as "No Update Required Action".
class CFrontTestCountingAction : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFrontTestCountingAction)
public:
    CFrontTestCountingAction() { ConstructOwnMembers(); }
    ~CFrontTestCountingAction() override { DestroyOwnMembers(); }
    bool Execute() override
    {
        ++runs;
        return true;
    }
    static inline int runs = 0;
};

void DeclareFrontTestCountingAction(ClassInfo*) {}

FORM_CLASS(CFrontTestCountingAction, CFormAction, DeclareFrontTestCountingAction)

namespace {

using namespace fronttest;

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code missing;
    for (const auto& entry : fs::directory_iterator(folder, missing))
        if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Every member of an archive as our own reader finds it.
Members ReadMembers(const std::string& path)
{
    ZipArchive archive;
    Members members;
    if (!archive.Open(path.c_str(), false, "", false, kFileAbsolute)) return members;
    FileEnumerator names;
    archive.Enumerate(names, FileSearchSpec("", "", FileSearchSpec::kEverySubFolder));
    for (int i = 0; i < names.Count(); ++i) {
        CFile member;
        if (!member.Attach(archive.OpenMember(names.GetNameText(i), 0), kFileRead)) continue;
        std::string data(static_cast<std::size_t>(member.GetSize()), '\0');
        member.Read(data.data(), static_cast<int>(data.size()));
        members[names.GetNameText(i)] = data;
    }
    return members;
}

class LibraryUpdate : public InProcessLibrary {
protected:
    void SetUp() override
    {
        InProcessLibrary::SetUp();
        InstallArchive();
        ASSERT_EQ(Start(), TA_ERROR_CODE_NONE) << GetAPIState().lastErrorText;
        fs::current_path(folder);
        shared = root / "Program Files/TollarineArcade/Arcade/";
        channel = root / ("Program Files/TollarineArcade/Channels/" + std::to_string(GetArcadeState().ChannelID) + "/");
    }

    void ShareArcade(int version, const std::string& library = "shared library") const
    {
        WriteArchive(shared + "Arcade.dat", {{"Resources/Arcade.version.txt", VersionRecord(version)}});
        testsupport::WriteFile(shared + "TollarineArcade.so", library);
    }
    void ShareChannel(int version, const std::string& padding = "") const
    {
        WriteArchive(channel + "Channel.dat",
                     {{"Resources/Channel.version.txt", VersionRecord(version)}, {"Padding.bin", padding}});
    }
    // The library file of the folder as a small file of its own (the test's module is already loaded).
    void UseSmallLibraryFile() const
    {
        fs::remove(LibraryPath());
        testsupport::WriteFile(LibraryPath(), "local library");
    }

    std::string shared;
    std::string channel;
};

using Names = std::vector<std::string>;

TEST_F(LibraryUpdate, EqualVersionsStageNothingAndEmptyTheUpdateFolder)
{
    ShareArcade(1);
    testsupport::WriteFile(folder + "Update/Leftover.dat", "from before");
    EXPECT_FALSE(CheckLibraryFileUpdate());
    EXPECT_EQ(FilesIn("Update"), Names{});
    EXPECT_FALSE(fs::exists("Backup"));
    EXPECT_EQ(testsupport::ReadFile(shared + "TollarineArcade.so"), "shared library");
}

TEST_F(LibraryUpdate, ANewerSharedArcadeIsStagedAndTheCurrentFilesBackedUp)
{
    ShareArcade(2, "newer library");
    EXPECT_TRUE(CheckLibraryFileUpdate());
    EXPECT_EQ(FilesIn("Update"), (Names{"Arcade.dat", "TollarineArcade.so"}));
    EXPECT_EQ(testsupport::ReadFile("Update/TollarineArcade.so"), "newer library");
    EXPECT_EQ(testsupport::ReadFile("Update/Arcade.dat"), testsupport::ReadFile(shared + "Arcade.dat"));
    EXPECT_EQ(FilesIn("Backup"), (Names{"Arcade.dat", "TollarineArcade.so"}));
    EXPECT_EQ(testsupport::ReadFile("Backup/Arcade.dat"), testsupport::ReadFile("Arcade.dat"));
    EXPECT_EQ(fs::file_size("Backup/TollarineArcade.so"), fs::file_size(LibraryPath()));
}

TEST_F(LibraryUpdate, ANewerSharedChannelIsStagedAlone)
{
    ShareArcade(1);
    ShareChannel(1);
    EXPECT_TRUE(CheckLibraryFileUpdate());
    EXPECT_EQ(FilesIn("Update"), Names{"Channel.dat"});
    EXPECT_EQ(FilesIn("Backup"), (Names{"Arcade.dat", "TollarineArcade.so"}));
}

TEST_F(LibraryUpdate, ANewerLocalCopyIsPassedOnToTheSharedFolderWhole)
{
    UseSmallLibraryFile();
    ShareArcade(0, "older shared library");
    EXPECT_FALSE(CheckLibraryFileUpdate());
    EXPECT_EQ(FilesIn(shared), (Names{"Arcade.dat", "TollarineArcade.so"}));
    EXPECT_EQ(testsupport::ReadFile(shared + "TollarineArcade.so"), "local library");
    EXPECT_EQ(testsupport::ReadFile(shared + "Arcade.dat"), testsupport::ReadFile("Arcade.dat"));
    EXPECT_EQ(FilesIn("Update"), Names{});
}

// A folder where a copy must write makes that copy fail.
TEST_F(LibraryUpdate, AFailedCopyLeavesNothingStagedOrBackedUpAndTheSharedPairWhole)
{
    struct Case {
        const char* name;
        int sharedVersion;
        std::string blocker;
    };
    const Case cases[] = {
        {"staged archive", 2, "Update/Arcade.dat"},
        {"backup", 2, "Backup/Arcade.dat"},
        {"shared archive", 0, "shared:Arcade.dat.new"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* made : {"Update", "Backup"}) fs::remove_all(made);
        UseSmallLibraryFile();
        ShareArcade(c.sharedVersion, "shared library");
        const std::string sharedArchive = testsupport::ReadFile(shared + "Arcade.dat");
        const bool inShared = c.blocker.rfind("shared:", 0) == 0;
        fs::create_directories(inShared ? shared + c.blocker.substr(7) : c.blocker);

        EXPECT_FALSE(CheckLibraryFileUpdate());
        EXPECT_EQ(FilesIn("Update"), Names{});
        EXPECT_EQ(FilesIn("Backup"), Names{});
        EXPECT_EQ(testsupport::ReadFile(shared + "TollarineArcade.so"), "shared library");
        EXPECT_EQ(testsupport::ReadFile(shared + "Arcade.dat"), sharedArchive);
        if (inShared) fs::remove_all(shared + c.blocker.substr(7));
    }
}

// Runs the check with every file write cut short at that size; exits with 0 when it answered true.
[[noreturn]] void CheckWithFilesCutShortAt(rlim_t size)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    limit.rlim_cur = limit.rlim_max = size;
    setrlimit(RLIMIT_FSIZE, &limit);
    _exit(CheckLibraryFileUpdate() ? 0 : 1);
}

// The file size limit cuts the copy of the large channel archive short, as a full disk would; the library's own
// archive, whatever the build put in it, stays under the limit.
TEST_F(LibraryUpdate, AChannelCopyCutShortIsDeletedAndNotCounted)
{
    UseSmallLibraryFile();
    ShareArcade(2);
    const auto limit = static_cast<rlim_t>(fs::file_size("Arcade.dat") + 64 * 1024);
    ShareChannel(1, std::string(limit + 192 * 1024, 'c'));
    EXPECT_EXIT(CheckWithFilesCutShortAt(limit), testing::ExitedWithCode(0), "");
    EXPECT_EQ(FilesIn("Update"), (Names{"Arcade.dat", "TollarineArcade.so"}));
    EXPECT_EQ(FilesIn("Backup"), (Names{"Arcade.dat", "TollarineArcade.so"}));
}

TEST_F(LibraryUpdate, AnArchiveVersionIsReadAgainOnlyWhenTheFileChanges)
{
    ShareArcade(3);
    const std::string path = shared + "Arcade.dat";
    EXPECT_EQ(ReadArchiveVersion(path.c_str(), "Resources/Arcade.version.txt"), 3);
    EXPECT_EQ(ReadArchiveVersion(path.c_str(), "Resources/Arcade.version.txt"), 3);
    ShareArcade(4);
    EXPECT_EQ(ReadArchiveVersion(path.c_str(), "Resources/Arcade.version.txt"), 4);
    testsupport::WriteFile(path, "no archive");
    EXPECT_EQ(ReadArchiveVersion(path.c_str(), "Resources/Arcade.version.txt"), 0);
    EXPECT_EQ(ReadArchiveVersion((shared + "Missing.dat").c_str(), "Resources/Arcade.version.txt"), 0);
}

// ---- The downloaded update archive

class ProcessUpdateFile : public LibraryUpdate {
protected:
    void SetUp() override
    {
        LibraryUpdate::SetUp();
        CFrontTestCountingAction::runs = 0;
        testsupport::WriteFile(folder + "action.txt", Record("CFormActionProcessUpdateFile",
                                                             "\tNo Update Required Action=CFrontTestCountingAction\r\n"
                                                             "\t{\r\n\t}\r\n"));
        ASSERT_TRUE(action.LoadFromFile("action.txt", kFileAbsolute));
    }
    // Where the web download control writes "Update/Update.qxd": below the library's base folder.
    static std::string DownloadPath() { return DiskPath("Update/Update.qxd", 0).GetText(); }
    static void Download(const Members& members) { WriteArchive(DownloadPath(), members); }
    static std::string Packed(const Members& members)
    {
        WriteArchive("packing.zip", members);
        std::string data = testsupport::ReadFile("packing.zip");
        fs::remove("packing.zip");
        return data;
    }
    // Whether this process still has the downloaded archive open.
    static bool DownloadStillOpen()
    {
        for (const auto& fd : fs::directory_iterator("/proc/self/fd")) {
            std::error_code gone;
            if (fs::read_symlink(fd.path(), gone).string().find("Update.qxd") != std::string::npos) return true;
        }
        return false;
    }

    CFormActionProcessUpdateFile action;
};

TEST_F(ProcessUpdateFile, AOneMemberDownloadRunsTheNoUpdateRequiredAction)
{
    Download({{"Arcade.upd", Packed({{"Resources/Arcade.version.txt", VersionRecord(2)}})}});
    EXPECT_TRUE(action.Execute());
    EXPECT_EQ(CFrontTestCountingAction::runs, 1);
    EXPECT_EQ(FilesIn("Update"), Names{});
    EXPECT_FALSE(fs::exists(DownloadPath()));
    EXPECT_FALSE(GetArcadeState().SystemUpdateRequired);
}

TEST_F(ProcessUpdateFile, AnArcadeUpdateReplacesOneMemberKeepsTheRestAndStagesTheLibraryFile)
{
    const std::string newVersion = VersionRecord(2);
    Download({{"Arcade.upd",
               Packed({{"Resources/Arcade.version.txt", newVersion}, {"TollarineArcade.so", "newer library"}})},
              {"ReadMe.txt", "release notes"}});
    EXPECT_TRUE(action.Execute());
    EXPECT_TRUE(GetArcadeState().SystemUpdateRequired);
    EXPECT_EQ(CFrontTestCountingAction::runs, 0);
    EXPECT_EQ(FilesIn("Update"), (Names{"Arcade.dat", "Arcade.qxd", "TollarineArcade.so"}));
    EXPECT_EQ(testsupport::ReadFile("Update/TollarineArcade.so"), "newer library");
    EXPECT_EQ(FilesIn("Backup"), (Names{"Arcade.dat", "TollarineArcade.so"}));

    Members expected = ReadMembers("Arcade.dat");
    ASSERT_GT(expected.size(), 2u);
    expected["Resources/Arcade.version.txt"] = newVersion;
    EXPECT_EQ(ReadMembers("Update/Arcade.dat"), expected);
    EXPECT_EQ(ReadArchiveVersion("Update/Arcade.dat", "Resources/Arcade.version.txt"), 2);
    EXPECT_TRUE(
        PythonZipCheck("z = zipfile.ZipFile(sys.argv[1])\n"
                       "assert z.testzip() is None\n"
                       "assert len(z.infolist()) == int(sys.argv[2])\n"
                       "assert all(i.compress_type == zipfile.ZIP_STORED for i in z.infolist())\n",
                       "Update/Arcade.dat " + std::to_string(expected.size())));
}

TEST_F(ProcessUpdateFile, AFailedDownloadStagesNothingAndLetsTheArchiveGo)
{
    struct Case {
        const char* name;
        Members download;  // none: a damaged file
        const char* blocker;
    };
    const std::string arcade = Packed({{"Resources/Arcade.version.txt", VersionRecord(2)}});
    const Case cases[] = {
        {"damaged archive", {}, nullptr},
        {"no part of the library", {{"ReadMe.txt", "a"}, {"Other.upd", "b"}}, nullptr},
        {"part copy", {{"Arcade.upd", arcade}, {"ReadMe.txt", "a"}}, "Update/Arcade.qxd"},
        {"backup", {{"Arcade.upd", arcade}, {"ReadMe.txt", "a"}}, "Backup/Arcade.dat"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* made : {"Update", "Backup"}) fs::remove_all(made);
        if (c.download.empty())
            testsupport::WriteFile(DownloadPath(), "not an archive at all, but long enough to be looked at");
        else
            Download(c.download);
        if (c.blocker) fs::create_directories(c.blocker);
        GetArcadeState().SystemUpdateRequired = true;

        EXPECT_FALSE(action.Execute());
        EXPECT_FALSE(GetArcadeState().SystemUpdateRequired);
        EXPECT_EQ(FilesIn("Update"), Names{});
        EXPECT_EQ(FilesIn("Backup"), Names{});
        EXPECT_FALSE(fs::exists(DownloadPath()));
        EXPECT_FALSE(DownloadStillOpen());
        EXPECT_EQ(CFrontTestCountingAction::runs, 0);
    }
}

}  // namespace
