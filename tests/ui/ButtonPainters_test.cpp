#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "TempDir.h"
#include "UiFixtures.h"
#include "foundation/FileSearch.h"
#include "foundation/Messages.h"
#include "ui/Button.h"
#include "ui/ButtonPainters.h"
#include "ui/SkinData.h"
#include "ui/SkinLibrary.h"
#include "ui/SkinnedPanel.h"
#include "ui/Themes.h"

using namespace ui_test;
using platform::Rect;

namespace {

// Keys in skin files are the property names after their group's '/'.
constexpr char kButtonSkin[] =
    "CJWindowAlphaTheme\r\n{\r\n"
    "\tOptions=CAlphaSkinData\r\n\t{\r\n"
    "\t\tMargin=6\r\n"
    "\t\tButton Border=CClassicSkinBorder\r\n\t\t{\r\n"
    "\t\t\tBackground Color=0,0,255,255\r\n"
    "\t\t}\r\n"
    "\t\tPressed Button Border=CClassicSkinBorder\r\n\t\t{\r\n"
    "\t\t\tBackground Color=255,0,0,255\r\n"
    "\t\t}\r\n"
    "\t}\r\n"
    "}\r\n";

constexpr std::uint32_t kBlue = 0x001F;
constexpr std::uint32_t kRed = 0xF800;

class Painters : public testing::Test {
protected:
    void SetUp() override
    {
        DefaultTestFont();
        SetDisplayBitDepth(16);
        folder = std::string("PainterFixture-") + testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
                 std::to_string(::getpid());
        std::filesystem::create_directories(folder);
        frame.Create(60, 30, 16);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::unique_ptr<CJWindowAlphaTheme> ReadSkin()
    {
        const std::string path = folder + "/Buttons.JWindowSkin";
        testsupport::WriteFile(path, kButtonSkin);
        return std::unique_ptr<CJWindowAlphaTheme>(
            dynamic_cast<CJWindowAlphaTheme*>(CObject::CreateFromFile(path.c_str(), 0, false, nullptr)));
    }

    std::string folder;
    CFrame frame;
};

TEST_F(Painters, TheClassicButtonIsRaisedAndSunkenWhenPressed)
{
    CJButton button(nullptr, "OK", nullptr);
    ASSERT_NE(dynamic_cast<ClassicButtonPainter*>(button.GetPainter()), nullptr);
    button.SizeToContent();
    CFont* font = button.GetFont();
    EXPECT_EQ(button.GetWidth(), font->MeasureWidth(CString("OK")) + button.GetBevelWidth() + 1);
    EXPECT_EQ(button.GetHeight(), font->GetLineHeight() + button.GetBevelWidth() + 1);

    button.SetRect(Rect::OfSize(40, 20));
    frame.Fill(MakeColor(100, 100, 100));
    const std::uint32_t grey = frame.GetPixelValue(50, 25);
    button.Draw(&frame);
    EXPECT_GT(frame.GetPixelValue(0, 10), grey) << "raised: light left edge";
    EXPECT_LT(frame.GetPixelValue(39, 10), grey) << "and dark right edge";

    button.SetChecked(1);  // draws pressed
    frame.Fill(MakeColor(100, 100, 100));
    button.Draw(&frame);
    EXPECT_LT(frame.GetPixelValue(0, 10), grey);
    EXPECT_GT(frame.GetPixelValue(39, 10), grey);
}

TEST_F(Painters, TheAlphaButtonDrawsTheBorderOfItsStateUntilTheBorderIsRemoved)
{
    auto theme = ReadSkin();
    ASSERT_NE(theme, nullptr);
    CJWindow parent(nullptr, "parent");
    parent.SetTheme(theme.get());
    CJButton button(&parent, "OK", nullptr);
    auto* painter = dynamic_cast<AlphaButtonPainter*>(button.GetPainter());
    ASSERT_NE(painter, nullptr);
    EXPECT_EQ(button.GetBevelWidth(), 2 * button.DialogUnit()) << "the space around the text, in dialog units";

    button.SetRect(Rect::OfSize(40, 20));
    button.Draw(&frame);
    EXPECT_EQ(frame.GetPixelValue(20, 2), kBlue);
    button.SetChecked(1);
    button.Draw(&frame);
    EXPECT_EQ(frame.GetPixelValue(20, 2), kRed) << "the pressed border while pressed";

    EXPECT_FALSE(button.PainterAcceptsProperty(MessageBase(RegisterMessageType("Something Else"))));
    EXPECT_TRUE(button.PainterAcceptsProperty(MessageBase(RegisterMessageType("Remove Button Border"))));
    EXPECT_TRUE(button.IsTransparent());
    frame.Clear();
    button.Draw(&frame);
    EXPECT_EQ(frame.GetPixelValue(20, 2), 0u);

    button.SizeToContent();
    CFont* font = button.GetFont();
    EXPECT_EQ(button.GetWidth(), font->MeasureWidth(CString("OK")) + 2 * button.GetBevelWidth() + 2);
}

TEST_F(Painters, ASkinnedPanelTakesItsSkinOrTheClassicThemeWithoutSkins)
{
    // Without skins in the folder the base folder is searched; only its own level, which holds none, so that
    // skins other tests write at the same time stay out of it.
    SkinLibrary& library = SkinLibrary::Get();
    library.Scan((folder + "/None").c_str(), FileSearchSpec::kNoDescent);
    ASSERT_EQ(library.GetCount(), 0);
    CJSkinnedPanel bare("Anything");
    EXPECT_EQ(bare.GetTheme(), &CJWindowClassicTheme::GetDefault());

    testsupport::WriteFile(folder + "/Skins/Buttons.JWindowSkin", kButtonSkin);
    library.Scan((folder + "/Skins").c_str(), 1);
    CJSkinnedPanel skinned("Buttons");
    EXPECT_EQ(skinned.GetTheme(), library.Load(0));
    EXPECT_EQ(skinned.GetEdgeMargin(), 6) << "the skin's settings are applied";
    library.Scan((folder + "/None").c_str(), FileSearchSpec::kNoDescent);
}

// A skin file that cannot be read is no skin, one that holds no theme is not taken for one, and one that names
// no class the library knows ends the process as every damaged object file does.
TEST_F(Painters, ASkinFileThatIsEmptyOrNoThemeLeavesThePanelClassicAndAJunkOneEndsTheProcess)
{
    struct Case {
        const char* name;
        const char* text;
        bool readable;
    };
    const Case cases[] = {{"Empty", "", false}, {"Border", "CAlphaSkinBorder\r\n{\r\n}\r\n", true}};
    SkinLibrary& library = SkinLibrary::Get();
    auto scanOnly = [&](const char* name, const std::string& text) {
        const std::string skins = folder + "/Damaged" + name;
        testsupport::WriteFile(skins + "/" + name + ".JWindowSkin", text);
        library.Scan(skins.c_str(), 1);
        return library.Find(name);
    };
    for (const Case& c : cases) {
        ASSERT_EQ(scanOnly(c.name, c.text), 0) << c.name;
        EXPECT_EQ(library.Load(0) != nullptr, c.readable) << c.name;
        CJSkinnedPanel panel(c.name);
        EXPECT_EQ(panel.GetTheme(), &CJWindowClassicTheme::GetDefault()) << c.name;
    }
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    ASSERT_EQ(scanOnly("Junk", std::string("\x01\xff\0junk{{", 9)), 0);
    EXPECT_EXIT(library.Load(0), testing::ExitedWithCode(255), "appears to have become corrupted");
    library.Scan((folder + "/None").c_str(), FileSearchSpec::kNoDescent);
}

}  // namespace
