#include <gtest/gtest.h>

#include "GP_SoundBuffer.h"
#include "SoundPackFixture.h"

using soundtest::SoundPack;

TEST(SoundServer, LoadsEachSoundOnceWhileSoundIsActive)
{
    SoundPack pack;
    CGP_SoundServer& sounds = *pack.servers->sound;
    EXPECT_EQ(sounds.slotCount, 11u);
    GP_SoundActive = 0;
    EXPECT_EQ(sounds.GetSound(SoundPack::Sound(0)), nullptr);
    GP_SoundActive = 1;
    CGP_SoundBuffer* first = sounds.GetSound(SoundPack::Sound(0));
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first->buffer, nullptr);
    EXPECT_EQ(first->format.nSamplesPerSec, 22050u);
    EXPECT_EQ(sounds.GetSound(SoundPack::Sound(0)), first);
    EXPECT_EQ(sounds.slots[0].loadedBy, &sounds);
    CGP_SoundBuffer* late = sounds.GetSound(SoundPack::Late);  // dense index 10: after the ten of group 1
    EXPECT_EQ(sounds.slots[10].sound.get(), late);
    // A WAVE that cannot be decoded gives a sound without samples.
    CGP_SoundBuffer* bad = sounds.GetSound(SoundPack::Bad);
    ASSERT_NE(bad, nullptr);
    EXPECT_EQ(bad->buffer, nullptr);
    // A resource of another kind is no sound, and takes no sound's slot.
    EXPECT_EQ(sounds.GetSound(SoundPack::Text), nullptr);
    for (std::uint32_t slot : {1u, 2u, 3u}) EXPECT_EQ(sounds.slots[slot].sound, nullptr) << slot;
}

TEST(SoundServer, AnIdThatNoPackPlacesIsFatal)
{
    SoundPack pack;
    const resourcetest::Fatal fatal =
        resourcetest::CatchFatal([&] { pack.servers->sound->GetSound(GP_MakeID(1, 40)); });
    EXPECT_TRUE(fatal.thrown);
    EXPECT_EQ(fatal.module, "GP_IOManager");
    CGP_IOManager noNames(nullptr, nullptr, nullptr, nullptr);
    CGP_SoundServer unplaced(&noNames, &pack.device);
    try {
        unplaced.GetSound(SoundPack::Sound(0));
        ADD_FAILURE() << "no throw";
    } catch (const CGP_FatalExeption& e) {
        EXPECT_STREQ(e.text, "Попытка чтения из неоткрытого для чтения файла");
        EXPECT_STREQ(e.module, "GP_SoundServer");
        EXPECT_EQ(e.offerReport, 1);
        EXPECT_EQ(e.userMessage, nullptr);
        delete[] e.text;  // made by FormatNew, as every engine error text
    }
}

TEST(SoundServer, ResetGrowAndRemoveSlot)
{
    SoundPack pack;
    CGP_SoundServer& sounds = *pack.servers->sound;
    CGP_SoundBuffer* third = sounds.GetSound(SoundPack::Sound(2));
    sounds.RemoveSlot(1);
    EXPECT_EQ(sounds.slotCount, 10u);
    EXPECT_EQ(sounds.slots[1].sound.get(), third);
    sounds.Grow();
    EXPECT_EQ(sounds.slotCount, 11u);
    EXPECT_EQ(sounds.slots[1].sound.get(), third);
    sounds.Reset();
    EXPECT_EQ(sounds.slotCount, 11u);
    for (const CGP_SoundServer::Slot& slot : sounds.slots) EXPECT_EQ(slot.sound, nullptr);
}
