#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "TempDir.h"
#include "platform/win32_registry.h"

using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;
using Bytes = std::vector<BYTE>;

namespace {

Bytes B(std::string_view text) { return Bytes(text.begin(), text.end()); }

// Each test gets a store of its own and puts the environment back afterwards.
class Registry : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const char* old = std::getenv("VEL_REGISTRY_FILE")) oldFile_ = old;
        ::setenv("VEL_REGISTRY_FILE", file.c_str(), 1);
    }
    void TearDown() override
    {
        ::setenv("VEL_REGISTRY_FILE", oldFile_.c_str(), 1);
        platform::SetRegistryReplaceHook(nullptr);
    }

    static HKEY Create(HKEY root, const char* path)
    {
        HKEY key = nullptr;
        EXPECT_EQ(
            RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
        return key;
    }
    static void Set(HKEY key, const char* name, DWORD type, const Bytes& data)
    {
        EXPECT_EQ(RegSetValueExA(key, name, 0, type, data.data(), static_cast<DWORD>(data.size())), ERROR_SUCCESS);
    }
    // The value's type and bytes, read through a fresh handle; type 0xFFFF when it cannot be read.
    static std::pair<DWORD, Bytes> Get(HKEY root, const char* path, const char* name)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return {0xFFFF, {}};
        DWORD type = 0;
        DWORD size = 0;
        Bytes data;
        LSTATUS status = RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
        if (status == ERROR_SUCCESS) {
            data.resize(size);
            status = RegQueryValueExA(key, name, nullptr, &type, data.data(), &size);
        }
        RegCloseKey(key);
        if (status != ERROR_SUCCESS) return {0xFFFF, {}};
        return {type, data};
    }

    TempDir dir;
    std::string file = dir / "config/registry.reg";

private:
    std::string oldFile_;
};

// Runs body in a child process and returns its exit code.
template <typename Body>
int InChild(Body body)
{
    const pid_t child = ::fork();
    if (child == 0) {
        body();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST_F(Registry, EveryKindOfValueReadsBackExactlyAndIsWrittenInRegFormat)
{
    struct Case {
        const char* name;
        DWORD type;
        Bytes data;
        const char* line;  // how the file shows it
    };
    const std::vector<Case> cases = {
        {"Language", REG_SZ, B(std::string_view("409\0", 4)), "\"Language\"=\"409\""},
        {"Unterminated", REG_SZ, B("407"), "\"Unterminated\"=hex(1):34,30,37"},
        {"Quoted", REG_SZ, B(std::string_view("a\"b\\c\0", 6)), "\"Quoted\"=\"a\\\"b\\\\c\""},
        {"Lines", REG_SZ, B(std::string_view("a\nb\0", 4)), "\"Lines\"=hex(1):61,0a,62,00"},
        {"Count", REG_DWORD, Bytes{10, 0, 0, 0}, "\"Count\"=dword:0000000a"},
        {"ShortDword", REG_DWORD, Bytes{1, 2}, "\"ShortDword\"=hex(4):01,02"},
        {"KeyLeft", REG_BINARY, Bytes{0x25, 0x00}, "\"KeyLeft\"=hex:25,00"},
        {"Empty", REG_BINARY, Bytes{}, "\"Empty\"=hex:"},
        {"Paths", REG_MULTI_SZ, B(std::string_view("a\0b\0\0", 5)), "\"Paths\"=hex(7):61,00,62,00,00"},
        {"", REG_SZ, B(std::string_view("default\0", 8)), "@=\"default\""},
    };
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\Morvadel\\Velmorine");
    for (const Case& c : cases) Set(key, c.name, c.type, c.data);
    RegCloseKey(key);

    const std::string text = ReadFile(file);
    EXPECT_EQ(text.rfind("Windows Registry Editor Version 5.00\n", 0), 0u);
    EXPECT_NE(text.find("\n[HKEY_CURRENT_USER\\Software\\Morvadel]\n"), std::string::npos);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_NE(text.find(std::string("\n") + c.line + "\n"), std::string::npos);
        EXPECT_EQ(Get(HKEY_CURRENT_USER, "Software\\Morvadel\\Velmorine", c.name), std::make_pair(c.type, c.data));
    }
}

TEST_F(Registry, PathsAndNamesIgnoreCaseAndKeepTheirFirstSpelling)
{
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\Morvadel\\Velmorine\\");
    Set(key, "Language", REG_SZ, B(std::string_view("409\0", 4)));
    RegCloseKey(key);

    HKEY other = Create(HKEY_CURRENT_USER, "SOFTWARE\\morvadel\\VELMORINE");
    Set(other, "LANGUAGE", REG_SZ, B("40C"));
    RegCloseKey(other);

    EXPECT_EQ(Get(HKEY_CURRENT_USER, "software\\MORVADEL\\velmorine", "language").second, B("40C"));
    const std::string text = ReadFile(file);
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Morvadel\\Velmorine]\n\"Language\"=hex(1):34,30,43"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("SOFTWARE"), std::string::npos);
    // The two roots are separate.
    EXPECT_EQ(Get(HKEY_LOCAL_MACHINE, "Software\\Morvadel\\Velmorine", "Language").first, 0xFFFFu);
}

