#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <string>
#include <thread>

#include "FoundationFixture.h"
#include "foundation/Clipboard.h"
#include "foundation/ConfigFile.h"
#include "foundation/FatalMessage.h"
#include "foundation/HostWindow.h"
#include "foundation/ModulePath.h"
#include "foundation/MutexLock.h"
#include "foundation/NamedList.h"
#include "foundation/PathHelpers.h"
#include "foundation/Programs.h"
#include "foundation/RegistryHelpers.h"
#include "foundation/TagText.h"
#include "foundation/Timing.h"
#include "platform/headless.h"
#include "platform/shell.h"
#include "platform/win32_desktop.h"
#include "platform/win32_registry.h"

namespace {

// A key of this test process alone: the suite's tests share one registry file.
std::string TestKey(const char* name) { return "Software\\VelTest\\" + std::to_string(::getpid()) + "\\" + name; }

void SetRaw(HKEY root, const std::string& subKey, const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(root, subKey.c_str(), &key), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(key);
}

}  // namespace

TEST(RegistryHelpers, HivesAndTypes)
{
    const std::string key = TestKey("Hives");
    const DWORD user = 1, machine = 2;
    SetRaw(HKEY_CURRENT_USER, key, "Number", REG_DWORD, &user, 4);
    SetRaw(HKEY_LOCAL_MACHINE, key, "Number", REG_DWORD, &machine, 4);
    SetRaw(HKEY_CURRENT_USER, key, "Text", REG_SZ, "user", 5);
    SetRaw(HKEY_LOCAL_MACHINE, key, "Text", REG_SZ, "machine", 8);
    SetRaw(HKEY_LOCAL_MACHINE, key, "Multi", REG_MULTI_SZ, "a\0b\0\0", 5);
    SetRaw(HKEY_LOCAL_MACHINE, key, "Empty", REG_SZ, "", 0);

    bool found = false;
    EXPECT_EQ(RegReadDword(key.c_str(), "Number", &found), 2);  // the machine's value wins for numbers
    EXPECT_TRUE(found);
    EXPECT_STREQ(RegReadString(key.c_str(), "Text", &found).GetText(), "user");  // the user's for texts
    RegReadString(key.c_str(), "Empty", &found);
    EXPECT_FALSE(found);
    EXPECT_EQ(RegReadDword(key.c_str(), "Missing", &found), 0);
    EXPECT_FALSE(found);
    // Numbers are read into 4 bytes: a longer value does not fit, a shorter one fills the low bytes.
    const std::uint8_t wide[8] = {1, 2, 3, 4, 5, 6, 7, 8}, narrow[2] = {0x34, 0x12};
    SetRaw(HKEY_LOCAL_MACHINE, key, "Long", REG_BINARY, wide, 8);
    EXPECT_EQ(RegReadDword(key.c_str(), "Long", &found), 0);
    EXPECT_FALSE(found);
    SetRaw(HKEY_CURRENT_USER, key, "Short", REG_BINARY, narrow, 2);
    EXPECT_EQ(RegReadDword(key.c_str(), "Short", &found), 0x1234);
    EXPECT_TRUE(found);
    CString text;
    EXPECT_TRUE(RegReadMachineString(key.c_str(), "Multi", &text));
    EXPECT_STREQ(text.GetText(), "a b");
    EXPECT_FALSE(RegReadMachineString(key.c_str(), "Number", &text));

    const std::string written = TestKey("Written");
    EXPECT_FALSE(RegKeyExists(written.c_str()));
    EXPECT_TRUE(RegWriteDword(written.c_str(), "Count", -7));
    EXPECT_EQ(RegReadDword(written.c_str(), "Count", &found), -7);
    EXPECT_TRUE(RegWriteString(written.c_str(), "Name", "value"));
    EXPECT_STREQ(RegReadString(written.c_str(), "Name", &found).GetText(), "value");
    EXPECT_TRUE(RegKeyExists(written.c_str()));
    EXPECT_TRUE(RegEnsureKey(TestKey("Ensured").c_str()));
    EXPECT_TRUE(RegKeyExists(TestKey("Ensured").c_str()));
}

