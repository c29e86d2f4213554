// Writes the game's music as Standard MIDI Files: make_music <folder> writes "Title.mid" there, a calm
// arpeggio over four chords with a bass line, meant to be played over and over.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kTicksPerBeat = 96;

struct Track {
    std::vector<std::uint8_t> bytes;

    void Delta(std::uint32_t ticks)
    {
        std::uint8_t groups[4];
        int count = 0;
        do {
            groups[count++] = ticks & 0x7F;
            ticks >>= 7;
        } while (ticks);
        while (count-- > 1) bytes.push_back(groups[count] | 0x80);
        bytes.push_back(groups[0]);
    }
    void Event(std::uint32_t delta, std::initializer_list<std::uint8_t> data)
    {
        Delta(delta);
        bytes.insert(bytes.end(), data);
    }
};

void Put32(std::FILE* out, std::uint32_t v)
{
    const std::uint8_t b[] = {std::uint8_t(v >> 24), std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v)};
    std::fwrite(b, 1, 4, out);
}

Track TitleTrack()
{
    Track t;
    t.Event(0, {0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20});  // 120 beats a minute
    t.Event(0, {0xC0, 88});                            // a warm pad on channel 1
    t.Event(0, {0xC1, 33});                            // a bass on channel 2
    const int chords[4][3] = {{57, 60, 64}, {53, 57, 60}, {48, 52, 55}, {55, 59, 62}};
    for (const auto& chord : chords) {
        t.Event(0, {0x91, std::uint8_t(chord[0] - 12), 90});
        for (int step = 0; step < 8; ++step) {
            const std::uint8_t note = std::uint8_t(chord[step % 3] + (step >= 4 ? 12 : 0));
            t.Event(0, {0x90, note, 70});
            t.Event(kTicksPerBeat / 2, {0x80, note, 0});
        }
        t.Event(0, {0x81, std::uint8_t(chord[0] - 12), 0});
    }
    t.Event(0, {0xFF, 0x2F, 0x00});
    return t;
}

bool WriteMidi(const std::string& path, const Track& track)
{
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    std::fwrite("MThd", 1, 4, out);
    Put32(out, 6);
    const std::uint8_t header[] = {0, 0, 0, 1, 0, kTicksPerBeat};
    std::fwrite(header, 1, sizeof header, out);
    std::fwrite("MTrk", 1, 4, out);
    Put32(out, static_cast<std::uint32_t>(track.bytes.size()));
    std::fwrite(track.bytes.data(), 1, track.bytes.size(), out);
    return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_music <folder>\n");
        return 2;
    }
    return WriteMidi(std::string(argv[1]) + "/Title.mid", TitleTrack()) ? 0 : 1;
}
