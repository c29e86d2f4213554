// Small sound and music files made by the tests themselves: WAVE files with chosen chunks and samples, a
// Standard MIDI File of a few notes, and level measurements of mixed output.
#pragma once
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

inline void AppendU32(std::string& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}
inline void AppendU16(std::string& out, std::uint16_t v)
{
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}

// One RIFF chunk: tag, size, body, and the pad byte after an odd-sized body.
inline std::string Chunk(const std::string& tag, const std::string& body, bool pad = true)
{
    std::string out = tag;
    AppendU32(out, static_cast<std::uint32_t>(body.size()));
    out += body;
    if (pad && body.size() % 2) out += '\0';
    return out;
}

// The body of a PCM "fmt " chunk (16 bytes, or more with `extra` bytes after it).
inline std::string FormatBody(unsigned channels, unsigned rate, unsigned bits, const std::string& extra = "")
{
    std::string out;
    AppendU16(out, 1);
    AppendU16(out, static_cast<std::uint16_t>(channels));
    AppendU32(out, rate);
    AppendU32(out, rate * channels * bits / 8);
    AppendU16(out, static_cast<std::uint16_t>(channels * bits / 8));
    AppendU16(out, static_cast<std::uint16_t>(bits));
    return out + extra;
}

// A sine of `frames` 16-bit mono frames at `amplitude` (0..1).
inline std::string SineSamples16(std::size_t frames, unsigned rate, double hertz, double amplitude)
{
    std::string out;
    for (std::size_t i = 0; i < frames; ++i)
        AppendU16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(
                           std::lround(amplitude * 32767.0 * std::sin(2.0 * M_PI * hertz * i / rate)))));
    return out;
}

// "RIFF" size "WAVE" followed by the given chunks.
inline std::string RiffWave(const std::string& chunks)
{
    std::string out = "RIFF";
    AppendU32(out, static_cast<std::uint32_t>(4 + chunks.size()));
    return out + "WAVE" + chunks;
}

// A mono 16-bit WAVE file of a sine.
inline std::string SineWave(std::size_t frames, unsigned rate = 22050, double hertz = 440.0, double amplitude = 0.5)
{
    return RiffWave(Chunk("fmt ", FormatBody(1, rate, 16)) +
                    Chunk("data", SineSamples16(frames, rate, hertz, amplitude)));
}

// A Standard MIDI File (format 0, 96 ticks a quarter at 120 beats a minute, so 192 ticks a second) that plays
// a chord on the piano for `ticks` ticks and ends.
inline std::string ChordMidiFile(std::uint32_t ticks = 96)
{
    std::string track;
    const unsigned char notes[] = {60, 64, 67};
    track += '\0';
    track += static_cast<char>(0xC0);  // program change: piano
    track += '\0';
    for (unsigned char note : notes) {
        track += '\0';
        track += static_cast<char>(0x90);
        track += static_cast<char>(note);
        track += static_cast<char>(110);
    }
    // The delta time of the first note off, as a variable-length number.
    std::string delta;
    delta += static_cast<char>(ticks & 0x7F);
    for (std::uint32_t rest = ticks >> 7; rest; rest >>= 7)
        delta.insert(delta.begin(), static_cast<char>(0x80 | (rest & 0x7F)));
    for (std::size_t i = 0; i < 3; ++i) {
        track += i == 0 ? delta : std::string(1, '\0');
        track += static_cast<char>(0x80);
        track += static_cast<char>(notes[i]);
        track += static_cast<char>(64);
    }
    track += std::string("\0\xFF\x2F\0", 4);
    std::string out = "MThd";
    out += std::string("\0\0\0\x06\0\0\0\x01\0\x60", 10);
    out += "MTrk";
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((track.size() >> shift) & 0xFF);
    return out + track;
}

// Root-mean-square level (0..1) of one channel (0 left, 1 right) of interleaved stereo frames [from, to).
inline double Rms(const std::vector<std::int16_t>& stereo, int channel, std::size_t from, std::size_t to)
{
    double sum = 0.0;
    std::size_t n = 0;
    for (std::size_t f = from; f < to && f * 2 + 1 < stereo.size(); ++f, ++n) {
        const double v = stereo[f * 2 + channel] / 32768.0;
        sum += v * v;
    }
    return n ? std::sqrt(sum / n) : 0.0;
}

}  // namespace testsupport