TEST(RegistryHelpers, FindValuesInAKeyAndItsSubKeys)
{
    const std::string key = TestKey("Find");
    SetRaw(HKEY_LOCAL_MACHINE, key, "GamePath", REG_SZ, "c:\\games", 9);
    SetRaw(HKEY_LOCAL_MACHINE, key, "Other", REG_SZ, "x", 2);
    SetRaw(HKEY_LOCAL_MACHINE, key + "\\Sub", "gamepath", REG_MULTI_SZ, "d\0e\0\0", 5);
    const DWORD number = 5;
    SetRaw(HKEY_LOCAL_MACHINE, key + "\\Sub", "GamePathNumber", REG_DWORD, &number, 4);
    KeyedValueList names, values;
    RegFindValues(key.c_str(), "GAMEPATH", &names, &values, false);
    ASSERT_EQ(names.Count(), 2);
    ASSERT_EQ(values.Count(), 2);
    EXPECT_STREQ(names.ItemNameText(0), "GamePath");
    EXPECT_STREQ(values.ItemNameText(0), "c:\\games");
    EXPECT_STREQ(values.ItemNameText(1), "d e");
    names.Clear();
    values.Clear();
    RegFindValues(key.c_str(), "gamepath", &names, &values, true);
    ASSERT_EQ(names.Count(), 1);
    EXPECT_STREQ(values.ItemNameText(0), "d e");
}

using ConfigTest = FileLayerTest;

TEST_F(ConfigTest, SettingsFile)
{
    std::filesystem::current_path(dir.path());
    EXPECT_STREQ(GetConfigFileName(), ".\\Config.INI");
    EXPECT_EQ(ReadConfigInt(GetConfigFileName(), "Window", "Width", 640), 640);
    EXPECT_TRUE(WriteConfigInt(GetConfigFileName(), "  Main Window", "Width", 800));
    EXPECT_TRUE(WriteConfigInt(GetConfigFileName(), "Main Window", "Position X", -12));
    EXPECT_TRUE(WriteConfigInt(GetConfigFileName(), "Other", "Width", 1));
    EXPECT_TRUE(WriteConfigInt(GetConfigFileName(), "main window", "WIDTH", 1024));
    EXPECT_EQ(ReadConfigInt(GetConfigFileName(), " Main Window", "width", 0), 1024);
    EXPECT_EQ(ReadConfigInt(GetConfigFileName(), "Main Window", "Position X", 0), -12);
    EXPECT_EQ(ReadConfigInt(GetConfigFileName(), "Other", "Width", 0), 1);
    EXPECT_EQ(Read("Config.INI"), "[Main Window]\r\nWIDTH=1024\r\nPosition X=-12\r\n[Other]\r\nWidth=1\r\n");

    ASSERT_TRUE(SetReadOnly("Config.INI", true));
    EXPECT_TRUE(WriteConfigInt(GetConfigFileName(), "Other", "Height", 2));  // made writable first
    EXPECT_EQ(ReadConfigInt(GetConfigFileName(), "Other", "Height", 0), 2);
}

TEST(Programs, CommandLinesAreQuotedAndBounded)
{
    platform::ClearRecordedShellRequests();
    HANDLE process = nullptr;
    EXPECT_TRUE(RunProgram("x.exe", nullptr, 1, &process, "Update"));
    EXPECT_TRUE(RunProgram("c:\\a b\\x.exe", "y", 0, nullptr, nullptr));
    EXPECT_FALSE(RunProgram("x.exe", std::string(1020, 'a').c_str(), 0, nullptr, nullptr));
    EXPECT_TRUE(OpenWithShell("http://example.invalid/page"));
    const std::vector<platform::ShellRequest> requests = platform::RecordedShellRequests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].text, "\"x.exe\"");
    EXPECT_TRUE(requests[0].hidden);
    EXPECT_EQ(requests[0].folder, "Update");
    EXPECT_EQ(requests[1].text, "\"c:\\a b\\x.exe\" \"y\"");
    EXPECT_FALSE(requests[1].hidden);
    EXPECT_EQ(requests[2].kind, "open");
    EXPECT_EQ(platform::SplitCommandLine(requests[1].text.c_str()), (std::vector<std::string>{"c:\\a b\\x.exe", "y"}));
}

