#include "audio/null_device.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>

#include "platform/headless_audio.h"
#include "platform/win32_time.h"

namespace platform::audio {

namespace {

std::mutex currentLock;
NullDevice* current = nullptr;

// More audio than this owed at once means the fake clock was set rather than run.
constexpr std::uint64_t MaxCatchUpFrames = 10ull * HeadlessAudioRate;

}  // namespace

NullDevice::NullDevice()
{
    mixer_ = std::make_unique<Mixer>(HeadlessAudioRate);
    if (const char* path = std::getenv("VEL_WAV"); path && *path)
        wav_ = std::make_unique<WavWriter>(path, HeadlessAudioRate);
    std::lock_guard<std::mutex> hold(currentLock);
    current = this;
}

NullDevice::~NullDevice()
{
    std::lock_guard<std::mutex> hold(currentLock);
    if (current == this) current = nullptr;
}

NullDevice* NullDevice::Current()
{
    std::lock_guard<std::mutex> hold(currentLock);
    return current;
}

std::vector<std::int16_t> NullDevice::Mix(std::size_t frames)
{
    std::vector<std::int16_t> out(frames * 2);
    mixer_->Render(out.data(), frames);
    if (wav_) wav_->Append(out.data(), frames);
    framesMixed_ += frames;
    return out;
}

void NullDevice::CatchUp()
{
    if (!IsFakeClock()) return;
    const DWORD now = timeGetTime();
    if (!clockStarted_) {
        clockStarted_ = true;
        clockStart_ = now;
        framesMixed_ = 0;
        return;
    }
    const std::uint64_t due =
        static_cast<std::uint64_t>(static_cast<DWORD>(now - clockStart_)) * HeadlessAudioRate / 1000;
    if (due <= framesMixed_) return;
    if (due - framesMixed_ > MaxCatchUpFrames) {  // the clock was set, not run: start again from here
        clockStart_ = now;
        framesMixed_ = 0;
        return;
    }
    while (framesMixed_ < due) Mix(static_cast<std::size_t>(std::min<std::uint64_t>(due - framesMixed_, 4096)));
}

}  // namespace platform::audio

namespace platform {

std::vector<std::int16_t> MixHeadlessAudio(std::size_t frames)
{
    audio::NullDevice* device = audio::NullDevice::Current();
    return device ? device->Mix(frames) : std::vector<std::int16_t>();
}

}  // namespace platform
