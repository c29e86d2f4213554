#include "GP_MusicSegment.h"

#include "GP_DirectMusic.h"
#include "GP_Log.h"

CGP_MusicSegment::CGP_MusicSegment(CGP_DirectMusic* directMusic)
    : directMusic(directMusic), loader(directMusic ? directMusic->loader.get() : nullptr)
{
}

CGP_MusicSegment::~CGP_MusicSegment()
{
    ReleaseSegment();
    ReleasePerformance();
}

void CGP_MusicSegment::ReleaseSegment()
{
    if (segment && loader) loader->ReleaseObject(segment.get());
    segment.reset();
}

void CGP_MusicSegment::ReleasePerformance()
{
    if (performance) performance->CloseDown();
    performance.reset();
}

void CGP_MusicSegment::CreatePerformance(LPDIRECTSOUND directSound)
{
    ReleasePerformance();
    if (FAILED(platform::Receive(performance, [](IDirectMusicPerformance** out) {
            return CoCreateInstance(CLSID_DirectMusicPerformance, nullptr, CLSCTX_INPROC, IID_IDirectMusicPerformance,
                                    reinterpret_cast<void**>(out));
        }))) {
        GP_LogWrite("Error create DirectMusic performance\n");
        return;
    }
    IDirectMusic* music = directMusic ? directMusic->music.get() : nullptr;
    if (FAILED(performance->Init(&music, directSound, nullptr))) {
        GP_LogWrite("Error init DirectMusic performance\n");
        ReleasePerformance();
        return;
    }
    if (FAILED(performance->AddPort(nullptr))) {
        GP_LogWrite("Error add port DirectMusic performance\n");
        ReleasePerformance();
        return;
    }
    BOOL autoDownload = TRUE;
    performance->SetGlobalParam(GUID_PerfAutoDownload, &autoDownload, sizeof autoDownload);
}

void CGP_MusicSegment::Load(const char* fileName)
{
    ReleaseSegment();
    DMUS_OBJECTDESC desc{};
    desc.dwSize = sizeof desc;
    desc.dwValidData = DMUS_OBJ_CLASS | DMUS_OBJ_FILENAME;
    desc.guidClass = CLSID_DirectMusicSegment;
    GP_ToWide(fileName, desc.wszFileName, MAX_PATH);
    const auto load = [&](IDirectMusicSegment** out) {
        return loader->GetObject(&desc, IID_IDirectMusicSegment, reinterpret_cast<void**>(out));
    };
    if (!loader || FAILED(platform::Receive(segment, load))) {
        GP_LogWrite("Error load DirectMusic segment\n");
        return;
    }
    if (performance) segment->SetParam(GUID_StandardMIDIFile, 0xFFFFFFFF, 0, 0, performance.get());
}

void CGP_MusicSegment::Play(DWORD repeats)
{
    if (!performance || !segment) return;
    segment->SetRepeats(repeats);
    if (directMusic && directMusic->music) directMusic->music->Activate(TRUE);
    performance->PlaySegment(segment.get(), DMUS_SEGF_BEAT, 0, nullptr);
}

void CGP_MusicSegment::Stop()
{
    if (performance && segment) performance->Stop(segment.get(), nullptr, 0, DMUS_SEGF_BEAT);
    if (directMusic && directMusic->music) directMusic->music->Activate(FALSE);
}

void CGP_MusicSegment::SetVolume(LONG hundredthsOfDecibel)
{
    if (performance)
        performance->SetGlobalParam(GUID_PerfMasterVolume, &hundredthsOfDecibel, sizeof hundredthsOfDecibel);
}

void CGP_MusicSegment::SetTempo(float factor)
{
    if (performance) performance->SetGlobalParam(GUID_PerfMasterTempo, &factor, sizeof factor);
}
