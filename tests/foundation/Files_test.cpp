#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "FoundationFixture.h"
#include "TestClasses.h"
#include "foundation/CFile.h"
#include "foundation/CompressedBlockCodec.h"
#include "foundation/FileFunctions.h"
#include "foundation/FileSearch.h"
#include "foundation/FontStream.h"
#include "foundation/PathHelpers.h"

using FileTest = FileLayerTest;

TEST_F(FileTest, AbsolutePathsSkipTheBaseFolder)
{
    struct Case {
        const char* path;
        bool absolute;
    } cases[] = {{"/x", true}, {"\\x", true}, {"c:x", true}, {"x", false}, {"/", false}, {"", false}};
    for (const Case& c : cases) EXPECT_EQ(IsAbsolutePath(c.path), c.absolute) << c.path;

    Write("inside.txt", "base");
    CFile file;
    ASSERT_TRUE(file.Open(Path("inside.txt").c_str(), kFileRead));
    EXPECT_EQ(file.GetFlags() & 0xA0, 0xA0);
    ASSERT_TRUE(file.Open("inside.txt", kFileRead));
    EXPECT_EQ(file.GetFlags() & 0xA0, 0);
}

TEST_F(FileTest, FindsNamesWithoutRegardToCaseAndWithBackslashes)
{
    Write("data/file.txt", "found");
    for (const char* path : {"DATA/File.TXT", "data\\FILE.txt"}) {
        CFile file;
        ASSERT_TRUE(file.Open(path, kFileRead)) << path;
        char text[8] = {};
        EXPECT_EQ(file.Read(text, 5), 5);
        EXPECT_STREQ(text, "found");
    }
    EXPECT_TRUE(FileExists("Data/File.txt"));
    EXPECT_FALSE(FileExists("data/missing.txt"));
}

TEST_F(FileTest, CompressedBlocksRoundTrip)
{
    std::string text;
    for (int i = 0; i < 200; ++i) text += "line of text " + std::to_string(i) + "\r\n";
    CFile out;
    ASSERT_TRUE(out.Open("packed.bin", kFileCreate | kFileWrite | kFileCompressed));
    EXPECT_EQ(out.Write(text.data(), static_cast<int>(text.size())), static_cast<int>(text.size()));
    EXPECT_TRUE(out.Close());
    const std::string stored = Read("packed.bin");
    ASSERT_GT(stored.size(), 9u);
    EXPECT_EQ(stored[0], 1);
    EXPECT_LT(stored.size(), text.size());

    CFile in;
    ASSERT_TRUE(in.Open("packed.bin", kFileRead | kFileCompressed));
    EXPECT_EQ(in.GetSize(), static_cast<int>(text.size()));
    std::string back(text.size(), '\0');
    EXPECT_EQ(in.Read(back.data(), static_cast<int>(back.size())), static_cast<int>(text.size()));
    EXPECT_EQ(back, text);

    Write("plain.txt", "not compressed");  // a plain file read as compressed gives its plain bytes
    CFile plain;
    ASSERT_TRUE(plain.Open("plain.txt", kFileRead | kFileCompressed));
    char bytes[32] = {};
    EXPECT_EQ(plain.Read(bytes, sizeof bytes), 14);
    EXPECT_STREQ(bytes, "not compressed");
}

TEST_F(FileTest, DamagedCompressedBlocksFailTheOpen)
{
    CFile out;
    ASSERT_TRUE(out.Open("good.bin", kFileCreate | kFileWrite | kFileCompressed));
    const std::string payload(5000, 'z');
    out.Write(payload.data(), static_cast<int>(payload.size()));
    ASSERT_TRUE(out.Close());
    const std::string good = Read("good.bin");
    auto withInt = [&](std::size_t at, std::int32_t value) {
        std::string copy = good;
        std::memcpy(&copy[at], &value, 4);
        return copy;
    };
    std::string flipped = good;
    flipped[12] ^= 0x5A;
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"truncated data", good.substr(0, good.size() - 3)},
        {"header only", good.substr(0, 5)},
        {"corrupted zlib data", flipped},
        {"negative compressed size", withInt(1, -4)},
        {"compressed size beyond the file", withInt(1, 0x7FFFFFF0)},
        {"hostile original size", withInt(5, 0x7FFFFFFF)},
        {"negative original size", withInt(5, -1)},
        {"original size too small", withInt(5, 100)},
        {"original size too large", withInt(5, 5001)},
    };
    for (const auto& c : cases) {
        Write("bad.bin", c.bytes);
        CFile in;
        EXPECT_FALSE(in.Open("bad.bin", kFileRead | kFileCompressed)) << c.what;
    }
}

