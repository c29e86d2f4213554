#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "GP_Registry.h"

namespace {

constexpr const char* kSettingsPath = "Software\\Morvadel\\Velmorine\\";

class RegistryStore : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(settings.Create()); }

    CGP_Registry settings{HKEY_CURRENT_USER, kSettingsPath};
};

TEST_F(RegistryStore, EachFormReadsBackAsWritten)
{
    EXPECT_TRUE(settings.SetByte("Byte", 0xAB));
    EXPECT_TRUE(settings.SetWord("Word", 0xBEEF));
    EXPECT_TRUE(settings.SetDword("Dword", 0xDEADBEEF));
    EXPECT_TRUE(settings.SetString("Text", "40C"));
    std::uint8_t byte = 0;
    std::uint16_t word = 0;
    std::uint32_t dword = 0;
    std::unique_ptr<char[]> text;
    EXPECT_TRUE(settings.QueryByte("Byte", byte));
    EXPECT_TRUE(settings.QueryWord("Word", word));
    EXPECT_TRUE(settings.QueryDword("Dword", dword));
    ASSERT_TRUE(settings.QueryString("Text", text));
    EXPECT_EQ(byte, 0xAB);
    EXPECT_EQ(word, 0xBEEF);
    EXPECT_EQ(dword, 0xDEADBEEFu);
    EXPECT_STREQ(text.get(), "40C");

    // Numbers are binary values of their exact length.
    HKEY raw = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsPath, 0, KEY_READ, &raw), ERROR_SUCCESS);
    for (const auto& [name, size] : {std::pair{"Byte", 1u}, {"Word", 2u}, {"Dword", 4u}, {"Text", 4u}}) {
        DWORD type = 0, stored = 0;
        EXPECT_EQ(RegQueryValueExA(raw, name, nullptr, &type, nullptr, &stored), ERROR_SUCCESS);
        EXPECT_EQ(stored, size) << name;
        EXPECT_EQ(type, std::string(name) == "Text" ? DWORD{REG_SZ} : DWORD{REG_BINARY}) << name;
    }
    RegCloseKey(raw);
}

TEST_F(RegistryStore, AValueLongerThanItsTargetFailsAndAShorterOneFillsOnlyItsOwnBytes)
{
    ASSERT_TRUE(settings.SetDword("Dword", 7));
    std::uint8_t byte = 0x55;
    EXPECT_FALSE(settings.QueryByte("Dword", byte));
    ASSERT_TRUE(settings.SetByte("Byte", 0x12));
    std::uint32_t dword = 0xAAAAAAAA;
    EXPECT_TRUE(settings.QueryDword("Byte", dword));
    EXPECT_EQ(dword, 0xAAAAAA12u);
}

TEST_F(RegistryStore, TextsUpTo1023CharactersReadBackAndLongerOnesFail)
{
    std::unique_ptr<char[]> text;
    ASSERT_TRUE(settings.SetString("Text", std::string(1023, 'x').c_str()));
    ASSERT_TRUE(settings.QueryString("Text", text));
    EXPECT_EQ(std::string(text.get()), std::string(1023, 'x'));
    ASSERT_TRUE(settings.SetString("Text", std::string(1024, 'y').c_str()));
    EXPECT_FALSE(settings.QueryString("Text", text));
}

TEST_F(RegistryStore, ATextStoredWithoutItsZeroStillEndsInOne)
{
    HKEY raw = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsPath, 0, KEY_ALL_ACCESS, &raw), ERROR_SUCCESS);
    const std::string full(1024, 'z');
    ASSERT_EQ(RegSetValueExA(raw, "Text", 0, REG_SZ, reinterpret_cast<const BYTE*>(full.data()), 1024), ERROR_SUCCESS);
    RegCloseKey(raw);
    std::unique_ptr<char[]> text;
    ASSERT_TRUE(settings.QueryString("Text", text));
    EXPECT_EQ(std::string(text.get()), full);
}

TEST(RegistryStoreKey, EveryValueOperationFailsBeforeCreateAndAfterClose)
{
    CGP_Registry key(HKEY_CURRENT_USER, kSettingsPath);
    for (int round = 0; round < 2; ++round) {
        std::uint8_t byte = 0;
        std::uint16_t word = 0;
        std::uint32_t dword = 0;
        std::unique_ptr<char[]> text;
        EXPECT_FALSE(key.SetString("Text", "a"));
        EXPECT_FALSE(key.SetByte("Byte", 1));
        EXPECT_FALSE(key.SetWord("Word", 1));
        EXPECT_FALSE(key.SetDword("Dword", 1));
        EXPECT_FALSE(key.QueryString("Text", text));
        EXPECT_FALSE(key.QueryByte("Byte", byte));
        EXPECT_FALSE(key.QueryWord("Word", word));
        EXPECT_FALSE(key.QueryDword("Dword", dword));
        EXPECT_FALSE(key.Flush());
        EXPECT_FALSE(key.Close());
        ASSERT_TRUE(key.Create());
        ASSERT_TRUE(key.Close());
    }
}

TEST(RegistryStoreKey, ValuesPersistAcrossInstancesAndTheChoosersSpellingFindsThem)
{
    {
        CGP_Registry game(HKEY_CURRENT_USER, kSettingsPath);
        ASSERT_TRUE(game.Create());
        ASSERT_TRUE(game.SetWord("KeyLeft", 37));
        ASSERT_TRUE(game.Flush());
    }
    CGP_Registry chooser(HKEY_CURRENT_USER, "SOFTWARE\\Morvadel\\Velmorine");
    ASSERT_TRUE(chooser.Create());
    std::uint16_t key = 0;
    EXPECT_TRUE(chooser.QueryWord("keyleft", key));
    EXPECT_EQ(key, 37);
}

}  // namespace
