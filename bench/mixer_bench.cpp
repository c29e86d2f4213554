// The mixer's cost: eight positioned voices and the music synthesiser for one second of audio. The counter
// "share_of_realtime" is the time taken divided by the second of audio made.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <chrono>
#include <cmath>
#include <cstring>

#include <cstdlib>
#include <vector>

#include "platform/dmusic.h"
#include "platform/dsound.h"
#include "platform/headless.h"
#include "platform/headless_audio.h"

namespace {

std::vector<char> ChordMidi()
{
    // Format 0, 96 ticks a quarter: a three-note chord held for eight beats, then the end of the track.
    const unsigned char track[] = {0x00, 0xC0, 0x00, 0x00, 0x90, 60,   100,  0x00, 0x90, 64,   100,
                                   0x00, 0x90, 67,   100,  0x86, 0x00, 0x80, 60,   64,   0x00, 0x80,
                                   64,   64,   0x00, 0x80, 67,   64,   0x00, 0xFF, 0x2F, 0x00};
    std::vector<char> file = {'M', 'T', 'h',  'd', 0,   0,   0,   6, 0, 0, 0,
                              1,   0,   0x60, 'M', 'T', 'r', 'k', 0, 0, 0, static_cast<char>(sizeof track)};
    file.insert(file.end(), track, track + sizeof track);
    return file;
}

void EightVoicesAndMusic(benchmark::State& state)
{
    platform::HeadlessSettings headless;
    headless.headless = true;
    platform::SetHeadlessSettings(headless);
    LPDIRECTSOUND ds = nullptr;
    DirectSoundCreate(nullptr, &ds, nullptr);
    DSBUFFERDESC primaryDesc{sizeof(DSBUFFERDESC), DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRL3D, 0, 0, nullptr};
    LPDIRECTSOUNDBUFFER primary = nullptr;
    ds->CreateSoundBuffer(&primaryDesc, &primary, nullptr);
    primary->Play(0, 0, DSBPLAY_LOOPING);

    WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, 22050, 44100, 2, 16, 0};
    DSBUFFERDESC desc{sizeof(DSBUFFERDESC), DSBCAPS_STATIC | DSBCAPS_CTRLVOLUME | DSBCAPS_CTRL3D, 44100, 0, &format};
    std::vector<LPDIRECTSOUNDBUFFER> voices(8);
    for (std::size_t i = 0; i < voices.size(); ++i) {
        ds->CreateSoundBuffer(&desc, &voices[i], nullptr);
        LPVOID p1, p2;
        DWORD b1, b2;
        voices[i]->Lock(0, 0, &p1, &b1, &p2, &b2, DSBLOCK_ENTIREBUFFER);
        auto* samples = static_cast<std::int16_t*>(p1);
        for (DWORD s = 0; s < b1 / 2; ++s) samples[s] = static_cast<std::int16_t>(8000 * std::sin(s * 0.05 * (i + 1)));
        voices[i]->Unlock(p1, b1, p2, b2);
        LPDIRECTSOUND3DBUFFER b3d = nullptr;
        voices[i]->QueryInterface(IID_IDirectSound3DBuffer, reinterpret_cast<void**>(&b3d));
        b3d->SetPosition(80.0f * i, -240.0f, 0.0f, DS3D_IMMEDIATE);
        b3d->Release();
        voices[i]->Play(0, 0, DSBPLAY_LOOPING);
    }

    IDirectMusicPerformance* performance = nullptr;
    CoCreateInstance(CLSID_DirectMusicPerformance, nullptr, CLSCTX_INPROC, IID_IDirectMusicPerformance,
                     reinterpret_cast<void**>(&performance));
    performance->Init(nullptr, ds, nullptr);
    const bool music = performance->AddPort(nullptr) == S_OK;
    IDirectMusicSegment* segment = nullptr;
    if (music) {
        const std::vector<char> midi = ChordMidi();
        char path[] = "/tmp/vel-bench-XXXXXX";
        const int fd = mkstemp(path);
        if (fd >= 0) {
            (void)!write(fd, midi.data(), midi.size());
            close(fd);
        }
        IDirectMusicLoader* loader = nullptr;
        CoCreateInstance(CLSID_DirectMusicLoader, nullptr, CLSCTX_INPROC, IID_IDirectMusicLoader,
                         reinterpret_cast<void**>(&loader));
        DMUS_OBJECTDESC object{};
        object.dwSize = sizeof object;
        object.dwValidData = DMUS_OBJ_FILENAME | DMUS_OBJ_FULLPATH;
        for (std::size_t i = 0; path[i]; ++i) object.wszFileName[i] = static_cast<WCHAR>(path[i]);
        loader->GetObject(&object, IID_IDirectMusicSegment, reinterpret_cast<void**>(&segment));
        loader->Release();
        unlink(path);
        if (segment) {
            segment->SetRepeats(DMUS_SEG_REPEAT_INFINITE);
            performance->PlaySegment(segment, DMUS_SEGF_BEAT, 0, nullptr);
        }
    }
    if (!segment) state.SetLabel("no SoundFont: voices only");

    double seconds = 0.0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(platform::MixHeadlessAudio(platform::HeadlessAudioRate));
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    state.counters["share_of_realtime"] = seconds / static_cast<double>(state.iterations());

    if (segment) segment->Release();
    performance->CloseDown();
    performance->Release();
    for (LPDIRECTSOUNDBUFFER voice : voices) voice->Release();
    primary->Release();
    ds->Release();
}

}  // namespace

BENCHMARK(EightVoicesAndMusic)->Unit(benchmark::kMillisecond);