TEST_F(FileTest, ACompressedWriteThatCannotReachItsTargetReportsIt)
{
    CFile out;
    ASSERT_TRUE(out.Open("no/such/folder/x.bin", kFileCreate | kFileWrite | kFileCompressed));
    out.Write("data", 4);
    EXPECT_FALSE(out.Close());
    ASSERT_TRUE(out.Open("made/folder/x.bin", kFileCreate | kFileWrite | kFileCompressed | kFileMakeFolders));
    out.Write("data", 4);
    EXPECT_TRUE(out.Close());
}

TEST_F(FileTest, ACompressedWriteReplacesItsTargetOnlyWhenWhollyWritten)
{
    auto save = [](const char* path, int flags) {
        CFile out;
        EXPECT_TRUE(out.Open(path, kFileCreate | kFileWrite | kFileCompressed | flags));
        out.Write("new data", 8);
        return out.Close();
    };
    Write("kept.bin", "old");
    std::filesystem::create_directory(Path("kept.bin.tmp"));  // the temporary file cannot be made
    EXPECT_FALSE(save("kept.bin", 0));
    EXPECT_EQ(Read("kept.bin"), "old");

    Write("locked.bin", "old");
    ASSERT_TRUE(SetReadOnly(Path("locked.bin").c_str(), true));
    EXPECT_FALSE(save("locked.bin", 0));
    EXPECT_EQ(Read("locked.bin"), "old");
    EXPECT_TRUE(save("locked.bin", kFileClearReadOnly));
    EXPECT_FALSE(std::filesystem::exists(Path("locked.bin.tmp")));
    CFile in;
    ASSERT_TRUE(in.Open("locked.bin", kFileRead | kFileCompressed));
    char back[9] = {};
    EXPECT_EQ(in.Read(back, 8), 8);
    EXPECT_STREQ(back, "new data");
}

namespace {

// A call that never returns ends the test program at once (SIGALRM) rather than at the runner's time limit.
class ReturnsWithin {
public:
    explicit ReturnsWithin(unsigned seconds) { ::alarm(seconds); }
    ~ReturnsWithin() { ::alarm(0); }
    ReturnsWithin(const ReturnsWithin&) = delete;
    ReturnsWithin& operator=(const ReturnsWithin&) = delete;
};

}  // namespace

TEST_F(FileTest, MakingFoldersFailsWhereAFileIsInTheWay)
{
    Write("blocker", "a file");
    Write("deep/blocker", "a file");
    ReturnsWithin limit(10);
    struct Case {
        const char* path;
        bool made;
    } cases[] = {{"new/deeper/folder", true}, {"new/deeper/", true},     {"blocker", false},
                 {"blocker/child", false},    {"blocker/child/", false}, {"deep/blocker/child/grandchild", false}};
    for (const Case& c : cases) EXPECT_EQ(CreateFolderPath(Path(c.path).c_str()), c.made) << c.path;
    EXPECT_TRUE(FolderExists("new/deeper/folder"));

    // Every create that may make folders comes here: a plain create and a compressed write fail alike.
    CFile out;
    EXPECT_FALSE(out.Open("blocker/x.txt", kFileCreate | kFileWrite | kFileMakeFolders));
    ASSERT_TRUE(out.Open("blocker/x.bin", kFileCreate | kFileWrite | kFileCompressed | kFileMakeFolders));
    out.Write("data", 4);
    EXPECT_FALSE(out.Close());
    EXPECT_EQ(Read("blocker"), "a file");
}

