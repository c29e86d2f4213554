#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DisplayFixture.h"
#include "GP_GraphServer.h"
#include "GP_IOManager.h"
#include "GP_Log.h"
#include "GP_NameServer.h"
#include "GP_ServerSet.h"
#include "PictureFiles.h"
#include "ResourceFixture.h"
#include "TempDir.h"

using namespace picturefiles;
using resourcetest::CatchFatal;

namespace {

std::string Mask(const std::vector<std::uint8_t>& runs, std::uint32_t count)
{
    std::string s;
    Put32(s, count);
    Put16(s, 0), Put16(s, 0);
    s.append(runs.begin(), runs.end());
    return s;
}

std::string White(int width, int height)
{
    // 24 bits, every pixel white.
    std::string bmp = MakeBmp({.bpp = 24, .width = width, .height = height});
    const size_t bitsAt = 14 + 40;
    for (size_t i = bitsAt; i < bmp.size(); ++i) bmp[i] = '\xFF';
    return bmp;
}

const std::string FormatText = "Ошибочный формат файла ";

}  // namespace

// A campaign pack with a group of pictures (kind 1) and a group of masks, read back as the game reads it.
class GraphServerTest : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        CGP_NameServer source;
        resourcetest::AddHeaderGroup(source, dir / "header/", 1);
        std::vector<std::pair<std::string, std::string>> pictures = {
            {"sky.bmp", MakeBmp({.bpp = 8})},
            {"photo.jpg", MakeJpeg(8, 8, true, {90, 90, 90}, {90, 90, 90})},
            {"PHOTO2.JPG", MakeJpeg(8, 8, false, {250, 0, 0}, {250, 0, 0})},
            {"anim.gif", "GIF89a"},
            {"dotted.", MakeBmp({})},
            {"white.bmp", White(3, 2)},
            {"spare.bmp", MakeBmp({.bpp = 24})},
        };
        for (const DamagedFile& d : DamagedBmps()) pictures.push_back({"bad " + d.name + ".bmp", d.bytes + " "});
        for (const DamagedFile& d : DamagedJpegs()) pictures.push_back({"bad " + d.name + ".jpg", d.bytes + " "});
        resourcetest::AddGroupWithFiles(source, dir / "pictures/", "Pictures", 1, 1, pictures);
        resourcetest::AddGroupWithFiles(
            source, dir / "masks/", "Masks", 0, 1,
            {{"cross", Mask({0x84, 0x02, 0x85}, 3)}, {"too long", Mask({0x81}, 0xFFFFFFF0)}});
        testsupport::WriteFile(dir / "header/layers", "LAYERS");
        CGP_IOManager(nullptr, nullptr, &source, nullptr).BuildPack((dir / "campaign.tdf").c_str());

        pack = platform::OpenFile(dir / "campaign.tdf", "rb");
        ASSERT_NE(pack, nullptr);
        resourcetest::LoadPackTable(names, pack);
        io = std::make_unique<CGP_IOManager>(pack, nullptr, &names, nullptr);
        servers = std::make_unique<CGP_ServerSet>(nullptr, io.get(), nullptr, 1033);
        graphics = servers->graphics.get();
    }
    void TearDown() override
    {
        servers.reset();
        io.reset();
        if (pack) std::fclose(pack);
        DisplayTest::TearDown();
    }

    std::uint32_t Picture(const std::string& name) { return names.FindID(name.c_str(), 1); }
    std::uint32_t MaskId(const char* name) { return names.FindID(name, 2); }

    testsupport::TempDir dir;
    std::FILE* pack = nullptr;
    CGP_NameServer names;
    std::unique_ptr<CGP_IOManager> io;
    std::unique_ptr<CGP_ServerSet> servers;
    CGP_GraphServer* graphics = nullptr;
};

TEST_F(GraphServerTest, SameIdGivesTheSameSurfaceAndIgnoresTheSecondMask)
{
    ASSERT_EQ(graphics->slotCount, static_cast<int>(7 + DamagedBmps().size() + DamagedJpegs().size()));
    std::uint8_t already = 9;
    CGP_Surface* sky = graphics->LoadSurface(Picture("sky.bmp"), 0xFFFFFFFF, 0, &already);
    ASSERT_NE(sky, nullptr);
    EXPECT_EQ(already, 0);
    EXPECT_EQ(sky->width, 3);
    EXPECT_EQ(PixelAt(*sky, 0, 0), Expected565(Colours[ColourAt(0, 0, 8)]));
    EXPECT_EQ(PixelAt(*sky, 2, 1), Expected565(Colours[ColourAt(2, 1, 8)]));
    EXPECT_EQ(graphics->LoadSurface(Picture("sky.bmp"), MaskId("cross"), 0, &already), sky);
    EXPECT_EQ(already, 1);
    EXPECT_EQ(PixelAt(*sky, 2, 1), Expected565(Colours[ColourAt(2, 1, 8)]));
}

