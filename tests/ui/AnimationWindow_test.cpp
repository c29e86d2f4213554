#include <unistd.h>

#include <cmath>
#include <filesystem>

#include <gtest/gtest.h>

#include "../foundation/StreamHelpers.h"
#include "TempDir.h"
#include "UiFixtures.h"
#include "frames/Sequence.h"
#include "ui/AnimationWindow.h"
#include "ui/FrameOverlayOptions.h"
#include "ui/ScreenWindow.h"

using namespace ui_test;
using platform::Rect;

namespace {

const int kReds[] = {40, 100, 160, 220};

// Four 3 x 2 frames, each of its own red, at two frames per time unit.
std::unique_ptr<CSequence> FourFrames() { return RedFrames({kReds[0], kReds[1], kReds[2], kReds[3]}, 3, 2); }

TEST(AnimationWindow, TakesTheSequencesSizeAndRateAndStartsAtTheFirstFrame)
{
    DefaultTestFont();
    auto sequence = FourFrames();
    CJAnimationWindow window(nullptr, sequence.get(), "spinner");
    EXPECT_EQ(window.GetWidth(), 3);
    EXPECT_EQ(window.GetHeight(), 2);
    EXPECT_FLOAT_EQ(window.GetRate(), 2.0f);
    EXPECT_FLOAT_EQ(window.GetCurrentFrame(), 0.0f);
    EXPECT_FALSE(window.IsTabStop());
}

TEST(AnimationWindow, UpdatesAdvanceByTheRateAndWrapWhereTheFrameRoundsPastTheEnd)
{
    DefaultTestFont();
    auto sequence = FourFrames();
    struct Case {
        float start;
        float elapsed;
        float current;
        int shown;
    };
    const Case cases[] = {
        {0.0f, 3.5f, 3.0f, 3},    // 7 frames on: three past a whole round
        {3.6f, 0.0f, -0.4f, 0},   // rounds to 4, one past the last: wraps below 0 and shows the first
        {3.4f, 0.0f, 3.4f, 3},    // still rounds to the last
        {0.0f, 1.0e6f, 0.0f, 0},  // a long pause comes back in one step
        {-2.2f, 0.0f, 1.8f, 2},   // a position before the start is taken round, never drawn out of range
        {1.0f, -1.25f, 2.5f, 3},  // so is a step backwards
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start + c.elapsed);
        CJAnimationWindow window(nullptr, sequence.get(), "spinner");
        window.SetCurrentFrame(c.start);
        window.Update(c.elapsed);
        EXPECT_NEAR(window.GetCurrentFrame(), c.current, 1e-3);
        EXPECT_EQ(window.GetShownFrame(), c.shown);
    }
}

TEST(AnimationWindow, AnEmptySequenceOrNoneStaysAtTheStartAndDrawsNothing)
{
    DefaultTestFont();
    CSequence empty;
    empty.SetFrameRate(10.0f);
    for (CSequence* sequence : {&empty, static_cast<CSequence*>(nullptr)}) {
        CJAnimationWindow window(nullptr, sequence, "empty");
        window.SetCurrentFrame(2.0f);
        window.Update(1.0f);
        EXPECT_FLOAT_EQ(window.GetCurrentFrame(), 0.0f);
        RecordingFrame frame;
        window.Draw(&frame);
        EXPECT_TRUE(frame.blits.empty());
    }
}

TEST(AnimationWindow, DrawsTheRoundedFrameAtItsOriginWithTheSequencesBlitType)
{
    DefaultTestFont();
    auto sequence = FourFrames();
    sequence->SetBlitTypeIndex(-1);  // no such type: the plain copy stands in
    CJAnimationWindow window(nullptr, sequence.get(), "spinner");
    CFrame target;
    target.Create(8, 8, 16);
    for (float position : {0.0f, 1.4f, 1.6f, 3.6f}) {
        SCOPED_TRACE(position);
        window.SetCurrentFrame(position);
        window.Update(0.0f);
        target.Fill(MakeColor(0, 0, 0));
        window.Draw(&target);
        Color probe;
        ASSERT_TRUE(target.GetPixelColor(0, 0, probe));
        EXPECT_NEAR(probe.R, kReds[window.GetShownFrame()], 8);
        ASSERT_TRUE(target.GetPixelColor(3, 0, probe));
        EXPECT_EQ(probe.R, 0) << "nothing right of the frame";
    }
}

