#include "platform/audio_math.h"

#include <algorithm>
#include <cmath>

namespace platform {

float GainFromHundredthsOfDb(long volume)
{
    if (volume <= -10000) return 0.0f;
    return static_cast<float>(std::pow(10.0, static_cast<double>(volume) / 2000.0));
}

float DistanceGain(float distance, float minDistance, float rolloff)
{
    if (distance <= minDistance || minDistance <= 0.0f) return 1.0f;
    return minDistance / (minDistance + rolloff * (distance - minDistance));
}

StereoGain ConstantPowerPan(float lateral)
{
    const float pan = std::clamp(lateral / PanHalfWidth, -1.0f, 1.0f);
    const float angle = (pan + 1.0f) * 0.78539816f;  // 0 .. pi/2
    return {std::cos(angle), std::sin(angle)};
}

namespace {

Vector3 Minus(Vector3 a, Vector3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
float Dot(Vector3 a, Vector3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vector3 Cross(Vector3 a, Vector3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

}  // namespace

Placement PlaceSource(Vector3 source, Vector3 listener, Vector3 front, Vector3 top)
{
    const Vector3 offset = Minus(source, listener);
    const float distance = std::sqrt(Dot(offset, offset));
    const Vector3 right = Cross(top, front);
    const float length = std::sqrt(Dot(right, right));
    const float lateral = length > 0.0f ? Dot(offset, right) / length : 0.0f;
    return {distance, lateral};
}

float ConeGain(Vector3 toListener, Vector3 orientation, unsigned insideAngle, unsigned outsideAngle, long outsideVolume)
{
    if (insideAngle >= 360) return 1.0f;
    const float lengths = std::sqrt(Dot(toListener, toListener) * Dot(orientation, orientation));
    if (lengths <= 0.0f) return 1.0f;
    const float cosine = std::clamp(Dot(toListener, orientation) / lengths, -1.0f, 1.0f);
    const float angle = std::acos(cosine) * 57.2957795f * 2.0f;  // the full cone angle that just reaches the listener
    if (angle <= static_cast<float>(insideAngle)) return 1.0f;
    if (angle >= static_cast<float>(outsideAngle)) return GainFromHundredthsOfDb(outsideVolume);
    const float share = (angle - insideAngle) / static_cast<float>(outsideAngle - insideAngle);
    return GainFromHundredthsOfDb(std::lround(share * static_cast<float>(outsideVolume)));
}

bool IsPlayableFormat(const PcmFormat& format)
{
    return (format.channels == 1 || format.channels == 2) &&
           (format.bitsPerSample == 8 || format.bitsPerSample == 16) && format.rate >= 100 && format.rate <= 200000;
}

void ReadFrame(const PcmFormat& format, const std::uint8_t* data, std::size_t frame, float& left, float& right)
{
    const std::uint8_t* at = data + frame * format.FrameBytes();
    auto sample = [&](unsigned channel) {
        if (format.bitsPerSample == 8) return (static_cast<float>(at[channel]) - 128.0f) / 128.0f;
        const auto value = static_cast<std::int16_t>(at[channel * 2] | (at[channel * 2 + 1] << 8));
        return static_cast<float>(value) / 32768.0f;
    };
    left = sample(0);
    right = format.channels == 2 ? sample(1) : left;
}

std::size_t ResampleAdd(const ResampleRun& run, double& position, unsigned deviceRate, StereoGain gain, float* out,
                        std::size_t frames)
{
    if (run.frameCount == 0 || deviceRate == 0) return 0;
    const double step = static_cast<double>(run.format->rate) / deviceRate;
    const double end = static_cast<double>(run.frameCount);
    std::size_t made = 0;
    while (made < frames) {
        if (position >= end) {
            if (!run.looping) break;
            position = std::fmod(position, end);
        }
        const auto index = static_cast<std::size_t>(position);
        const float fraction = static_cast<float>(position - static_cast<double>(index));
        std::size_t next = index + 1;
        if (next >= run.frameCount) next = run.looping ? 0 : index;
        float l0, r0, l1, r1;
        ReadFrame(*run.format, run.data, index, l0, r0);
        ReadFrame(*run.format, run.data, next, l1, r1);
        out[made * 2] += gain.left * (l0 + (l1 - l0) * fraction);
        out[made * 2 + 1] += gain.right * (r0 + (r1 - r0) * fraction);
        position += step;
        ++made;
    }
    return made;
}

std::int16_t ToSample16(float value)
{
    const float scaled = std::round(value * 32768.0f);
    return static_cast<std::int16_t>(std::clamp(scaled, -32768.0f, 32767.0f));
}

}  // namespace platform
