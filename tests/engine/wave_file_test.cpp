#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "AudioFixtures.h"
#include "GP_WaveFile.h"

using namespace testsupport;

namespace {

// Reads a WAVE held in memory; `after` bytes follow it, as the next resource of a pack would.
bool Read(const std::string& bytes, WAVEFORMATEX& format, std::vector<BYTE>& samples, const std::string& after = "")
{
    const std::string content = bytes + after;
    std::FILE* stream = fmemopen(const_cast<char*>(content.data()), content.size(), "rb");
    const bool ok = GP_ReadWave(stream, format, samples);
    std::fclose(stream);
    return ok;
}

const std::string Fmt = Chunk("fmt ", FormatBody(1, 22050, 16));
const std::string Data = Chunk("data", std::string("\x01\x02\x03\x04\x05\x06", 6));

}  // namespace

TEST(WaveFile, ReadsFormatAndDataPastOtherChunks)
{
    struct Case {
        const char* what;
        std::string file;
        std::size_t dataBytes;
    } cases[] = {
        {"plain", RiffWave(Fmt + Data), 6},
        {"LIST chunk before fmt", RiffWave(Chunk("LIST", "INFOISFT\x05\0\0\0abcde") + Fmt + Data), 6},
        {"odd-sized chunk padded", RiffWave(Fmt + Chunk("junk", "xyz") + Data), 6},
        {"odd-sized data", RiffWave(Fmt + Chunk("data", "abc")), 3},
        {"data before fmt", RiffWave(Data + Fmt), 6},
        {"second data chunk skipped", RiffWave(Fmt + Data + Chunk("data", "zz")), 6},
        {"fmt of 18 bytes", RiffWave(Chunk("fmt ", FormatBody(1, 22050, 16, std::string(2, '\0'))) + Data), 6},
        {"fmt longer than 18 bytes",
         RiffWave(Chunk("fmt ", FormatBody(1, 22050, 16, std::string("\x16\0", 2) + std::string(22, 'e'))) + Data), 6},
    };
    for (const Case& c : cases) {
        WAVEFORMATEX format{};
        std::vector<BYTE> samples;
        ASSERT_TRUE(Read(c.file, format, samples)) << c.what;
        EXPECT_EQ(format.wFormatTag, WAVE_FORMAT_PCM) << c.what;
        EXPECT_EQ(format.nSamplesPerSec, 22050u) << c.what;
        EXPECT_EQ(format.wBitsPerSample, 16) << c.what;
        EXPECT_EQ(samples.size(), c.dataBytes) << c.what;
    }
    WAVEFORMATEX format{};
    std::vector<BYTE> samples;
    ASSERT_TRUE(Read(RiffWave(Fmt + Data), format, samples));
    EXPECT_EQ(std::string(samples.begin(), samples.end()), std::string("\x01\x02\x03\x04\x05\x06", 6));
    EXPECT_EQ(format.cbSize, 0);  // a 16-byte format chunk leaves the rest zero
}

TEST(WaveFile, DamagedFilesFailCleanly)
{
    std::string hugeData = "data";
    AppendU32(hugeData, 0x7FFFFFF0u);
    hugeData += "abcd";
    std::string hugeSkip = "LIST";
    AppendU32(hugeSkip, 0xFFFFFFF0u);
    struct Case {
        const char* what;
        std::string file;
    } cases[] = {
        {"empty", ""},
        {"not RIFF", "RIFX" + RiffWave(Fmt + Data).substr(4)},
        {"not WAVE", "RIFF\x10\0\0\0AVI " + Fmt + Data},
        {"cut in the header", RiffWave(Fmt + Data).substr(0, 10)},
        {"fmt under 14 bytes", RiffWave(Chunk("fmt ", FormatBody(1, 22050, 16).substr(0, 12)) + Data)},
        {"no data chunk", RiffWave(Fmt)},
        {"no fmt chunk", RiffWave(Data)},
        {"data larger than the file", RiffWave(Fmt + hugeData)},
        {"chunk skipped past the end", RiffWave(hugeSkip + Fmt + Data)},
        {"cut in a chunk header", RiffWave(Fmt + "da")},
        {"fmt cut short", RiffWave(Chunk("fmt ", FormatBody(1, 22050, 16)).substr(0, 14))},
    };
    for (const Case& c : cases) {
        WAVEFORMATEX format{};
        std::vector<BYTE> samples;
        EXPECT_FALSE(Read(c.file, format, samples)) << c.what;
    }
    // The size is bounded by the stream, not by the file's own RIFF size: bytes of the next resource may follow.
    WAVEFORMATEX format{};
    std::vector<BYTE> samples;
    EXPECT_TRUE(Read(RiffWave(Fmt + Data), format, samples, "NEXTRESOURCE"));
}
