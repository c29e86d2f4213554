// The demo campaign's sounds, synthesised as 16-bit mono RIFF WAVE files at 22050 Hz: tones that sweep in
// pitch, noise bursts for explosions and short jingles. Each mission has its own enemy shot and explosion.
#include "CampaignSounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "WaveKit.h"

namespace campaignsound {

namespace {

constexpr int Rate = 22050;
constexpr double Pi = 3.14159265358979323846;

std::string Wave(const std::vector<double>& samples)
{
    std::string data;
    for (double s : samples) AppendSample(data, static_cast<std::int16_t>(std::clamp(s, -1.0, 1.0) * 32000));
    return WaveFile(data, Rate);
}

// A tone from startHz to endHz; square adds the odd harmonics of a harsher wave.
std::vector<double> Sweep(double startHz, double endHz, double seconds, double loudness, bool square)
{
    const int count = static_cast<int>(Rate * seconds);
    std::vector<double> out(count);
    double phase = 0;
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / count;
        phase += 2 * Pi * (startHz + (endHz - startHz) * t) / Rate;
        double wave = std::sin(phase);
        if (square) wave = wave + std::sin(3 * phase) / 3 + std::sin(5 * phase) / 5;
        out[i] = loudness * std::min(1.0, i / 30.0) * (1 - t) * (1 - t) * wave;
    }
    return out;
}

// Noise through a one-pole low-pass whose cut falls with time: a bang that dies into a rumble.
std::vector<double> Bang(double seconds, double loudness, double brightness, std::uint32_t seed)
{
    const int count = static_cast<int>(Rate * seconds);
    std::vector<double> out(count);
    double low = 0;
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / count;
        seed = seed * 1664525u + 1013904223u;
        const double noise = static_cast<double>(seed >> 8) / (1u << 24) * 2 - 1;
        const double cut = brightness * (1 - 0.85 * t);
        low += cut * (noise - low);
        out[i] = loudness * std::pow(1 - t, 1.6) * low * 2.2;
    }
    return out;
}

std::vector<double> Jingle(std::initializer_list<double> notes, double noteSeconds, double loudness)
{
    std::vector<double> out;
    for (double hz : notes) {
        const std::vector<double> note = Sweep(hz, hz, noteSeconds, loudness, true);
        out.insert(out.end(), note.begin(), note.end());
    }
    return out;
}

std::vector<double> Add(std::vector<double> a, const std::vector<double>& b)
{
    if (a.size() < b.size()) a.resize(b.size());
    for (std::size_t i = 0; i < b.size(); ++i) a[i] += b[i];
    return a;
}

}  // namespace

std::vector<NamedSound> CampaignSounds()
{
    return {
        {"pshot.wav", Wave(Sweep(1600, 500, 0.10, 0.35, true))},
        {"pickup.wav", Wave(Jingle({660, 880, 1320}, 0.06, 0.4))},
        {"bonus.wav", Wave(Jingle({784, 988, 1175, 1568}, 0.07, 0.4))},
        {"full.wav", Wave(Jingle({523, 659, 784, 1047, 784, 1047}, 0.09, 0.45))},
        {"warp.wav", Wave(Sweep(200, 900, 0.5, 0.4, false))},
        {"charge.wav", Wave(Sweep(300, 1400, 0.4, 0.35, true))},
        {"vortex.wav", Wave(Add(Sweep(900, 120, 0.7, 0.4, false), Bang(0.7, 0.2, 0.05, 7)))},
        {"missile.wav", Wave(Add(Sweep(500, 700, 0.25, 0.2, true), Bang(0.25, 0.25, 0.3, 11)))},
        {"dive.wav", Wave(Sweep(1200, 300, 0.45, 0.3, false))},
        {"whoosh.wav", Wave(Bang(0.4, 0.4, 0.08, 13))},
        {"eshot1.wav", Wave(Sweep(900, 700, 0.08, 0.3, false))},
        {"eshot2.wav", Wave(Sweep(500, 250, 0.12, 0.3, true))},
        {"eshot3.wav", Wave(Add(Sweep(300, 150, 0.15, 0.3, true), Bang(0.15, 0.2, 0.4, 17)))},
        {"boom1.wav", Wave(Bang(0.45, 0.8, 0.35, 19))},
        {"boom2.wav", Wave(Add(Bang(0.55, 0.8, 0.2, 23), Sweep(140, 60, 0.55, 0.3, false)))},
        {"boom3.wav", Wave(Add(Bang(0.6, 0.8, 0.5, 29), Sweep(90, 40, 0.6, 0.4, true)))},
        {"bossboom.wav", Wave(Add(Bang(1.8, 0.9, 0.15, 31), Sweep(80, 30, 1.8, 0.5, false)))},
        {"clang.wav", Wave(Add(Sweep(1900, 1700, 0.12, 0.25, true), Bang(0.1, 0.3, 0.7, 37)))},
        {"click.wav", Wave(Sweep(880, 440, 0.09, 0.6, false))},
        {"hover.wav", Wave(Sweep(1320, 1200, 0.03, 0.25, false))},
    };
}

}  // namespace campaignsound