TEST_F(GraphServerTest, JpegInEitherCaseLoadsAndOtherTypesAreFormatErrors)
{
    EXPECT_NE(graphics->LoadSurface(Picture("photo.jpg"), 0xFFFFFFFF, 0, nullptr), nullptr);
    CGP_Surface* red = graphics->LoadSurface(Picture("PHOTO2.JPG"), 0xFFFFFFFF, 0, nullptr);
    ASSERT_NE(red, nullptr);
    EXPECT_GE(PixelAt(*red, 4, 4) >> 11, 28);
    for (const char* name : {"anim.gif", "dotted."}) {
        const auto fatal = CatchFatal([&] { graphics->LoadSurface(Picture(name), 0xFFFFFFFF, 0, nullptr); });
        EXPECT_TRUE(fatal.thrown) << name;
        EXPECT_EQ(fatal.text, FormatText + name);
        EXPECT_EQ(fatal.module, "GP_GraphServer");
    }
}

TEST_F(GraphServerTest, DamagedPicturesEndInTheFormatException)
{
    std::vector<std::string> bad;
    for (const DamagedFile& d : DamagedBmps())
        if (!d.cut) bad.push_back("bad " + d.name + ".bmp");
    for (const DamagedFile& d : DamagedJpegs())
        if (!d.cut) bad.push_back("bad " + d.name + ".jpg");
    ASSERT_GE(bad.size(), 12u);
    for (const std::string& name : bad) {
        const auto fatal = CatchFatal([&] { graphics->LoadSurface(Picture(name), 0xFFFFFFFF, 0, nullptr); });
        EXPECT_EQ(fatal.text, FormatText + name);
    }
}

TEST_F(GraphServerTest, MaskRunsCrossRowEndsAndStopAtTheLastPixel)
{
    CGP_Surface* white = graphics->LoadSurface(Picture("white.bmp"), MaskId("cross"), 0, nullptr);
    ASSERT_NE(white, nullptr);
    // Runs: keep 4 (the first row and one pixel of the second), clear 2, then keep 5 more that do not fit.
    const std::uint16_t expected[] = {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0, 0};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(PixelAt(*white, i % 3, i / 3), expected[i]) << i;

    const auto fatal = CatchFatal([&] { graphics->LoadSurface(Picture("spare.bmp"), MaskId("too long"), 0, nullptr); });
    EXPECT_EQ(fatal.text, FormatText + "too long");
}

TEST_F(GraphServerTest, FreeingKeepsSystemMemorySurfacesUnlessAllGo)
{
    graphics->LoadSurface(Picture("sky.bmp"), 0xFFFFFFFF, 1, nullptr);
    graphics->LoadSurface(Picture("white.bmp"), 0xFFFFFFFF, 0, nullptr);
    graphics->FreeSurfaces(false);
    std::uint8_t already = 0;
    graphics->LoadSurface(Picture("sky.bmp"), 0xFFFFFFFF, 1, &already);
    EXPECT_EQ(already, 1);
    graphics->LoadSurface(Picture("white.bmp"), 0xFFFFFFFF, 0, &already);
    EXPECT_EQ(already, 0);
    graphics->Reset();
    graphics->LoadSurface(Picture("sky.bmp"), 0xFFFFFFFF, 1, &already);
    EXPECT_EQ(already, 0);
}

