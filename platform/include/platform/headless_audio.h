// The null sound device of headless runs: it mixes on demand instead of playing, and writes what it mixed to
// the WAV file named by VEL_WAV. While the fake clock runs it keeps up with that clock by itself; tests also
// ask for audio explicitly.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/win32_base.h"

namespace platform {

inline constexpr unsigned HeadlessAudioRate = 44100;

// Mixes the next `frames` frames of the open null device (interleaved stereo, 16-bit, HeadlessAudioRate)
// and returns them; they go to the VEL_WAV file too. Empty when no null device is open.
PLATFORM_API std::vector<std::int16_t> MixHeadlessAudio(std::size_t frames);

// For tests of the failure road: while set, no audio device can be opened.
PLATFORM_API void SetAudioDeviceFailure(bool fail);

}  // namespace platform
