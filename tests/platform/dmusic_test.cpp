#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "AudioFixtures.h"
#include "TempDir.h"
#include "platform/dmusic.h"
#include "platform/headless_audio.h"

using testsupport::Rms;

namespace {

void SetFileName(DMUS_OBJECTDESC& desc, const std::string& name)
{
    std::size_t i = 0;
    for (; i < name.size() && i + 1 < MAX_PATH; ++i) desc.wszFileName[i] = static_cast<WCHAR>(name[i]);
    desc.wszFileName[i] = 0;
}

std::u16string Wide(const std::string& text) { return std::u16string(text.begin(), text.end()); }

// A device, the DirectMusic objects on it, and a folder with "Chord.mid" in it.
struct Music {
    testsupport::TempDir dir;
    LPDIRECTSOUND ds = nullptr;
    IDirectMusic* music = nullptr;
    IDirectMusicLoader* loader = nullptr;
    IDirectMusicPerformance* performance = nullptr;

    Music()
    {
        testsupport::WriteFile(dir / "Chord.mid", testsupport::ChordMidiFile(96));
        testsupport::WriteFile(dir / "broken.mid", "MThd but not really");
        EXPECT_EQ(DirectSoundCreate(nullptr, &ds, nullptr), DS_OK);
        EXPECT_EQ(CoCreateInstance(CLSID_DirectMusic, nullptr, CLSCTX_INPROC, IID_IDirectMusic,
                                   reinterpret_cast<void**>(&music)),
                  S_OK);
        EXPECT_EQ(music->SetDirectSound(ds, nullptr), S_OK);
        EXPECT_EQ(CoCreateInstance(CLSID_DirectMusicLoader, nullptr, CLSCTX_INPROC, IID_IDirectMusicLoader,
                                   reinterpret_cast<void**>(&loader)),
                  S_OK);
        EXPECT_EQ(loader->SetSearchDirectory(GUID_DirectMusicAllTypes, Wide(dir.path().string()).c_str(), TRUE), S_OK);
        EXPECT_EQ(CoCreateInstance(CLSID_DirectMusicPerformance, nullptr, CLSCTX_INPROC, IID_IDirectMusicPerformance,
                                   reinterpret_cast<void**>(&performance)),
                  S_OK);
        EXPECT_EQ(performance->Init(&music, ds, nullptr), S_OK);
    }
    ~Music()
    {
        performance->CloseDown();
        performance->Release();
        loader->Release();
        music->Release();
        ds->Release();
    }

    HRESULT Load(const std::string& name, IDirectMusicSegment** segment)
    {
        DMUS_OBJECTDESC desc{};
        desc.dwSize = sizeof desc;
        desc.dwValidData = DMUS_OBJ_CLASS | DMUS_OBJ_FILENAME;
        desc.guidClass = CLSID_DirectMusicSegment;
        SetFileName(desc, name);
        return loader->GetObject(&desc, IID_IDirectMusicSegment, reinterpret_cast<void**>(segment));
    }

    bool PortOrSkip() { return performance->AddPort(nullptr) == S_OK; }
};

constexpr std::size_t Second = platform::HeadlessAudioRate;

}  // namespace

TEST(DirectMusic, LoaderFindsFilesWithoutRegardToCaseAndRefusesOthers)
{
    Music m;
    IDirectMusicSegment* segment = nullptr;
    ASSERT_EQ(m.Load("CHORD.MID", &segment), S_OK);
    segment->Release();
    EXPECT_EQ(m.Load("missing.mid", &segment), DMUS_E_LOADER_FAILEDOPEN);
    EXPECT_EQ(m.Load("broken.mid", &segment), DMUS_E_UNSUPPORTED_STREAM);
    EXPECT_EQ(segment, nullptr);
    EXPECT_EQ(m.loader->SetSearchDirectory(GUID_DirectMusicAllTypes, u"/no/such/folder", TRUE), DMUS_E_LOADER_BADPATH);
}

TEST(DirectMusic, PlaysOnceThenFallsSilentAndRepeatsWhenAsked)
{
    Music m;
    if (!m.PortOrSkip()) GTEST_SKIP() << "no General MIDI SoundFont installed";
    IDirectMusicSegment* segment = nullptr;
    ASSERT_EQ(m.Load("Chord.mid", &segment), S_OK);
    ASSERT_EQ(m.performance->PlaySegment(segment, DMUS_SEGF_BEAT, 0, nullptr), S_OK);
    const auto once = platform::MixHeadlessAudio(4 * Second);
    EXPECT_GT(Rms(once, 0, 0, Second / 2), 0.01);           // the chord sounds for half a second
    EXPECT_LT(Rms(once, 0, 3 * Second, 4 * Second), 1e-4);  // and has died away well before the fourth

    segment->SetRepeats(DMUS_SEG_REPEAT_INFINITE);
    ASSERT_EQ(m.performance->PlaySegment(segment, DMUS_SEGF_BEAT, 0, nullptr), S_OK);
    const auto looped = platform::MixHeadlessAudio(4 * Second);
    EXPECT_GT(Rms(looped, 0, 3 * Second, 4 * Second), 0.01);
    m.performance->Stop(segment, nullptr, 0, DMUS_SEGF_BEAT);
    const auto stopped = platform::MixHeadlessAudio(3 * Second);
    EXPECT_LT(Rms(stopped, 0, 2 * Second, 3 * Second), 1e-4);
    segment->Release();
}

TEST(DirectMusic, MasterVolumeAndTempo)
{
    Music m;
    if (!m.PortOrSkip()) GTEST_SKIP() << "no General MIDI SoundFont installed";
    IDirectMusicSegment* segment = nullptr;
    ASSERT_EQ(m.Load("Chord.mid", &segment), S_OK);
    double previous = 0.0;
    for (LONG volume : {-3000L, -1500L, 0L, 1000L}) {
        ASSERT_EQ(m.performance->SetGlobalParam(GUID_PerfMasterVolume, &volume, sizeof volume), S_OK);
        m.performance->PlaySegment(segment, DMUS_SEGF_BEAT, 0, nullptr);
        const double level = Rms(platform::MixHeadlessAudio(Second / 4), 0, 0, Second / 4);
        EXPECT_GT(level, previous) << volume;
        previous = level;
    }
    // At double tempo the half-second chord is over within a quarter of a second.
    float tempo = 2.0f;
    ASSERT_EQ(m.performance->SetGlobalParam(GUID_PerfMasterTempo, &tempo, sizeof tempo), S_OK);
    m.performance->PlaySegment(segment, DMUS_SEGF_BEAT, 0, nullptr);
    const auto fast = platform::MixHeadlessAudio(Second);
    EXPECT_LT(Rms(fast, 0, Second / 2, Second), 0.5 * Rms(fast, 0, 0, Second / 4));
    tempo = 0.0f;
    EXPECT_EQ(m.performance->SetGlobalParam(GUID_PerfMasterTempo, &tempo, sizeof tempo), E_INVALIDARG);
    segment->Release();
}

TEST(DirectMusic, WithoutASoundFontThePortFails)
{
    setenv("VEL_SOUNDFONT", "/no/such/font.sf2", 1);
    Music m;
    EXPECT_EQ(m.performance->AddPort(nullptr), DMUS_E_NO_SOUNDFONT);
    unsetenv("VEL_SOUNDFONT");
    IDirectMusicSegment* segment = nullptr;
    ASSERT_EQ(m.Load("Chord.mid", &segment), S_OK);
    EXPECT_EQ(m.performance->PlaySegment(segment, DMUS_SEGF_BEAT, 0, nullptr), DMUS_E_NOT_INIT);
    segment->Release();
}
