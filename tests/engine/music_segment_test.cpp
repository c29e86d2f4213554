#include <gtest/gtest.h>

#include <cstdlib>

#include "AudioFixtures.h"
#include "GP_DirectMusic.h"
#include "GP_DirectSound.h"
#include "GP_MusicSegment.h"
#include "SessionLogFixture.h"
#include "platform/headless_audio.h"

using namespace testsupport;

namespace {

constexpr std::size_t Second = platform::HeadlessAudioRate;

// The device and DirectMusic with its search folder holding "Theme.mid", as the main frame sets them up.
struct MusicSetup {
    SessionLogFixture log;
    CGP_DirectSound ds{nullptr};
    CGP_DirectMusic directMusic;
    MusicSetup()
    {
        WriteFile(log.Dir() / "MUSIC/Theme.mid", ChordMidiFile(96));
        EXPECT_TRUE(ds.Create());
        EXPECT_TRUE(directMusic.Create(ds.directSound.get()));
        directMusic.SetSearchDirectory((log.Dir() / "MUSIC").c_str());
    }
};

}  // namespace

TEST(MusicSegment, PlaysAMidiFileFromTheSearchFolder)
{
    MusicSetup setup;
    CGP_MusicSegment segment(&setup.directMusic);
    segment.CreatePerformance(setup.ds.directSound.get());
    if (!segment.performance) GTEST_SKIP() << "no General MIDI SoundFont installed";
    segment.Load("theme.mid");
    ASSERT_NE(segment.segment, nullptr);
    segment.SetVolume(0);
    segment.Play(0);
    const auto out = platform::MixHeadlessAudio(3 * Second);
    EXPECT_GT(Rms(out, 0, 0, Second / 2), 0.01);
    EXPECT_LT(Rms(out, 0, 2 * Second, 3 * Second), 1e-4);
    segment.Play(static_cast<DWORD>(-1));
    segment.Stop();
    EXPECT_LT(Rms(platform::MixHeadlessAudio(2 * Second), 0, Second, 2 * Second), 1e-4);
    EXPECT_EQ(setup.log.Text().find("Error"), std::string::npos);
}

TEST(MusicSegment, AFileThatIsNotThereIsLoggedAndNotPlayed)
{
    MusicSetup setup;
    CGP_MusicSegment segment(&setup.directMusic);
    segment.CreatePerformance(setup.ds.directSound.get());
    segment.Load("Missing.mid");
    EXPECT_TRUE(setup.log.Contains("Error load DirectMusic segment\n"));
    EXPECT_EQ(segment.segment, nullptr);
    segment.Play(0);
    EXPECT_EQ(Rms(platform::MixHeadlessAudio(Second), 0, 0, Second), 0.0);
    segment.Stop();
}

TEST(MusicSegment, EachFailingStepWritesItsLine)
{
    SessionLogFixture log;
    CGP_DirectMusic noDevice;
    EXPECT_FALSE(noDevice.Create(nullptr));
    EXPECT_TRUE(log.Contains("Error DirectMusic::SetDirectSound\n"));
    noDevice.SetSearchDirectory("RESOURCE\\MUSIC");
    EXPECT_TRUE(log.Contains("Error set search directory\n"));

    CGP_DirectSound ds(nullptr);
    ASSERT_TRUE(ds.Create());
    CGP_DirectMusic directMusic;
    ASSERT_TRUE(directMusic.Create(ds.directSound.get()));
    const auto searchErrors = [&] {
        const std::string text = log.Text(), line = "Error set search directory\n";
        int count = 0;
        for (std::size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1)) ++count;
        return count;
    };
    ASSERT_EQ(searchErrors(), 1);
    directMusic.SetSearchDirectory("no\\such\\folder");
    EXPECT_EQ(searchErrors(), 2);
    CGP_MusicSegment withoutDevice(&noDevice);
    withoutDevice.CreatePerformance(nullptr);
    EXPECT_TRUE(log.Contains("Error init DirectMusic performance\n"));
    EXPECT_EQ(withoutDevice.performance, nullptr);

    setenv("VEL_SOUNDFONT", "", 1);
    CGP_MusicSegment withoutSoundFont(&directMusic);
    withoutSoundFont.CreatePerformance(ds.directSound.get());
    unsetenv("VEL_SOUNDFONT");
    EXPECT_TRUE(log.Contains("Error add port DirectMusic performance\n"));
    EXPECT_EQ(withoutSoundFont.performance, nullptr);
    withoutSoundFont.Play(0);
    withoutSoundFont.SetVolume(-100);
    withoutSoundFont.Stop();
}