TEST_F(Registry, SizeQueriesAndSmallBuffers)
{
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\Test");
    Set(key, "Text", REG_SZ, B("abc"));

    DWORD type = 0;
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "Text", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 3u);

    char small[2] = {'x', 'x'};
    size = sizeof small;
    EXPECT_EQ(RegQueryValueExA(key, "Text", nullptr, nullptr, reinterpret_cast<BYTE*>(small), &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 3u);

    // Text stored without its zero gets one after it when there is room; the size stays the stored one.
    char roomy[8];
    std::fill(std::begin(roomy), std::end(roomy), '#');
    size = sizeof roomy;
    EXPECT_EQ(RegQueryValueExA(key, "Text", nullptr, nullptr, reinterpret_cast<BYTE*>(roomy), &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 3u);
    EXPECT_STREQ(roomy, "abc");

    char exact[3];
    size = sizeof exact;
    EXPECT_EQ(RegQueryValueExA(key, "Text", nullptr, nullptr, reinterpret_cast<BYTE*>(exact), &size), ERROR_SUCCESS);
    EXPECT_EQ(std::string(exact, 3), "abc");

    EXPECT_EQ(RegQueryValueExA(key, "Text", nullptr, nullptr, reinterpret_cast<BYTE*>(exact), nullptr),
              ERROR_INVALID_PARAMETER);
    RegCloseKey(key);
}

TEST_F(Registry, FailuresAnswerWithTheirCodes)
{
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Missing", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
    EXPECT_FALSE(std::filesystem::exists(file)) << "opening must not create the store";

    HKEY created = Create(HKEY_CURRENT_USER, "Software\\Present");
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(created, "Nothing", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);

    HKEY readOnly = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Present", 0, KEY_READ, &readOnly), ERROR_SUCCESS);
    const BYTE one = 1;
    EXPECT_EQ(RegSetValueExA(readOnly, "Flag", 0, REG_BINARY, &one, 1), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegCloseKey(readOnly), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(readOnly), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegQueryValueExA(readOnly, "Flag", nullptr, nullptr, nullptr, &size), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegSetValueExA(created, "Flag", 0, REG_BINARY, nullptr, 1), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegFlushKey(created), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(created), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
}

TEST_F(Registry, CreateReportsWhetherTheKeyIsNewAndMakesEveryKeyOnTheWay)
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\A\\B", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    RegCloseKey(key);
    ASSERT_EQ(
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, "software\\a", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition),
        ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
    RegCloseKey(key);
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\A\\C", &key), ERROR_SUCCESS);
    RegCloseKey(key);

    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\A", 0, KEY_READ, &key), ERROR_SUCCESS);
    std::vector<std::string> children;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD chars = sizeof name;
        const LSTATUS status = RegEnumKeyExA(key, i, name, &chars, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) break;
        ASSERT_EQ(status, ERROR_SUCCESS);
        children.emplace_back(name, chars);
    }
    EXPECT_EQ(children, (std::vector<std::string>{"B", "C"}));
    RegCloseKey(key);
}

