#include <cstdio>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "FrameBaker.h"
#include "FrameFixtures.h"
#include "TempDir.h"
#include "foundation/FolderCollection.h"
#include "frames/Frame.h"
#include "frames/FrameImageModel.h"
#include "frames/ImageModel.h"

namespace {

// Each test works in a folder of its own, so that tests run side by side never share "Pictures" or "Cache".
class FrameCollectionTest : public testing::Test {
protected:
    void SetUp() override
    {
        previousFolder = std::filesystem::current_path();
        std::filesystem::current_path(folder.path());
        InstallFrameImageModel();
        std::filesystem::create_directories("Pictures");
    }
    void TearDown() override
    {
        ImageModel::Install(nullptr);
        std::filesystem::current_path(previousFolder);
    }
    static void WritePicture(const std::string& path, int red)
    {
        CFrame picture;
        picture.Create(8, 4, 32);
        picture.Fill(MakeColor(red, 0, 0, 255));
        ASSERT_TRUE(picture.WriteCompressedTga(path.c_str(), 0));
    }

    frames_test::DisplayDepth display{16};
    testsupport::TempDir folder;
    std::filesystem::path previousFolder;
};

TEST_F(FrameCollectionTest, AFolderOfPicturesWithoutCachesLoadsEveryFrameFromItsPicture)
{
    WritePicture("Pictures/red.TGA", 255);
    WritePicture("Pictures/dark.tga", 100);
    FrameFolderCollection frames;
    frames.LoadFromFolder(nullptr, "Pictures", 0);
    ASSERT_EQ(frames.GetCount(), 2);
    for (const char* name : {"red", "dark"}) {
        auto* frame = dynamic_cast<CFrame*>(frames.GetOrLoad(frames.FindIndex(name)));
        ASSERT_NE(frame, nullptr) << name;
        EXPECT_EQ(frame->GetBitDepth(), 16) << "converted to the display's depth";
        EXPECT_EQ(frame->GetWidth(), 8);
        Color color;
        ASSERT_TRUE(frame->GetPixelColor(frame->GetOriginX() + 2, frame->GetOriginY() + 2, color));
        EXPECT_GT(color.R, 90) << name;
        EXPECT_EQ(color.G, 0);
    }
}

TEST_F(FrameCollectionTest, AFrameWithItsCacheIsConvertedIntoTheCacheFolder)
{
    WritePicture("Pictures/red.TGA", 255);
    std::string error;
    ASSERT_TRUE(framebaker::BakeFrame("Pictures/red.TGA", "Cache/Pictures/red.Frame", {}, error)) << error;
    FrameFolderCollection frames;
    frames.LoadFromFolder(nullptr, "Pictures", 0);
    EXPECT_NE(frames.GetOrLoad(0), nullptr);
    EXPECT_TRUE(std::filesystem::exists("Cache/Pictures/-red.frm16"));
    EXPECT_FALSE(std::filesystem::exists("CachePictures")) << "never a folder beside the cache folder";
}

TEST_F(FrameCollectionTest, AnItemWhosePictureIsDamagedGivesNoFrame)
{
    std::filesystem::create_directories("Pictures");
    FILE* file = std::fopen("Pictures/broken.TGA", "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("not a picture", file);
    std::fclose(file);
    FrameFolderCollection frames;
    frames.LoadFromFolder(nullptr, "Pictures", 0);
    ASSERT_EQ(frames.GetCount(), 1);
    EXPECT_EQ(frames.GetOrLoad(0), nullptr);
}

}  // namespace
