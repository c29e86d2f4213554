#include "GP_Music.h"

#include "GP_DirectSound.h"
#include "GP_MusicSegment.h"
#include "GP_NameServer.h"
#include "GP_SoundSettings.h"

CGP_Music::CGP_Music(CGP_GameMainFrame* owner, CGP_NameServer* names, CGP_DirectMusic* directMusic,
                     CGP_DirectSound* directSound)
    : owner(owner), names(names), directMusic(directMusic), directSound(directSound)
{
}

CGP_Music::~CGP_Music() { Release(); }

void CGP_Music::Create()
{
    if (!GlobalMusicEnabled) return;
    segment = std::make_unique<CGP_MusicSegment>(directMusic);
    segment->CreatePerformance(directSound ? directSound->directSound.get() : nullptr);
}

void CGP_Music::Load(std::uint32_t id)
{
    if (!GlobalMusicEnabled || !segment || !names) return;
    if (const char* fileName = names->GetName(GP_IndexOf(id), GP_GroupOf(id))) segment->Load(fileName);
}

void CGP_Music::Play(DWORD repeats)
{
    if (GlobalMusicEnabled && segment) segment->Play(repeats);
}

void CGP_Music::SetVolume(LONG hundredthsOfDecibel)
{
    if (GlobalMusicEnabled && segment) segment->SetVolume(hundredthsOfDecibel);
}

void CGP_Music::Stop()
{
    if (segment) segment->Stop();
}

void CGP_Music::Release() { segment.reset(); }
