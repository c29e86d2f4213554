#include <gtest/gtest.h>

#include <string>

#include "TempDir.h"
#include "platform/win32_profile.h"

using testsupport::TempDir;

namespace {

struct ProfileCase {
    const char* label;
    const char* section;
    const char* key;
    const char* value;
    const char* after;
};

}  // namespace

// Each edit starts from the same file; sections and keys are found without regard to case.
TEST(PrivateProfile, WritesSetRemoveAndAddKeysAndSections)
{
    const std::string before = "[Game]\r\nSpeed=2\r\nName=old\r\n[Sound]\r\nVolume=5\r\n";
    const ProfileCase cases[] = {
        {"a key is replaced in place", "game", "NAME", "new",
         "[Game]\r\nSpeed=2\r\nNAME=new\r\n[Sound]\r\nVolume=5\r\n"},
        {"a new key ends its section", "Game", "Level", "3",
         "[Game]\r\nSpeed=2\r\nName=old\r\nLevel=3\r\n[Sound]\r\nVolume=5\r\n"},
        {"a new key of the last section ends the file", "Sound", "Music", "1",
         "[Game]\r\nSpeed=2\r\nName=old\r\n[Sound]\r\nVolume=5\r\nMusic=1\r\n"},
        {"a new section is added at the end", "Video", "Mode", "1",
         "[Game]\r\nSpeed=2\r\nName=old\r\n[Sound]\r\nVolume=5\r\n[Video]\r\nMode=1\r\n"},
        {"a null value removes the key", "Game", "speed", nullptr, "[Game]\r\nName=old\r\n[Sound]\r\nVolume=5\r\n"},
        {"a null key removes the section", "GAME", nullptr, nullptr, "[Sound]\r\nVolume=5\r\n"},
    };
    TempDir dir;
    const std::string path = dir / "Config.INI";
    for (const ProfileCase& c : cases) {
        testsupport::WriteFile(path, before);
        EXPECT_TRUE(WritePrivateProfileStringA(c.section, c.key, c.value, path.c_str())) << c.label;
        EXPECT_EQ(testsupport::ReadFile(path), c.after) << c.label;
    }
}