TEST_F(Registry, EnumeratesValuesInOrderAndAsksForRoomWhenBuffersAreSmall)
{
    HKEY key = Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Enum");
    Set(key, "First", REG_SZ, B(std::string_view("one\0", 4)));
    Set(key, "SecondValueWithALongName", REG_MULTI_SZ, B(std::string_view("x\0y\0\0", 5)));

    char name[8];
    BYTE data[4];
    DWORD chars = sizeof name;
    DWORD size = sizeof data;
    DWORD type = 0;
    ASSERT_EQ(RegEnumValueA(key, 0, name, &chars, nullptr, &type, data, &size), ERROR_SUCCESS);
    EXPECT_EQ(std::string(name, chars), "First");
    EXPECT_EQ(size, 4u);
    chars = sizeof name;
    size = sizeof data;
    EXPECT_EQ(RegEnumValueA(key, 1, name, &chars, nullptr, &type, data, &size), ERROR_MORE_DATA);

    char longName[64];
    chars = sizeof longName;
    size = sizeof data;
    EXPECT_EQ(RegEnumValueA(key, 1, longName, &chars, nullptr, &type, data, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 5u);
    chars = sizeof longName;
    EXPECT_EQ(RegEnumValueA(key, 2, longName, &chars, nullptr, &type, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
    RegCloseKey(key);
}

TEST_F(Registry, AValueWrittenByAnotherProcessIsReadHere)
{
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\Morvadel\\Velmorine");
    const int exitCode = InChild([] {
        HKEY child = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Morvadel\\Velmorine", 0, KEY_ALL_ACCESS, &child) !=
            ERROR_SUCCESS)
            ::_exit(2);
        const BYTE code[] = {'4', '0', '7'};
        ::_exit(RegSetValueExA(child, "Language", 0, REG_SZ, code, 3) == ERROR_SUCCESS ? 0 : 3);
    });
    ASSERT_EQ(exitCode, 0);
    // The handle opened before the other process wrote sees the new value.
    char text[16] = {};
    DWORD size = sizeof text;
    ASSERT_EQ(RegQueryValueExA(key, "Language", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size), ERROR_SUCCESS);
    EXPECT_EQ(std::string(text, size), "407");
    RegCloseKey(key);
}

TEST_F(Registry, ProcessesWritingAtOnceLoseNoValue)
{
    constexpr int kProcesses = 4;
    constexpr int kValues = 20;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const pid_t child = ::fork();
        if (child == 0) {
            HKEY key = nullptr;
            if (RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Shared", &key) != ERROR_SUCCESS) ::_exit(2);
            for (int v = 0; v < kValues; ++v) {
                const std::string name = "p" + std::to_string(p) + "v" + std::to_string(v);
                const DWORD number = static_cast<DWORD>(p * 100 + v);
                if (RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4) !=
                    ERROR_SUCCESS)
                    ::_exit(3);
            }
            ::_exit(0);
        }
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    for (int p = 0; p < kProcesses; ++p)
        for (int v = 0; v < kValues; ++v) {
            const std::string name = "p" + std::to_string(p) + "v" + std::to_string(v);
            const auto [type, data] = Get(HKEY_CURRENT_USER, "Software\\Shared", name.c_str());
            ASSERT_EQ(type, static_cast<DWORD>(REG_DWORD)) << name;
            EXPECT_EQ(data[0], static_cast<BYTE>(p * 100 + v));
        }
}

TEST_F(Registry, ACrashDuringAWriteLeavesTheOldStoreIntact)
{
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\Morvadel");
    Set(key, "VelmorineEMail", REG_SZ, B(std::string_view("old@example.org\0", 16)));
    const std::string before = ReadFile(file);

    const int exitCode = InChild([&] {
        platform::SetRegistryReplaceHook([](const char*) { ::_exit(42); });  // dies after the new text is written
        Set(key, "VelmorineEMail", REG_SZ, B(std::string_view("new@example.org\0", 16)));
        ::_exit(1);
    });
    ASSERT_EQ(exitCode, 42);
    EXPECT_EQ(ReadFile(file), before);
    EXPECT_EQ(Get(HKEY_CURRENT_USER, "Software\\Morvadel", "VelmorineEMail").second,
              B(std::string_view("old@example.org\0", 16)));

    // The half-done write does not stand in the way of the next one.
    Set(key, "VelmorineEMail", REG_SZ, B(std::string_view("next@example.org\0", 17)));
    EXPECT_EQ(Get(HKEY_CURRENT_USER, "Software\\Morvadel", "VelmorineEMail").second,
              B(std::string_view("next@example.org\0", 17)));
    RegCloseKey(key);
}

TEST_F(Registry, ADamagedFileKeepsWhatCanBeReadAndIsKeptAsideWhenReplaced)
{
    WriteFile(file,
              "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n"
              "\"Orphan\"=\"before any key\"\r\n"
              "[HKEY_CURRENT_USER\\Software\\Good]\r\n"
              "\"Text\"=\"fine\"\r\n"
              "\"Broken\"=\"no closing quote\r\n"
              "\"BadHex\"=hex:0g,12\r\n"
              "\"TooWide\"=hex:123\r\n"
              "\"BadDword\"=dword:123456789\r\n"
              "\"NoEquals\" \"x\"\r\n"
              "\"Deleted\"=-\r\n"
              "garbage line\r\n"
              "; a comment\r\n"
              "\"Wrapped\"=hex:01,02,\\\r\n"
              "  03,04\r\n"
              "[-HKEY_CURRENT_USER\\Software\\Gone]\r\n"
              "[HKEY_CURRENT_USER\\Software\\Unclosed\r\n"
              "\"Lost\"=\"its key line is broken\"\r\n"
              "[NOT_A_ROOT\\Key]\r\n"
              "[HKEY_CURRENT_USER\\Software\\Good]\r\n"
              "\"Count\"=dword:7\r\n"
              "\"Trunc\"=hex:0");
    const std::string damagedText = ReadFile(file);

    EXPECT_EQ(Get(HKEY_CURRENT_USER, "Software\\Good", "Text").second, B(std::string_view("fine\0", 5)));
    EXPECT_EQ(Get(HKEY_CURRENT_USER, "Software\\Good", "Wrapped").second, (Bytes{1, 2, 3, 4}));
    EXPECT_EQ(Get(HKEY_CURRENT_USER, "Software\\Good", "Count").second, (Bytes{7, 0, 0, 0}));
    EXPECT_EQ(Get(HKEY_CURRENT_USER, "Software\\Good", "Trunc").second, (Bytes{0}));
    for (const char* skipped : {"Orphan", "Broken", "BadHex", "TooWide", "BadDword", "NoEquals", "Deleted", "Lost"})
        EXPECT_EQ(Get(HKEY_CURRENT_USER, "Software\\Good", skipped).first, 0xFFFFu) << skipped;
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Unclosed", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);

    HKEY good = Create(HKEY_CURRENT_USER, "Software\\Good");
    Set(good, "After", REG_BINARY, Bytes{9});
    RegCloseKey(good);
    EXPECT_EQ(ReadFile(file + ".damaged"), damagedText);
    EXPECT_EQ(Get(HKEY_CURRENT_USER, "Software\\Good", "Wrapped").second, (Bytes{1, 2, 3, 4}));
    EXPECT_EQ(ReadFile(file).find("garbage"), std::string::npos);
}

TEST_F(Registry, EveryTruncationOfAStoreIsReadWithoutHarm)
{
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\Cut");
    Set(key, "Text", REG_SZ, B(std::string_view("quoted \"text\"\0", 14)));
    Set(key, "Bytes", REG_BINARY, Bytes{1, 2, 3, 4, 5, 6, 7, 8});
    Set(key, "Multi", REG_MULTI_SZ, B(std::string_view("a\0b\0\0", 5)));
    RegCloseKey(key);
    const std::string whole = ReadFile(file);
    for (std::size_t length = 0; length < whole.size(); ++length) {
        WriteFile(file, whole.substr(0, length));
        for (const char* name : {"Text", "Bytes", "Multi"}) Get(HKEY_CURRENT_USER, "Software\\Cut", name);
    }
}

TEST_F(Registry, AFileTooLargeToBeAStoreIsNeitherReadNorReplaced)
{
    WriteFile(file, "Windows Registry Editor Version 5.00\n" + std::string(17u << 20, ';'));
    const auto sizeBefore = std::filesystem::file_size(file);
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\X", &key), ERROR_BADDB);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "", 0, KEY_READ, &key), ERROR_BADDB);
    EXPECT_EQ(std::filesystem::file_size(file), sizeBefore);
}

TEST_F(Registry, WithoutAnOverrideTheStoreLivesInTheUsersConfigFolder)
{
    ::unsetenv("VEL_REGISTRY_FILE");
    const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
    const std::string savedXdg = oldXdg ? oldXdg : "";
    ::setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1);
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Morvadel", &key), ERROR_SUCCESS);
    RegCloseKey(key);
    if (oldXdg)
        ::setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_NE(ReadFile(dir / "Velmorine/registry.reg").find("[HKEY_CURRENT_USER\\Software\\Morvadel]"),
              std::string::npos);
}