TEST_F(FileTest, MakingFoldersFailsInAFolderThatMayNotBeWritten)
{
    if (::geteuid() == 0) GTEST_SKIP() << "the superuser makes folders in read-only folders";
    std::filesystem::create_directory(Path("locked"));
    std::filesystem::permissions(Path("locked"),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    ReturnsWithin limit(10);
    EXPECT_FALSE(CreateFolderPath(Path("locked/sub/child").c_str()));
    std::filesystem::permissions(Path("locked"), std::filesystem::perms::owner_all);
}

TEST_F(FileTest, AFolderDoesNotOpenAsAFile)
{
    std::filesystem::create_directories(Path("folder/inner"));
    EXPECT_FALSE(FileExists("folder"));
    EXPECT_FALSE(FileExists("folder/inner/"));
    EXPECT_TRUE(FolderExists("folder"));
    const int flags[] = {kFileRead, kFileRead | kFileInMemory, kFileRead | kFileCompressed, kFileWrite,
                         kFileCreate | kFileWrite};
    for (int f : flags) {
        CFile file;
        EXPECT_FALSE(file.Open("folder", f)) << f;
        EXPECT_FALSE(file.Open(Path("folder").c_str(), f)) << f;
    }
}

TEST_F(FileTest, WholeFileSavesKeepLinksModesAndReadOnlyFiles)
{
    CTestA object;
    object.m_count = 7;
    Write("real/target.txt", "old");
    std::filesystem::create_symlink("real/target.txt", Path("link.txt"));
    std::filesystem::permissions(Path("real/target.txt"), std::filesystem::perms::owner_read |
                                                              std::filesystem::perms::owner_write |
                                                              std::filesystem::perms::group_read);
    ASSERT_TRUE(object.SaveToFile("link.txt", 0));
    EXPECT_TRUE(std::filesystem::is_symlink(Path("link.txt")));
    EXPECT_NE(Read("real/target.txt").find("Count=7"), std::string::npos);
    EXPECT_EQ(std::filesystem::status(Path("real/target.txt")).permissions(), std::filesystem::perms::owner_read |
                                                                                  std::filesystem::perms::owner_write |
                                                                                  std::filesystem::perms::group_read);

    // A compressed write goes the same way.
    CFile out;
    ASSERT_TRUE(out.Open("link.txt", kFileCreate | kFileWrite | kFileCompressed));
    out.Write("packed", 6);
    EXPECT_TRUE(out.Close());
    EXPECT_TRUE(std::filesystem::is_symlink(Path("link.txt")));
    EXPECT_EQ(Read("real/target.txt")[0], 1);  // the compressed block's marker

    // Creating missing folders skips the writable check, but a read-only file is still not written.
    Write("locked.txt", "old");
    ASSERT_TRUE(SetReadOnly(Path("locked.txt").c_str(), true));
    EXPECT_FALSE(object.SaveToFile("locked.txt", kFileMakeFolders));
    EXPECT_EQ(Read("locked.txt"), "old");
    EXPECT_TRUE(IsReadOnly(Path("locked.txt").c_str()));
    EXPECT_TRUE(object.SaveToFile("locked.txt", kFileMakeFolders | kFileClearReadOnly));
    EXPECT_NE(Read("locked.txt").find("Count=7"), std::string::npos);
}

TEST_F(FileTest, AnAttachedStreamWithTheCompressedFlagIsWrittenAsItIs)
{
    std::FILE* disk = std::fopen(Path("attached.bin").c_str(), "wb");
    ASSERT_NE(disk, nullptr);
    CFile file;
    ASSERT_TRUE(file.Attach(new CFileBuf(disk, true), kFileCreate | kFileWrite | kFileCompressed));
    EXPECT_EQ(file.Write("plain", 5), 5);
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(Read("attached.bin"), "plain");
}

TEST_F(FileTest, LineBreaksOnDiskAndInMemory)
{
    struct Case {
        const char* what;
        std::string text;
        std::vector<std::string> disk, memory;
    } cases[] = {
        {"mixed breaks", "a\r\nb\n\rc\r\r\nd", {"a", "b", "c", "d"}, {"a", "b", "", "c", "", "d"}},
        {"two LFs", "\n\n", {"", ""}, {"", ""}},
        {"two CRs", "x\r\ry", {"x", "", "y"}, {"x", "", "y"}},
        {"no last break", "one\ntwo", {"one", "two"}, {"one", "two"}},
        {"long line",
         std::string(300, 'L') + "\nshort",
         {std::string(300, 'L'), "short"},
         {std::string(300, 'L'), "short"}},
    };
    for (const Case& c : cases) {
        Write("lines.txt", c.text);
        for (int memory = 0; memory < 2; ++memory) {
            CFile file;
            ASSERT_TRUE(file.Open("lines.txt", kFileRead | (memory ? kFileInMemory : 0)));
            EXPECT_EQ(file.GetStream()->IsInMemory(), memory == 1);
            std::vector<std::string> lines;
            CString line;
            while (file.ReadLine(line)) lines.emplace_back(line.GetText());
            EXPECT_EQ(lines, memory ? c.memory : c.disk) << c.what << (memory ? " in memory" : " on disk");
        }
    }
    Write("blank.txt", "  \t\r\n\r\nvalue\r\n");
    CFile file;
    ASSERT_TRUE(file.Open("blank.txt", kFileRead));
    CString line;
    EXPECT_TRUE(file.ReadNonBlankLine(line));
    EXPECT_STREQ(line.GetText(), "value");
    EXPECT_FALSE(file.ReadNonBlankLine(line));
}

TEST_F(FileTest, WrittenLinesAreIndentedWithTabs)
{
    CFile file;
    ASSERT_TRUE(file.Open("out.txt", kFileCreate | kFileWrite));
    file.WriteLine("Object");
    file.Indent();
    file.WriteLine("Key=1");
    file.Unindent();
    file.WriteLine("End");
    file.Close();
    EXPECT_EQ(Read("out.txt"), "Object\r\n\tKey=1\r\nEnd\r\n");
}

TEST(MemoryFileBuf, NeverReadsPastItsData)
{
    auto* bytes = static_cast<char*>(std::malloc(4));
    std::memcpy(bytes, "abcd", 4);
    CMemoryFileBuf stream(bytes, 4);
    char out[8];
    EXPECT_TRUE(stream.Seek(10));
    EXPECT_EQ(stream.Read(out, 8), 0);
    EXPECT_EQ(stream.Skip(1), nullptr);
    EXPECT_FALSE(stream.Seek(-1));
    EXPECT_TRUE(stream.Seek(1));
    EXPECT_FALSE(stream.SeekRelative(-2));
    EXPECT_EQ(stream.Skip(4), nullptr);
    const void* skipped = stream.Skip(3);
    ASSERT_NE(skipped, nullptr);
    EXPECT_EQ(std::memcmp(skipped, "bcd", 3), 0);
    EXPECT_TRUE(stream.Seek(6));  // writing past the end fills the gap with zeros
    EXPECT_EQ(stream.Write("z", 1), 1);
    EXPECT_EQ(stream.Size(), 7);
    EXPECT_EQ(std::memcmp(stream.GetData(), "abcd\0\0z", 7), 0);
}

TEST_F(FileTest, LengthPrefixedStringsAreBoundedByBufferAndFile)
{
    CFile out;
    ASSERT_TRUE(out.Open("strings.bin", kFileCreate | kFileWrite));
    out.WriteString("hello");
    out.WriteInt(-5);
    out.WriteInt(1000);
    out.WriteString("x");
    out.Close();

    CFile in;
    ASSERT_TRUE(in.Open("strings.bin", kFileRead));
    char small[4];
    errno = 0;
    EXPECT_FALSE(in.ReadString(small, sizeof small));  // 5 characters do not fit 4 bytes
    EXPECT_EQ(errno, ERANGE);
    in.Seek(0);
    char buffer[16];
    EXPECT_TRUE(in.ReadString(buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "hello");
    EXPECT_FALSE(in.ReadString(buffer, sizeof buffer));  // negative
    char* allocated = nullptr;
    EXPECT_FALSE(in.ReadAllocatedString(&allocated));  // 1000 bytes but only 5 left
    EXPECT_EQ(allocated, nullptr);
    in.Seek(17);
    EXPECT_TRUE(in.ReadAllocatedString(&allocated));
    EXPECT_STREQ(allocated, "x");
    std::free(allocated);
}

TEST_F(FileTest, CopiesWithinAndBetweenFiles)
{
    Write("range.bin", "0123456789");
    CFile file;
    ASSERT_TRUE(file.Open("range.bin", kFileRead | kFileWrite));
    EXPECT_FALSE(file.CopyRange(5, 2, 3));  // never toward the end
    EXPECT_TRUE(file.CopyRange(4, 4, 3));
    EXPECT_TRUE(file.CopyRange(1, 6, 4));
    file.Close();
    EXPECT_EQ(Read("range.bin"), "0678956789");

    static std::vector<float> steps;
    steps.clear();
    EXPECT_TRUE(CopyFileWithProgress("range.bin", 0, "copy/of/range.bin", kFileMakeFolders,
                                     [](float f) { steps.push_back(f); }));
    EXPECT_EQ(Read("copy/of/range.bin"), "0678956789");
    ASSERT_GE(steps.size(), 3u);
    EXPECT_EQ(steps.front(), 0.0f);
    EXPECT_EQ(steps.back(), 1.0f);

    CFile a, b;
    ASSERT_TRUE(a.Open("range.bin", kFileRead));
    ASSERT_TRUE(b.Open("copy/of/range.bin", kFileRead | kFileInMemory));
    EXPECT_TRUE(a.ContentEquals(b));
    Write("other.bin", "0678956780");
    CFile c;
    ASSERT_TRUE(c.Open("other.bin", kFileRead));
    EXPECT_FALSE(a.ContentEquals(c));
    EXPECT_FALSE(CopyFileWithProgress("missing.bin", 0, "x.bin", 0, nullptr));
}

TEST_F(FileTest, AStreamNamedByItsAddressMustBeALiveStream)
{
    auto* stream = new CMemoryFileBuf;
    stream->Write("live", 4);
    char path[64];
    const auto address = reinterpret_cast<std::uintptr_t>(stream);
    int n = std::snprintf(path, sizeof path, "~CFileBuf 0x");
    for (int byte = 0; byte < 8; ++byte)
        n += std::snprintf(path + n, sizeof path - n, "%02X", unsigned(address >> (8 * byte)) & 0xFF);
    CFile file;
    ASSERT_TRUE(file.Open(path, kFileRead));  // takes the stream over
    EXPECT_EQ(file.GetStream(), stream);
    CFile bogus;
    EXPECT_FALSE(bogus.Open("~CFileBuf 0x1000000000000000", kFileRead));
}

TEST_F(FileTest, FileFunctions)
{
    Write("folder/file.txt", "x");
    EXPECT_TRUE(FolderExists("folder/"));
    EXPECT_TRUE(FolderExists("FOLDER"));
    EXPECT_FALSE(FolderExists("folder/file.txt"));
    EXPECT_TRUE(IsFileWritable("folder/file.txt"));
    EXPECT_TRUE(IsFileWritable("folder/new.txt"));
    EXPECT_FALSE(IsFileWritable("nofolder/new.txt"));
    ASSERT_TRUE(SetReadOnly(Path("folder/file.txt").c_str(), true));
    EXPECT_FALSE(IsFileWritable("folder/file.txt"));
    CFile file;
    EXPECT_TRUE(file.Open("folder/file.txt", kFileWrite | kFileRead | kFileClearReadOnly));
    file.Close();
    EXPECT_TRUE(IsFileWritable("folder/file.txt"));

    const std::int64_t time = DosToFileTime((46 << 9) | (12 << 5) | 10, (14 << 11) | (5 << 5) | 4);
    EXPECT_TRUE(SetFileTime64("folder/file.txt", time, 0, 4));
    EXPECT_EQ(GetFileTime64("folder/file.txt", 0, 4), time);
    std::uint16_t date, dosTime;
    FileTimeToDos(time, &date, &dosTime);
    EXPECT_EQ(date, (46 << 9) | (12 << 5) | 10);
    EXPECT_EQ(dosTime, (14 << 11) | (5 << 5) | 4);

    EXPECT_TRUE(DeleteDiskFile("folder/file.txt"));
    EXPECT_FALSE(FileExists("folder/file.txt"));
    char temp[260];
    ASSERT_TRUE(MakeTempFileName(temp, "vel"));
    EXPECT_TRUE(FileExists(temp, kFileAbsolute));
    std::remove(temp);
}

TEST(PathHelpers, CStringPaths)
{
    char out[64];
    JoinPath(out, "a", "b");
    EXPECT_STREQ(out, "a/b");
    JoinPath(out, "a\\", "b");
    EXPECT_STREQ(out, "a\\b");
    JoinPath(out, "", "b");
    EXPECT_STREQ(out, "b");
    EXPECT_STREQ(FindFileName("x/y\\z.txt"), "z.txt");
    EXPECT_STREQ(FindFileName(nullptr), "In Path Name Null!");
    char path[64] = "dir.v2/name";
    EXPECT_STREQ(FindExtension(path), "");
    ReplaceExtension(path, "tga");
    EXPECT_STREQ(path, "dir.v2/name.tga");
    ReplaceExtension(path, "jpg");
    EXPECT_STREQ(path, "dir.v2/name.jpg");
    CutFileName(path);
    EXPECT_STREQ(path, "dir.v2/");
    StripTrailingSeparator(path);
    EXPECT_STREQ(path, "dir.v2");
    EXPECT_STREQ(GetCacheFolderName(), "Cache");
}

class FileSearchTest : public FileLayerTest {
protected:
    void SetUp() override
    {
        FileLayerTest::SetUp();
        for (const char* name : {"Menus/-A/p.txt", "Menus/Sub/-B/-C/q.txt", "Menus/Sub/r.TXT", "cache/x.zip", "top.zip",
                                 "x.TGA", "y.tga", "Menus/.hidden/h.txt"})
            Write(name, "data");
    }
    std::vector<std::string> Find(const FileSearchSpec& wanted)
    {
        FileEnumerator found;
        found.Scan(wanted, 0);
        std::vector<std::string> names;
        for (int i = 0; i < found.Count(); ++i) names.emplace_back(found.GetNameText(i));
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(FileSearchTest, FilesByExtensionAndRecursion)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(Find(FileSearchSpec("Menus/", "txt", 0)),
              (V{"Menus/-A/p.txt", "Menus/Sub/-B/-C/q.txt", "Menus/Sub/r.TXT"}));
    EXPECT_EQ(Find(FileSearchSpec("Menus/", ".txt", 1)), (V{"Menus/Sub/r.TXT"}));
    EXPECT_EQ(Find(FileSearchSpec("Menus/", "txt", 2)), V{});
    EXPECT_EQ(Find(FileSearchSpec("", "tga", 2)), (V{"x.TGA", "y.tga"}));
    EXPECT_EQ(Find(FileSearchSpec("", "ZIP", 0)), (V{"top.zip"}));  // "cache" is left out of zip searches
    FileSearchSpec bare("Menus/", "txt", 0);
    bare.SetNameForm(FileSearchSpec::kBareNames);
    EXPECT_EQ(Find(bare), (V{"p.txt", "q.txt", "r.TXT"}));
    FileSearchSpec two("", "zip", 0);
    two.AddExtension("tga");
    EXPECT_EQ(CountFiles(two, 0), 4);
}

TEST_F(FileSearchTest, DashedFoldersAreReportedNotEntered)
{
    using V = std::vector<std::string>;
    FileSearchSpec folders;
    folders.SetFolders("Menus/", true);
    EXPECT_EQ(Find(folders), (V{"Menus/-A", "Menus/Sub/-B"}));
    folders.SetFlags(0);
    EXPECT_EQ(Find(folders), (V{"Menus/-A", "Menus/Sub/-B", "Menus/Sub/-B/-C"}));
    FileSearchSpec all;
    all.SetFolders("Menus/", false);
    all.SetNameForm(FileSearchSpec::kBareNames);
    EXPECT_EQ(Find(all), (V{"-A", "-B", "Sub"}));
}

TEST_F(FileSearchTest, TheFilesFoundAreANamedList)
{
    FileEnumerator found;
    found.Scan(FileSearchSpec("", "tga", 2), 0);
    const NamedList& list = found;
    ASSERT_EQ(list.Count(), 2);
    const int index = list.Find("Y.TGA");
    ASSERT_GE(index, 0);
    EXPECT_STREQ(list.ItemNameText(index), "y.tga");
    EXPECT_EQ(list.Find("z.tga"), kNoIndex);
    found.Scan(FileSearchSpec("", "zip", 2), 0);  // a new scan starts afresh
    EXPECT_EQ(list.Count(), 1);
}

TEST(FixedNameArrayDeathTest, ANameTooLongForItsSlotEndsTheProcess)
{
    std::vector<char> names(80 * 2);
    std::int32_t sizes[2];
    FixedNameArray array(names.data(), sizes, 80, 2);
    const std::string longest(79, 'n');
    array.Add(longest.c_str(), FileInfo{7, 0, 0});
    EXPECT_EQ(array.Count(), 1);
    EXPECT_EQ(sizes[0], 7);
    EXPECT_TRUE(array.IsListed(std::string(79, 'N').c_str()));
    const std::string tooLong(80, 'n');
    EXPECT_EXIT(array.Add(tooLong.c_str(), FileInfo{}), testing::ExitedWithCode(255), "Illegal file name");
}

TEST_F(FileTest, FontStreamsReadAtAnyOffset)
{
    Write("font.bin", "0123456789");
    CFile file;
    ASSERT_TRUE(file.Open("font.bin", kFileRead | kFileOwnHandle | kFileArchiveFile));
    FT_StreamRec stream{};
    stream.descriptor.pointer = &file;
    unsigned char bytes[8] = {};
    EXPECT_EQ(FontStreamRead(&stream, 6, bytes, 8), 4u);
    EXPECT_EQ(std::memcmp(bytes, "6789", 4), 0);
    EXPECT_EQ(FontStreamRead(&stream, 2, bytes, 0), 0u);
    EXPECT_EQ(FontStreamRead(&stream, 20, bytes, 2), 0u);
    FontStreamClose(&stream);
    EXPECT_FALSE(file.IsOpen());
}