TEST(Programs, ARealProgramRunsAndEnds)
{
    platform::HeadlessSettings settings = platform::GetHeadlessSettings();
    platform::HeadlessSettings real = settings;
    real.headless = false;
    platform::SetHeadlessSettings(real);
    HANDLE process = nullptr;
    EXPECT_TRUE(RunProgram("/bin/true", nullptr, 1, &process, "/"));
    ASSERT_NE(process, nullptr);
    for (int i = 0; i < 500 && IsProcessRunning(process); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(IsProcessRunning(process));
    EXPECT_FALSE(RunProgram("/no/such/program", nullptr, 1, &process, nullptr));
    platform::SetHeadlessSettings(settings);
}

TEST(Clipboard, TextAndNamedFormatsAreAlwaysTerminated)
{
    Clipboard& clipboard = Clipboard::Instance();
    EXPECT_TRUE(clipboard.CopyText("first"));
    const char* first = clipboard.PasteText();
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(first, "first");
    EXPECT_TRUE(clipboard.CopyBytes("second and more", 6));
    EXPECT_STREQ(clipboard.PasteText(), "second");  // the first paste's buffer is freed now

    const char raw[3] = {'a', 'b', 'c'};  // no terminator of its own
    EXPECT_TRUE(SetClipboardBytes("Velmorine Score", raw, 3));
    int size = 0;
    const char* pasted = clipboard.PasteFormat("velmorine score", &size);
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(size, 3);
    EXPECT_STREQ(pasted, "abc");
    EXPECT_EQ(GetClipboardFormatId("TEXT"), 1u);
    EXPECT_NE(GetClipboardFormatId("Velmorine Score"), 1u);
    EXPECT_EQ(clipboard.PasteFormat("Never Set", &size), nullptr);
}

TEST(Timing, MulDivShiftAndTicks)
{
    struct Case {
        int number, denominator, shift, expected;
    } cases[] = {{3, 2, 0, 2}, {-3, 2, 0, -2}, {10, 4, 1, 5}, {7, 0, 3, MulDivFailed}, {1 << 20, 1, 12, MulDivFailed},
                 {5, 3, 32, 2}};
    for (const Case& c : cases)
        EXPECT_EQ(MulDivShift(c.number, c.denominator, c.shift), c.expected) << c.number << "/" << c.denominator;
    EXPECT_EQ(GetTicks24() & ~0xFFFFFFu, 0u);
    EXPECT_GT(PerfFrequency(), 0);
    const std::int64_t before = PerfCounter();
    EXPECT_GE(PerfCounter(), before);
}

TEST(MutexLock, TheOwnerMayLockAgainAndOthersWait)
{
    MutexLock lock;
    lock.Lock();
    lock.Lock();
    int shared = 0;
    std::thread other([&] {
        lock.Lock();
        shared = 2;
        lock.Unlock();
    });
    shared = 1;
    lock.Unlock();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(shared, 1);  // still held once
    lock.Unlock();
    other.join();
    EXPECT_EQ(shared, 2);
}

TEST(TagText, SafeNamesAndTags)
{
    EXPECT_STREQ(MakeSafeTagName(CString("What's up? A & B")).GetText(), "What_s_up__A___B");
    EXPECT_STREQ(MakeOpenTag(CString("Item")).GetText(), "<Item>");
    EXPECT_STREQ(MakeCloseTag(CString("Item")).GetText(), "</Item>");
}

TEST(FatalMessageDeathTest, ShowsItsBoxAndTheCallerEndsWithMinusOne)
{
    EXPECT_EQ(MainWindowHandle(), nullptr);
    EXPECT_EQ(MessageOwnerWindow(), GetDesktopWindow());  // no window of the library: the desktop owns the box
    HostWindow::Instance().BringToFront();                // nothing to bring while no host window is set
    EXPECT_EXIT(FatalMessageAndExit("Bad Zip file", "Unable to open zip file x/ x.zip . May be damaged file."),
                testing::ExitedWithCode(255), "MessageBox \"Bad Zip file\": Unable to open zip file x/ x.zip");
}

using ModuleTest = FileLayerTest;

TEST_F(ModuleTest, ModulePathAndFolder)
{
    char path[4096];
    SetModulePathOverride(nullptr);
    ASSERT_TRUE(GetModulePath(path, sizeof path));  // the program's own file
    EXPECT_NE(std::string(path).find("foundation_tests"), std::string::npos);
    SetModulePathOverride((dir.path().string() + "/Lib\\TollarineArcade.so").c_str());
    ASSERT_TRUE(GetModulePath(path, 8));
    EXPECT_EQ(std::strlen(path), 7u);
    ASSERT_TRUE(GetModuleFolder(path, sizeof path));
    EXPECT_EQ(std::string(path), dir.path().string() + "/Lib\\");
    std::filesystem::create_directories(dir.path() / "lib");
    EXPECT_TRUE(ChangeToModuleFolder());
    EXPECT_EQ(std::filesystem::current_path(), dir.path() / "lib");
    SetModulePathOverride(nullptr);
}