TEST(AnimationWindow, AHintTextPopsUpInPlaceOfTheParentsHint)
{
    CFrame output;
    output.Create(200, 100, 16);
    CScreenWindow screen(&output, DefaultTestFont());
    auto sequence = FourFrames();
    auto* window = new CJAnimationWindow(nullptr, sequence.get(), "spinner");
    screen.AddChild(window, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    EXPECT_TRUE(window->RequestHint(1, 1));
    EXPECT_TRUE(screen.GetHintText().IsEmpty()) << "without a hint the screen only hides its own";
    window->SetHintText("Loading");
    EXPECT_TRUE(window->RequestHint(1, 1));
    EXPECT_EQ(screen.GetHintText(), "Loading");
}

TEST(FrameOverlayOptions, ReadBothSpellingsOfTheirPropertiesAndWriteTheirOwn)
{
    const std::string file =
        "CFrameOverlayOptions\r\n"
        "{\r\n"
        "\tm_ListOfTextOverlays=Array\r\n"
        "\t{\r\n"
        "\t\tArray Count=2\r\n"
        "\t\tArray Item=CFrameOverlayTextOverlay\r\n"
        "\t\t{\r\n"
        "\t\t\tText HotSpot Coordinates=12,-4\r\n"
        "\t\t\tText Wrapping Width=200\r\n"
        "\t\t\tJustification=Justify Right\r\n"
        "\t\t\tText String=First caption\r\n"
        "\t\t}\r\n"
        "\t\tArray Item=CFrameOverlayTextOverlay\r\n"
        "\t\t{\r\n"
        "\t\t\tText Bounds Left=5,6\r\n"
        "\t\t\tPixels Between Lines=7\r\n"
        "\t\t}\r\n"
        "\t}\r\n"
        "}\r\n";
    CFrameOverlayOptions options;
    ASSERT_TRUE(streamtest::ReadText(options, file));
    ASSERT_EQ(options.GetOverlayCount(), 2);
    const CFrameOverlayTextOverlay* first = options.GetOverlay(0);
    EXPECT_EQ(first->GetTextLeft(), (IntPair{12, -4}));
    EXPECT_EQ(first->GetTextWidth(), 200);
    EXPECT_EQ(first->GetJustification(), kJustifyRight);
    EXPECT_EQ(first->GetTextString(), "First caption");
    EXPECT_EQ(first->GetLineSpacing(), 2);
    const CFrameOverlayTextOverlay* second = options.GetOverlay(1);
    EXPECT_EQ(second->GetTextLeft(), (IntPair{5, 6}));
    EXPECT_EQ(second->GetTextWidth(), 350);
    EXPECT_EQ(second->GetLineSpacing(), 7);
    EXPECT_EQ(second->GetJustification(), kJustifyLeft);
    EXPECT_EQ(second->GetTextString(), "* Some cool message to put in the slideshow!");
    EXPECT_EQ(options.GetOverlay(2), nullptr);
    EXPECT_EQ(options.GetOverlay(-1), nullptr);

    const std::string written = streamtest::Text(options);
    EXPECT_NE(written.find("Text Overlays=Array"), std::string::npos) << written;
    EXPECT_NE(written.find("Text Bounds Left=12,-4"), std::string::npos) << written;
    CFrameOverlayOptions again;
    ASSERT_TRUE(streamtest::ReadText(again, written));
    ASSERT_EQ(again.GetOverlayCount(), 2);
    EXPECT_EQ(again.GetOverlay(0)->GetTextString(), "First caption");
    EXPECT_EQ(again.GetOverlay(1)->GetLineSpacing(), 7);
    EXPECT_EQ(streamtest::Text(again), written);
}

TEST(FrameOverlayOptions, TheirLibraryTakesTheFooFilesOfItsFolder)
{
    // The library reads folders below the working folder; this one is the test's and the process's own.
    const std::string folder = "OverlayFixture-" + std::to_string(::getpid());
    testsupport::WriteFile(folder + "/Captions.FOO",
                           "CFrameOverlayOptions\r\n{\r\n\tText Overlays=Array\r\n\t{\r\n\t\tArray Count=1\r\n"
                           "\t\tArray Item=CFrameOverlayTextOverlay\r\n\t\t{\r\n\t\t\tText String=Hello\r\n"
                           "\t\t}\r\n\t}\r\n}\r\n");
    testsupport::WriteFile(folder + "/Other.FONT.TXT", "CFrameOverlayOptions\r\n{\r\n}\r\n");
    FrameOverlayOptionsLibrary empty("No overlays", "");
    EXPECT_EQ(empty.GetOptions(0), nullptr) << "an empty library holds no options";

    FrameOverlayOptionsLibrary library("Overlays", "");
    library.LoadFromFolder(nullptr, folder.c_str(), 0);
    ASSERT_EQ(library.GetCount(), 1);
    EXPECT_STREQ(library.GetName(0), "Captions");
    CFrameOverlayOptions* options = library.GetOptions(0);
    ASSERT_NE(options, nullptr);
    ASSERT_EQ(options->GetOverlayCount(), 1);
    EXPECT_EQ(options->GetOverlay(0)->GetTextString(), "Hello");
    std::filesystem::remove_all(folder);
}

}  // namespace