TEST_F(GraphServerTest, LostPicturesAreDrawnAgainWithTheirColourKey)
{
    GP_ColorKeyRecord key{1, 0x001F};
    graphics->pendingColorKey = &key;
    CGP_Surface* white = graphics->LoadSurface(Picture("white.bmp"), MaskId("cross"), 0, nullptr);
    graphics->pendingColorKey = nullptr;
    ASSERT_EQ(white->restoreHandler, &CGP_GraphServer::RestoreSurface);

    // Removing an earlier slot moves this one; its surface must still find it.
    graphics->LoadSurface(Picture("sky.bmp"), 0xFFFFFFFF, 0, nullptr);
    graphics->RemoveSlot(0);

    platform::LoseAllSurfaces();
    white->Restore();
    EXPECT_EQ(PixelAt(*white, 0, 0), 0);  // lost: blank until the present restores it
    ASSERT_EQ(display->Present(1), GP_DisplayOk);
    EXPECT_EQ(PixelAt(*white, 0, 0), 0xFFFF);
    EXPECT_EQ(PixelAt(*white, 2, 1), 0);  // the mask again
    EXPECT_EQ(white->useColorKey, 1);
    EXPECT_EQ(white->colorKey, 0x001Fu);

    // In a foreign mode nothing is drawn: the game pauses when it takes the loss, else the surfaces stay lost.
    platform::SetForeignDisplayMode(true);
    white->Restore();
    white->Clear(0x1234);
    CGP_GraphServer::RestoreSurface(white, white->restoreData);
    EXPECT_EQ(display->surfacesLost, 1);
    EXPECT_EQ(PixelAt(*white, 0, 0), 0x1234);
    static bool paused;
    paused = false;
    GP_OnDisplayModeLost = [] { return paused = true; };
    display->surfacesLost = 0;
    CGP_GraphServer::RestoreSurface(white, white->restoreData);
    GP_OnDisplayModeLost = nullptr;
    EXPECT_TRUE(paused);
    EXPECT_EQ(display->surfacesLost, 0);
    EXPECT_EQ(PixelAt(*white, 0, 0), 0x1234);
}

TEST_F(GraphServerTest, PictureLostInAForeignModeIsDrawnOnceTheModeIsBack)
{
    GP_ColorKeyRecord key{1, 0x001F};
    graphics->pendingColorKey = &key;
    CGP_Surface* white = graphics->LoadSurface(Picture("white.bmp"), 0xFFFFFFFF, 0, nullptr);
    graphics->pendingColorKey = nullptr;

    platform::LoseAllSurfaces();
    platform::SetForeignDisplayMode(true);
    white->Restore();
    EXPECT_EQ(display->Present(1), GP_DisplayOk);
    EXPECT_EQ(PixelAt(*white, 0, 0), 0);
    EXPECT_EQ(display->surfacesLost, 1);  // still to be drawn

    platform::SetForeignDisplayMode(false);
    EXPECT_EQ(display->Present(1), GP_DisplayOk);
    EXPECT_EQ(display->surfacesLost, 0);
    EXPECT_EQ(PixelAt(*white, 2, 1), 0xFFFF);
}

TEST_F(GraphServerTest, PictureOutOfVideoMemoryIsLogged)
{
    const std::string logPath = dir / "Exception.log";
    {
        CGP_Log log(logPath.c_str());
        log.Open();
        platform::SetVideoMemoryFull(true);
        CGP_Surface* sky = graphics->LoadSurface(Picture("sky.bmp"), 0xFFFFFFFF, 0, nullptr);
        EXPECT_EQ(sky->kind, GP_SurfaceSystem);
        graphics->LoadSurface(Picture("white.bmp"), 0xFFFFFFFF, 1, nullptr);  // asked for system memory: no note
    }
    const std::string text = testsupport::ReadFile(logPath);
    EXPECT_NE(text.find("Surface sky.bmp loaded in system memory \n"), std::string::npos);
    EXPECT_EQ(text.find("white.bmp"), std::string::npos);
}

TEST_F(GraphServerTest, PictureWithoutADisplayToHoldItIsReported)
{
    GP_DisplayPtr = nullptr;
    const auto fatal = CatchFatal([&] { graphics->LoadSurface(Picture("sky.bmp"), 0xFFFFFFFF, 0, nullptr); });
    EXPECT_TRUE(fatal.thrown);
    EXPECT_EQ(fatal.text, "Невозможно создать поверхность sky.bmp");
    std::uint8_t already = 9;
    GP_PublishDisplayValues(display.get());
    EXPECT_NE(graphics->LoadSurface(Picture("sky.bmp"), 0xFFFFFFFF, 0, &already), nullptr);
    EXPECT_EQ(already, 0);
}

TEST_F(GraphServerTest, UnknownOrForeignIdsAreReadErrors)
{
    for (std::uint32_t id : {GP_MakeID(1, 500), GP_MakeID(2, 0), 0xFFFFFFFFu}) {
        const auto fatal = CatchFatal([&] { graphics->LoadSurface(id, 0xFFFFFFFF, 0, nullptr); });
        EXPECT_EQ(fatal.text, "Попытка чтения из неоткрытого для чтения файла") << id;
    }
}
