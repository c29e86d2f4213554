// An interface pack with sounds of kind 2 (and music names), the sound device and the server set over it, as
// the main frame has them once sound is set up.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "AudioFixtures.h"
#include "GP_DirectSound.h"
#include "GP_IOManager.h"
#include "GP_NameServer.h"
#include "GP_ServerSet.h"
#include "GP_SoundServer.h"
#include "GP_SoundSettings.h"
#include "GP_SoundSource.h"
#include "ResourceFixture.h"
#include "SessionLogFixture.h"

namespace soundtest {

// A game object as the sound player sees it.
struct Object : CGP_SoundSource {
    float x = 0, y = 0, width = 0, height = 0;
    bool gone = false;
    bool stopOnDeath = false;
    void GetSoundPlace(float& ox, float& oy, float& w, float& h) override
    {
        ox = x;
        oy = y;
        w = width;
        h = height;
    }
    bool IsSoundSourceGone() override { return gone; }
    bool StopsSoundOnDeath() override { return stopOnDeath; }
};

class SoundPack {
public:
    // Group 1 (kind 2): "a.wav" to "i.wav", nine short sines, then "bad.wav" that is not a WAVE.
    // Group 2 (kind 2): "late.wav". Group 3 (kind 0): the music file names "Theme.mid" and "Gone.mid".
    // Group 4 (kind 4): one text.
    SoundPack()
    {
        const std::string dir = log.Dir().path().string() + "/";
        resourcetest::AddHeaderGroup(source, dir + "h/", 2, "InterfaceR.idf");
        std::vector<std::pair<std::string, std::string>> sounds;
        for (char c = 'a'; c <= 'i'; ++c)
            sounds.push_back({std::string(1, c) + ".wav", testsupport::SineWave(22050, 22050, 220.0 * (c - 'a' + 1))});
        sounds.push_back({"bad.wav", "RIFF\x04\0\0\0WAVX"});
        resourcetest::AddGroupWithFiles(source, dir + "s/", "Sounds", 2, 2, sounds);
        resourcetest::AddGroupWithFiles(source, dir + "s2/", "More sounds", 2, 2,
                                        {{"late.wav", testsupport::SineWave(100)}});
        resourcetest::AddGroupWithFiles(source, dir + "m/", "Music", 0, 2, {{"Theme.mid", ""}, {"Gone.mid", ""}});
        resourcetest::AddGroupWithFiles(source, dir + "t/", "Texts", 4, 2, {{"text", "\1\0\1\0a"}});
        CGP_IOManager(nullptr, nullptr, &source, nullptr).BuildInterfacePack((dir + "i.idf").c_str());
        pack = resourcetest::Open(dir + "i.idf", "rb");
        resourcetest::LoadPackTable(names, pack.get());
        io = std::make_unique<CGP_IOManager>(nullptr, pack.get(), &names, nullptr);

        EXPECT_TRUE(device.Create());
        device.SetListenerPosition(320, 240);
        device.SetRolloffFactor(0.05f);
        device.PlayPrimary(true);
        servers = std::make_unique<CGP_ServerSet>(nullptr, io.get(), &device, 1033);
        GP_SoundActive = 1;
    }
    ~SoundPack() { GP_SoundActive = 0; }

    static constexpr std::uint32_t Sound(std::uint32_t index) { return GP_MakeID(1, index); }
    static constexpr std::uint32_t Bad = GP_MakeID(1, 9);
    static constexpr std::uint32_t Late = GP_MakeID(2, 0);
    static constexpr std::uint32_t Text = GP_MakeID(4, 0);

    testsupport::SessionLogFixture log;
    CGP_NameServer source;
    CGP_NameServer names;
    resourcetest::File pack{nullptr, std::fclose};
    std::unique_ptr<CGP_IOManager> io;
    CGP_DirectSound device{nullptr};
    std::unique_ptr<CGP_ServerSet> servers;
};

}  // namespace soundtest
