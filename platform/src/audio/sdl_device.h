// The sound card through SDL2 audio: a small device buffer (512 frames) whose callback pulls from the mixer.
#pragma once
#include <memory>

#include "audio/audio_device.h"

namespace platform::audio {

// nullptr when SDL2 audio cannot be opened (the reason goes to the debugger output).
std::shared_ptr<AudioDevice> OpenSdlDevice();

}  // namespace platform::audio
