#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "TempDir.h"
#include "UiFixtures.h"
#include "foundation/FolderCollection.h"
#include "frames/FrameImageModel.h"
#include "ui/FrameWindow.h"
#include "ui/SkinData.h"
#include "ui/SkinLibrary.h"
#include "ui/TileTexture.h"
#include "ui/ToolkitStatics.h"

using namespace ui_test;
using platform::Rect;

// A skin whose reading asks the library for itself.
class CSelfLoadingSkin : public CSkinTheme {
    DECLARE_PERSISTENT_CLASS(CSelfLoadingSkin)
public:
    CSelfLoadingSkin() { ConstructOwnMembers(); }
    ~CSelfLoadingSkin() override { DestroyOwnMembers(); }
    void AfterLoad(ReferenceSlot*) override { SkinLibrary::Get().Load(SkinLibrary::Get().Find("Loop")); }
};

IMPLEMENT_PERSISTENT_CLASS(CSelfLoadingSkin, CSkinTheme, 1.0f, nullptr)

namespace {

// Keys in skin files are the property names after their group's '/'.
// A texture set in its own folder: "blank" (item 0, as index 0 means none) and an 8 x 8 "checker".
class Skins : public testing::Test {
protected:
    void SetUp() override
    {
        DefaultTestFont();
        SetDisplayBitDepth(16);
        InstallFrameImageModel();
        folder = std::string("SkinFixture-") + testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
                 std::to_string(::getpid());
        std::filesystem::create_directories(folder + "/Textures");
        WriteTexture("blank", 0);
        WriteTexture("checker", 255);
        textures = std::make_unique<FrameFolderCollection>();
        textures->LoadFromFolder(nullptr, (folder + "/Textures").c_str(), 0);
        SetToolkitPictureSets(nullptr, textures.get());
    }
    void TearDown() override
    {
        SetToolkitPictureSets(nullptr, nullptr);
        textures.reset();
        std::filesystem::remove_all(folder);
    }
    void WriteTexture(const char* name, int level, int width = 8, int height = 8)
    {
        CFrame frame;
        frame.Create(width, height, 32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                frame.SetPixel(x, y, (x + y) % 2 ? MakeColor(level, 0, 0) : MakeColor(0, 0, level));
        ASSERT_TRUE(frame.WriteCompressedTga((folder + "/Textures/" + name + ".TGA").c_str(), 0));
    }

    std::string folder;
    std::unique_ptr<FrameFolderCollection> textures;
};

constexpr char kAlphaSkin[] =
    "CJWindowAlphaTheme\r\n{\r\n"
    "\tOptions=CAlphaSkinData\r\n\t{\r\n"
    "\t\tBackground Color=10,20,30,255\r\n"
    "\t\tMargin=5\r\n"
    "\t\tSpace Between Controls=3\r\n"
    "\t\tWindow Border=CAlphaSkinBorder\r\n\t\t{\r\n"
    "\t\t\tBackground Texture=checker\r\n"
    "\t\t\tTitle Plate=checker\r\n"
    "\t\t\tLeft Side Offset=2\r\n"
    "\t\t}\r\n"
    "\t\tListBox Border=CClassicSkinBorder\r\n\t\t{\r\n"
    "\t\t\tTexture Margin=3\r\n"
    "\t\t}\r\n"
    "\t}\r\n"
    "}\r\n";

TEST_F(Skins, AnAlphaThemeFileReadsItsNestedBordersAndWritesBackTheSame)
{
    const std::string path = folder + "/Plain.JWindowSkin";
    testsupport::WriteFile(path, kAlphaSkin);
    std::unique_ptr<CObject> read(CObject::CreateFromFile(path.c_str(), 0, false, nullptr));
    auto* theme = dynamic_cast<CJWindowAlphaTheme*>(read.get());
    ASSERT_NE(theme, nullptr);
    ASSERT_NE(theme->GetOptions(), nullptr);
    EXPECT_EQ(theme->GetOptions()->GetMargin(), 5);
    EXPECT_TRUE(theme->GetOptions()->GetWindowBorder()->IsKindOf(CAlphaSkinBorder::GetStaticClassInfo()));
    EXPECT_TRUE(theme->GetOptions()->GetListBoxBorder()->IsKindOf(CClassicSkinBorder::GetStaticClassInfo()));

    const std::string again = folder + "/Again.JWindowSkin";
    ASSERT_TRUE(theme->SaveToFile(again.c_str(), 0));
    std::unique_ptr<CObject> reread(CObject::CreateFromFile(again.c_str(), 0, false, nullptr));
    const std::string copy = folder + "/Copy.JWindowSkin";
    ASSERT_TRUE(static_cast<CJWindowAlphaTheme*>(reread.get())->SaveToFile(copy.c_str(), 0));
    std::ifstream a(again), b(copy);
    const std::string first((std::istreambuf_iterator<char>(a)), {}), second((std::istreambuf_iterator<char>(b)), {});
    EXPECT_EQ(first, second);
    EXPECT_NE(first.find("Top Center Decal=checker"), std::string::npos) << "\"Title Plate\" is its older name";
    EXPECT_NE(first.find("Background Texture=checker"), std::string::npos);
    EXPECT_NE(first.find("Texture Margin=3"), std::string::npos);
}

TEST_F(Skins, TheAlphaThemeGivesWindowsItsColoursAndMarginsAndTheClassicOneTheParentsFont)
{
    const std::string path = folder + "/Plain.JWindowSkin";
    testsupport::WriteFile(path, kAlphaSkin);
    std::unique_ptr<CObject> read(CObject::CreateFromFile(path.c_str(), 0, false, nullptr));
    auto* theme = static_cast<CJWindowAlphaTheme*>(read.get());
    CJWindow parent(nullptr, "parent");
    parent.SetTheme(theme);
    CJWindow child(&parent, "child");
    EXPECT_EQ(child.GetEdgeMargin(), 5);
    EXPECT_EQ(child.GetControlSpacing(), 3);
    EXPECT_EQ(child.GetBackgroundColor().ToRgbWord(), 0x0A141Eu);
    EXPECT_EQ(child.GetFont(), toolkit::GetDefaultFont()) << "general font 0 is the default font";

    auto other = MakeFont(20.0f);
    CJWindow classicParent(nullptr, "classic");
    classicParent.SetFont(other.get());
    CJWindow classicChild(&classicParent, "child");
    EXPECT_EQ(classicChild.GetFont(), other.get());
}

TEST_F(Skins, BordersWithoutCornerMasksCoverTheirWholeRectAndClassicFramesDrawTwoRings)
{
    CFrame frame;
    frame.Create(64, 64, 16);
    CJWindow window(nullptr, "w");
    CAlphaSkinBorder alpha;
    alpha.DrawBorder(&window, &frame, Rect{4, 4, 60, 60}, true);
    const std::uint32_t filled = frame.GetPixelValue(30, 30);
    EXPECT_NE(filled, 0u) << "filled with the background colour";
    EXPECT_EQ(frame.GetPixelValue(4, 59), filled);
    EXPECT_EQ(frame.GetPixelValue(3, 30), 0u);

    // Textures are laid edge to edge from the rect's corner and cut at its far edges.
    CFrame checker;
    checker.Create(2, 2, 16);
    checker.SetPixel(0, 0, MakeColor(255, 0, 0));
    checker.SetPixel(1, 1, MakeColor(255, 0, 0));
    frame.Clear();
    TileTexture(&frame, &checker, Rect{4, 4, 9, 9});
    EXPECT_NE(frame.GetPixelValue(4, 4), 0u);
    EXPECT_EQ(frame.GetPixelValue(5, 4), 0u);
    EXPECT_NE(frame.GetPixelValue(8, 8), 0u);
    EXPECT_EQ(frame.GetPixelValue(9, 9), 0u);

    CClassicSkinBorder classic;
    frame.Fill(MakeColor(100, 100, 100));
    const std::uint32_t grey = frame.GetPixelValue(0, 0);
    classic.DrawFrame(&window, &frame, Rect{10, 10, 30, 30});
    EXPECT_GT(frame.GetPixelValue(10, 20), grey);
    EXPECT_GT(frame.GetPixelValue(11, 20), grey);
    EXPECT_EQ(frame.GetPixelValue(12, 20), grey);
    EXPECT_LT(frame.GetPixelValue(29, 20), grey);
    EXPECT_LT(frame.GetPixelValue(28, 20), grey);
}

TEST_F(Skins, CornerMasksShowTheTextureThroughTheirAlphaInLineWithTheBands)
{
    // A texture red in its columns 0 to 3 and blue in 4 to 7, kept plain for the wrapped copy; a 4 x 4 mask opaque
    // but for its pixel (1, 1), run-encoded without fills so that every pixel takes the texture.
    const std::string textures = folder + "/Textures/";
    CFrame stripes;
    stripes.Create(8, 8, 32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            stripes.SetPixel(x, y, x < 4 ? MakeColor(255, 0, 0, 255) : MakeColor(0, 0, 255, 255));
    ASSERT_TRUE(stripes.WriteCompressedTga((textures + "stripes.TGA").c_str(), 0));
    testsupport::WriteFile(textures + "stripes.txt", "CStandAloneFrame\r\n{\r\n\tRun Length Encode=0\r\n}\r\n");
    CFrame mask;
    mask.Create(4, 4, 32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) mask.SetPixel(x, y, MakeColor(255, 255, 255, x == 1 && y == 1 ? 0 : 255));
    ASSERT_TRUE(mask.WriteCompressedTga((textures + "mask.TGA").c_str(), 0));
    testsupport::WriteFile(textures + "mask.txt", "CStandAloneFrame\r\n{\r\n\tRLE All Copy=1\r\n}\r\n");
    const std::string path = folder + "/Border.txt";
    testsupport::WriteFile(path,
                           "CAlphaSkinBorder\r\n{\r\n\tBackground Texture=stripes\r\n\tTop Left Alpha=mask\r\n}\r\n");
    std::unique_ptr<CObject> read(CObject::CreateFromFile(path.c_str(), 0, false, nullptr));
    auto* border = dynamic_cast<CAlphaSkinBorder*>(read.get());
    ASSERT_NE(border, nullptr);
    ASSERT_NE(border->CornerAlpha(CAlphaSkinBorder::kTopLeft), nullptr);

    CFrame frame;
    frame.Create(64, 64, 16);
    CJWindow window(nullptr, "w");
    border->DrawBorder(&window, &frame, Rect{10, 10, 40, 40}, true);
    constexpr std::uint32_t red = 0xF800, blue = 0x001F;
    EXPECT_EQ(frame.GetPixelValue(10, 10), red) << "the corner shows the texture";
    EXPECT_EQ(frame.GetPixelValue(13, 10), red);
    EXPECT_EQ(frame.GetPixelValue(11, 11), 0u) << "but not where its mask is clear";
    EXPECT_EQ(frame.GetPixelValue(14, 10), blue) << "the top band goes on with the same pattern";
    EXPECT_EQ(frame.GetPixelValue(14, 15), blue);
    EXPECT_EQ(frame.GetPixelValue(18, 15), red);
}

// Only pictures the background can tile are offered: sides that are powers of two and plain pixels.
TEST_F(Skins, TheBackgroundTextureOffersOnlyTileablePictures)
{
    // Textures that wrap are loaded plain, as their descriptions ask.
    const char* plain = "CStandAloneFrame\r\n{\r\n\tRun Length Encode=0\r\n}\r\n";
    for (const char* name : {"square", "wide", "short"})
        testsupport::WriteFile(folder + "/Textures/" + name + ".txt", plain);
    WriteTexture("square", 255, 16, 16);
    WriteTexture("wide", 255, 12, 8);
    WriteTexture("short", 255, 8, 6);
    textures->LoadFromFolder(nullptr, (folder + "/Textures").c_str(), 0);
    auto* property = dynamic_cast<BackgroundTextureProperty*>(
        CClassicSkinBorder::GetStaticClassInfo()->FindProperty("Background Texture"));
    ASSERT_NE(property, nullptr);
    const std::unique_ptr<PropertyInfo> copy(property->Clone());
    EXPECT_NE(dynamic_cast<BackgroundTextureProperty*>(copy.get()), nullptr) << "copies offer the same";
    EXPECT_TRUE(property->AcceptsItem(textures->Find("square")));
    EXPECT_FALSE(property->AcceptsItem(textures->Find("checker"))) << "run-encoded pictures do not wrap";
    EXPECT_FALSE(property->AcceptsItem(textures->Find("wide")));
    EXPECT_FALSE(property->AcceptsItem(textures->Find("short")));
    EXPECT_FALSE(property->AcceptsItem(0)) << "index 0 is no picture";
}

TEST_F(Skins, ScanningTakesTheFirstFolderOrFallsBackToTheBaseFolder)
{
    testsupport::WriteFile(folder + "/A/Plain.JWindowSkin", kAlphaSkin);
    testsupport::WriteFile(folder + "/A/-Dark.JWindowSkin", kAlphaSkin);
    testsupport::WriteFile(folder + "/A/sub/plain.JWindowSkin", kAlphaSkin);
    SkinLibrary& library = SkinLibrary::Get();
    library.Scan((folder + "/A|" + folder + "/B").c_str(), 1);
    ASSERT_EQ(library.GetCount(), 3);
    EXPECT_STREQ(library.GetName(0), "Dark");
    EXPECT_STREQ(library.GetName(1), "Plain");
    EXPECT_STREQ(library.GetName(2), "sub/plain");
    EXPECT_EQ(library.Find("plain"), 1);
    EXPECT_EQ(library.GetPath(1), CString((folder + "/A/Plain.JWindowSkin").c_str()));
    EXPECT_NE(library.Load(1), nullptr);
    EXPECT_EQ(library.Load(-1), library.Load(0)) << "an unknown name gives the first skin";
    EXPECT_EQ(library.CreateSkin("nothing"), library.Load(0));

    testsupport::WriteFile(folder + "/Twins/Twin.JWindowSkin", kAlphaSkin);
    testsupport::WriteFile(folder + "/Twins/-twin.JWindowSkin", kAlphaSkin);
    library.Scan((folder + "/Twins").c_str(), 1);
    EXPECT_EQ(library.GetCount(), 1) << "names equal but for case and a leading '-' are one skin";

    library.Scan((folder + "/Empty").c_str(), 1);
    EXPECT_GT(library.GetCount(), 0) << "the base folder's skins are taken";
    bool sawOurs = false;
    for (int i = 0; i < library.GetCount(); ++i) sawOurs = sawOurs || CString(library.GetName(i)).Find("Plain") >= 0;
    EXPECT_TRUE(sawOurs);
    library.Scan("", 1);
}

TEST_F(Skins, ASkinThatLoadsItselfEndsTheProcess)
{
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    testsupport::WriteFile(folder + "/Loops/Loop.JWindowSkin", "CSelfLoadingSkin\r\n{\r\n}\r\n");
    SkinLibrary& library = SkinLibrary::Get();
    library.Scan((folder + "/Loops").c_str(), 1);
    ASSERT_EQ(library.Find("Loop"), 0);
    EXPECT_EXIT(library.Load(0), testing::ExitedWithCode(255),
                "Got stuck in an infinite loop while trying to load \"Loop\"");
    library.Scan("", 1);
}

}  // namespace
