#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "GP_BinaryServer.h"
#include "GP_Font.h"
#include "GP_Form.h"
#include "GP_FormKinds.h"
#include "GP_IOManager.h"
#include "GP_ImageControl.h"
#include "GP_Label.h"
#include "GP_NameServer.h"
#include "GP_ServerSet.h"
#include "GP_Slider.h"
#include "PackTool.h"
#include "TempDir.h"
#include "platform/files.h"

using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

const char* const Manifest = R"(pack interface
group "Header" kind 0 dir "RESOURCE\HEADER\"
name "layers"
name "unused"
name "Forms test"
name "100"
name "0"
name "-"
name "-"
name "-"
name "InterfaceR.idf"
group "Pictures" kind 1 dir "RESOURCE\GRAPH\"
name "glyphs.bmp"
name "digits.bmp"
group "Fonts" kind 3 dir "RESOURCE\FONTS\"
font "Small" image "Pictures|glyphs.bmp" height 9 key 0x001F
  glyph "A" 0 0 6
  glyph "Я" 6 0 13
  glyph 32 13 0 16
group "Forms" kind 8 dir "RESOURCE\FORMS\"
form "Options" id 0xA0009 x 0 y 0 w 640 h 480 image -2 fill 0xF800 escapekey 0x90002
  label x 10 y 20 w 100 h 12 font "Fonts|Small" halign 1 fill 0 text 0x40001
  slider x 100 y 40 w 8 h 8 lowpos 100 highpos 300 lowvalue 0 highvalue 100 var 0xD0001
  number x 5 y 5 w 60 h 10 digits "Pictures|digits.bmp" digitwidth 6 places 6 digitkey 0 zeros 1
)";

}  // namespace

TEST(PackToolInterface, FormsAndFontsAreWrittenAsTheEngineReadsThem)
{
    TempDir dir;
    WriteFile(dir / "m.txt", Manifest);
    std::ostringstream out, err;
    ASSERT_EQ(packtool::RunPackTool({"build", dir / "m.txt", dir / "InterfaceR.idf"}, out, err), 0) << err.str();

    std::FILE* pack = platform::OpenFile(dir / "InterfaceR.idf", "rb");
    ASSERT_NE(pack, nullptr);
    std::uint32_t trailer = 0;
    ASSERT_EQ(std::fread(&trailer, 4, 1, pack), 1u);
    std::fseek(pack, trailer + 4, SEEK_SET);
    CGP_NameServer names;
    names.Load(pack, true);
    {
        CGP_IOManager io(nullptr, pack, &names, nullptr);  // the interface pack is the second
        CGP_ServerSet servers(nullptr, &io, nullptr, 1033);

        ASSERT_TRUE(servers.binary->OpenRead(names.FindID("Small", 2)));
        CGP_Font font;
        font.Read(&servers);
        EXPECT_EQ(font.lineHeight, 9);
        EXPECT_EQ(font.header.useColorKey, 1);
        EXPECT_EQ(font.header.colorKey, 0x001F);
        EXPECT_EQ(font.header.imageID, names.FindID("glyphs.bmp", 1));
        EXPECT_EQ(font.glyphs['A'].right, 6);
        EXPECT_EQ(font.glyphs[0xDF].left, 6);  // Я in Windows-1251
        EXPECT_EQ(font.glyphs[0xDF].bottom, 9);
        EXPECT_EQ(font.glyphs[' '].Width(), 3);

        // The form's records, read as its loader reads them (without the pictures, which need a display).
        ASSERT_TRUE(servers.binary->OpenRead(names.FindID("Options", 3)));
        GP_FormBlock block{};
        servers.binary->ReadData(&block, sizeof block);
        EXPECT_EQ(block.type, GP_TypeForm);
        EXPECT_EQ(block.formID, 0xA0009u);
        EXPECT_EQ(block.controlCount, 3);
        EXPECT_EQ(block.imageID, GP_NoImage);
        EXPECT_EQ(block.fillColor, 0xF800u);
        EXPECT_EQ(block.escapeKeyAction, 0x90002u);
        EXPECT_EQ(block.enterKeyAction, GP_NoID);
        CGP_Form form(nullptr, nullptr, nullptr);
        const std::uint32_t kinds[] = {GP_KindLabel, GP_KindSlider, GP_KindNumericDisplay};
        for (std::uint32_t kind : kinds) {
            std::uint32_t stored = 0;
            servers.binary->Read(stored);
            ASSERT_EQ(stored, kind);
            auto control = GP_CreateControl(kind, &form, nullptr, nullptr);
            control->Read(&servers);
            form.AddControl(std::move(control));
        }
        const auto& label = *form.GetControl(0)->Block<GP_LabelBlock>();
        EXPECT_EQ(label.fontID, names.FindID("Small", 2));
        EXPECT_EQ(label.horizontalAlignment, 1);
        EXPECT_EQ(label.fill, 0);
        EXPECT_FLOAT_EQ(label.y, 20);
        const auto& slider = *form.GetControl(1)->Block<GP_SliderBlock>();
        EXPECT_EQ(slider.highestPosition, 300);
        EXPECT_EQ(slider.valueVariable, 0xD0001u);
        const auto& number = *form.GetControl(2)->Block<GP_ImageControlBlock>();
        EXPECT_EQ(number.digitStripID, names.FindID("digits.bmp", 1));
        EXPECT_EQ(number.digitsUseColorKey, 1u);
        EXPECT_EQ(number.leadingZeros, 1);
    }
    std::fclose(pack);
}

TEST(PackToolInterface, FaultsInFormsAndFontsAreReportedWithTheirLine)
{
    const std::string head = "pack interface\ngroup \"H\" kind 0 dir \"RESOURCE\\H\\\"\n";
    const std::pair<std::string, std::string> cases[] = {
        {head + "form \"f\" x\n", "line 3: every option needs a value"},
        {head + "form \"f\" colour 3\n", "line 3: no such option here: colour"},
        {head + "form \"f\"\n  spinner x 1\n", "line 4: no such kind of control: spinner"},
        {head + "form \"f\"\n  slider text 5\n", "line 4: no such option here: text"},
        {head + "form \"f\"\n  animation rate fast\n", "line 4: not a number: fast"},
        {head + "font \"s\" height 9\n", "line 3: a font needs its glyph picture"},
        {head + "font \"s\" image 1\n  glyph \"AB\" 0 0 1\n", "line 4: a glyph is one character"},
        {head + "font \"s\" image 1\n  glyph 256 0 0 1\n", "line 4: a character code is 0 to 255"},
        {head + "font \"s\" image 1\n  glyph 65 0 0\n", "line 4: write glyph <code> <left> <top> <right>"},
    };
    TempDir dir;
    for (const auto& [manifest, expected] : cases) {
        WriteFile(dir / "m.txt", manifest);
        std::ostringstream out, err;
        EXPECT_EQ(packtool::RunPackTool({"build", dir / "m.txt", dir / "p.idf"}, out, err), 1) << manifest;
        EXPECT_NE(err.str().find(expected), std::string::npos) << manifest << "\n--- said ---\n" << err.str();
    }
}
