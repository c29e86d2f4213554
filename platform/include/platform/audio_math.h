// The arithmetic of the software mixer, as pure functions: volumes, 3D placement, sample formats and
// resampling. The mixer uses nothing else to decide what a voice sounds like.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/win32_base.h"

namespace platform {

// Amplitude factor of a volume in hundredths of a decibel: 10^(volume/2000). At or below -10000 (the
// quietest DirectSound volume) the sound is silent.
PLATFORM_API float GainFromHundredthsOfDb(long volume);

// The inverse distance model of DirectSound 3D: full level up to the minimum distance, then
// min / (min + rolloff * (distance - min)).
PLATFORM_API float DistanceGain(float distance, float minDistance, float rolloff);

struct StereoGain {
    float left;
    float right;
};
// Sideways offset (in the listener's units) at which a source is heard fully on one side.
inline constexpr float PanHalfWidth = 320.0f;
// Constant-power pan of a source lying `lateral` units to the listener's right (negative: left): the sum of
// the squared gains is always 1; the centre gives both sides 1/sqrt(2).
PLATFORM_API StereoGain ConstantPowerPan(float lateral);

struct Vector3 {
    float x;
    float y;
    float z;
};
struct Placement {
    float distance;  // from the listener
    float lateral;   // along the listener's right-hand direction
};
// Where a source lies for a listener at `listener` facing `front` with `top` upward (DirectSound's
// left-handed axes: front (0,0,1) and top (0,1,0) put +x on the right).
PLATFORM_API Placement PlaceSource(Vector3 source, Vector3 listener, Vector3 front, Vector3 top);

// The sound cone of DirectSound 3D: amplitude factor of a source pointing along `orientation` heard in the
// direction `toListener`. Within half the inside angle of the orientation 1; beyond half the outside angle the
// outside volume (hundredths of a decibel); between, the volume in decibels changes linearly with the angle. With
// an inside angle of 360, a zero orientation or a listener at the source, 1.
PLATFORM_API float ConeGain(Vector3 toListener, Vector3 orientation, unsigned insideAngle, unsigned outsideAngle,
                            long outsideVolume);

// PCM sample formats of the sound buffers: unsigned 8-bit (silence 128) or signed 16-bit little-endian,
// mono or interleaved stereo. One frame is one sample per channel.
struct PcmFormat {
    unsigned channels = 1;        // 1 or 2
    unsigned bitsPerSample = 16;  // 8 or 16
    unsigned rate = 44100;
    unsigned FrameBytes() const { return channels * bitsPerSample / 8; }
};
// Whether the mixer can play a format.
PLATFORM_API bool IsPlayableFormat(const PcmFormat& format);
// One frame as left and right in [-1, 1); a mono frame gives the same value on both sides.
PLATFORM_API void ReadFrame(const PcmFormat& format, const std::uint8_t* data, std::size_t frame, float& left,
                            float& right);

// Linear resampling: fills `frames` output frames (interleaved stereo floats, added to what `out` holds,
// scaled by the two gains) from position `position` (in source frames) onward, advancing by
// sourceRate/deviceRate per output frame. With `looping` the read wraps at the end; without, it stops there.
// Returns the number of output frames produced; `position` is left after the last frame read.
struct ResampleRun {
    const PcmFormat* format;
    const std::uint8_t* data;
    std::size_t frameCount;
    bool looping;
};
PLATFORM_API std::size_t ResampleAdd(const ResampleRun& run, double& position, unsigned deviceRate, StereoGain gain,
                                     float* out, std::size_t frames);

// A float sample in [-1, 1] as signed 16-bit, clipped.
PLATFORM_API std::int16_t ToSample16(float value);

}  // namespace platform
