// Sounds for the content generators: 16-bit mono samples wrapped in a RIFF WAVE file as the game's sound reader
// takes it.
#pragma once
#include <string>

// Appends a 16-bit little-endian sample.
inline void AppendSample(std::string& pcm, int value)
{
    pcm += static_cast<char>(value & 0xFF);
    pcm += static_cast<char>(value >> 8 & 0xFF);
}

// The WAVE file of pcm: 16-bit mono samples at rate hertz.
inline std::string WaveFile(const std::string& pcm, unsigned rate)
{
    auto put16 = [](std::string& s, unsigned v) { s += char(v & 0xFF), s += char(v >> 8 & 0xFF); };
    auto put32 = [&](std::string& s, unsigned v) { put16(s, v & 0xFFFF), put16(s, v >> 16); };
    std::string file = "RIFF";
    put32(file, static_cast<unsigned>(36 + pcm.size()));
    file += "WAVEfmt ";
    put32(file, 16), put16(file, 1), put16(file, 1), put32(file, rate), put32(file, rate * 2), put16(file, 2);
    put16(file, 16);
    file += "data";
    put32(file, static_cast<unsigned>(pcm.size()));
    return file + pcm;
}
