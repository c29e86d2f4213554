#include "audio/audio_device.h"

#include <atomic>

#include "audio/null_device.h"
#include "audio/sdl_device.h"
#include "platform/headless.h"
#include "platform/headless_audio.h"

namespace platform::audio {

namespace {
std::atomic<bool> failOpen{false};
}

std::shared_ptr<AudioDevice> OpenAudioDevice()
{
    if (failOpen) return nullptr;
    if (IsHeadless()) return std::make_shared<NullDevice>();
    return OpenSdlDevice();
}

}  // namespace platform::audio

namespace platform {

void SetAudioDeviceFailure(bool fail) { audio::failOpen = fail; }

}  // namespace platform
