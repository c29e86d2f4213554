// Writes the game's music as Standard MIDI Files: make_music <folder> writes there
//   Title.mid     a calm arpeggio over four chords with a bass line,
//   Mission1.mid  a bright, steady march in A major with a light beat (the first mission),
//   Mission2.mid  a driving minor tune with a running bass (the second),
//   Mission3.mid  a fast, tense tune over a pulsing bass and a full beat (the last mission and its fortress),
// each meant to be played over and over.
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

void Tempo(Track& t, int beatsPerMinute)
{
    const std::uint32_t micros = 60000000u / static_cast<std::uint32_t>(beatsPerMinute);
    t.Event(0, {0xFF, 0x51, 0x03, std::uint8_t(micros >> 16), std::uint8_t(micros >> 8), std::uint8_t(micros)});
}

Track TitleTrack()
{
    Track t;
    Tempo(t, 120);
    t.Event(0, {0xC0, 88});  // a warm pad on channel 1
    t.Event(0, {0xC1, 33});  // a bass on channel 2
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

// A mission tune: per bar, a chord (root and two notes above it), eight eighth notes of melody given as steps
// into the chord's scale, a bass figure and a drum pattern; every bar plays on channels 1 (lead), 2 (bass),
// 3 (chord pad) and 10 (drums).
struct MissionTune {
    int beatsPerMinute;
    std::uint8_t lead, bass, pad;
    std::vector<std::vector<int>> chords;  // root, third, fifth (MIDI notes)
    std::vector<int> melody;               // 8 offsets into the chord per bar, -1 a rest
    std::vector<int> bassSteps;            // 8 offsets from the root (in semitones) per bar
    std::vector<int> kick, snare, hat;     // 8 eighth-note flags per bar
};

Track MissionTrack(const MissionTune& tune)
{
    Track t;
    Tempo(t, tune.beatsPerMinute);
    t.Event(0, {0xC0, tune.lead});
    t.Event(0, {0xC1, tune.bass});
    t.Event(0, {0xC2, tune.pad});
    constexpr std::uint32_t eighth = kTicksPerBeat / 2;
    for (int pass = 0; pass < 2; ++pass) {
        for (const std::vector<int>& chord : tune.chords) {
            for (int note : chord) t.Event(0, {0x92, std::uint8_t(note), 50});
            for (int step = 0; step < 8; ++step) {
                const int melody = tune.melody[step];
                const std::uint8_t lead = std::uint8_t(melody < 0 ? 0 : chord[melody % 3] + 12 * (1 + melody / 3));
                const std::uint8_t bass = std::uint8_t(chord[0] - 24 + tune.bassSteps[step]);
                if (melody >= 0) t.Event(0, {0x90, lead, std::uint8_t(pass == 0 ? 80 : 95)});
                t.Event(0, {0x91, bass, 90});
                if (tune.kick[step]) t.Event(0, {0x99, 36, 100});
                if (tune.snare[step]) t.Event(0, {0x99, 38, 90});
                if (tune.hat[step]) t.Event(0, {0x99, 42, 60});
                t.Event(eighth, {0x81, bass, 0});
                if (melody >= 0) t.Event(0, {0x80, lead, 0});
            }
            for (int note : chord) t.Event(0, {0x82, std::uint8_t(note), 0});
        }
    }
    t.Event(0, {0xFF, 0x2F, 0x00});
    return t;
}

const MissionTune kMissionTunes[] = {
    {126,
     80,
     33,
     89,
     {{57, 61, 64}, {62, 66, 69}, {64, 68, 71}, {57, 61, 64}},
     {0, 1, 2, 1, 3, 2, 1, -1},
     {0, 0, 7, 0, 0, 0, 7, 12},
     {1, 0, 0, 0, 1, 0, 0, 0},
     {0, 0, 1, 0, 0, 0, 1, 0},
     {1, 1, 1, 1, 1, 1, 1, 1}},
    {138,
     81,
     38,
     90,
     {{57, 60, 64}, {53, 57, 60}, {55, 59, 62}, {52, 56, 59}},
     {0, 2, 1, 3, 2, 4, 3, 1},
     {0, 12, 0, 12, 0, 12, 10, 12},
     {1, 0, 0, 1, 1, 0, 0, 0},
     {0, 0, 1, 0, 0, 0, 1, 1},
     {1, 0, 1, 0, 1, 0, 1, 0}},
    {156,
     30,
     39,
     91,
     {{52, 55, 59}, {53, 57, 60}, {52, 55, 59}, {47, 51, 54}},
     {3, -1, 3, 4, 5, 4, 3, 2},
     {0, 0, 0, 0, 1, 1, 0, 0},
     {1, 0, 1, 0, 1, 0, 1, 1},
     {0, 0, 1, 0, 0, 1, 1, 0},
     {1, 1, 1, 1, 1, 1, 1, 1}},
};

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
    const std::string folder = argv[1];
    bool written = WriteMidi(folder + "/Title.mid", TitleTrack());
    for (int k = 0; k < 3; ++k)
        written =
            written && WriteMidi(folder + "/Mission" + std::to_string(k + 1) + ".mid", MissionTrack(kMissionTunes[k]));
    return written ? 0 : 1;
}
