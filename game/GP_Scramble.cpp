#include "GP_Scramble.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "platform/replace_file.h"

namespace {

std::uint8_t PositionKey(std::size_t index) { return static_cast<std::uint8_t>((2 * index) & 0xFF); }

std::uint8_t MoveBits(std::uint8_t plain)
{
    std::uint8_t moved = 0;
    for (const GP_ScrambleBitPair& pair : GP_ScrambleBitTable)
        if (pair.plainMask & plain & GP_ScrambleMovedBits) moved |= pair.storedMask;
    return moved;
}

std::uint8_t RestoreBits(std::uint8_t stored)
{
    std::uint8_t plain = 0;
    for (const GP_ScrambleBitPair& pair : GP_ScrambleBitTable)
        if (pair.storedMask & stored) plain |= pair.plainMask;
    return plain;
}

// The files scrambled here are the players' own: anything larger than this is not one of them.
constexpr std::size_t kMaxScoreFileBytes = 64u << 20;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::string GP_ScrambleBytes(std::string_view plain)
{
    std::string stored(plain.size() * 2, '\0');
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const auto p = static_cast<std::uint8_t>(plain[i]);
        const std::uint8_t k = PositionKey(i);
        stored[2 * i] = static_cast<char>((p & GP_ScrambleKeptBits) ^ k);
        stored[2 * i + 1] = static_cast<char>(MoveBits(p) ^ static_cast<std::uint8_t>(k + 1));
    }
    return stored;
}

std::string GP_UnscrambleBytes(std::string_view stored)
{
    std::string plain(stored.size() / 2, '\0');
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const std::uint8_t k = PositionKey(i);
        const auto moved =
            static_cast<std::uint8_t>(static_cast<std::uint8_t>(stored[2 * i + 1]) ^ static_cast<std::uint8_t>(k + 1));
        plain[i] = static_cast<char>((static_cast<std::uint8_t>(stored[2 * i]) ^ k) | RestoreBits(moved));
    }
    return plain;
}

bool GP_ReadWholeFile(const std::string& path, std::size_t maxBytes, std::string* contents)
{
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return false;
    std::string text;
    char chunk[8192];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
        if (text.size() + got > maxBytes) return false;
        text.append(chunk, got);
    }
    if (std::ferror(file.get())) return false;
    *contents = std::move(text);
    return true;
}

bool GP_ScrambleFile(const std::string& sourcePath, const std::string& targetPath)
{
    std::string plain;
    if (!GP_ReadWholeFile(sourcePath, kMaxScoreFileBytes, &plain)) return false;
    return platform::ReplaceFileWhole(targetPath, GP_ScrambleBytes(plain));
}

bool GP_UnscrambleFile(const std::string& sourcePath, const std::string& targetPath)
{
    std::string stored;
    if (!GP_ReadWholeFile(sourcePath, kMaxScoreFileBytes * 2, &stored)) return false;
    return platform::ReplaceFileWhole(targetPath, GP_UnscrambleBytes(stored));
}

void GP_KeepRefusedFile(const std::string& path)
{
    std::error_code failed;
    if (!std::filesystem::is_regular_file(path, failed)) return;
    const std::string kept = path + ".damaged";
    std::filesystem::copy_file(path, kept, std::filesystem::copy_options::overwrite_existing, failed);
    if (failed)
        std::fprintf(stderr, "%s cannot be read and could not be kept: %s\n", path.c_str(), failed.message().c_str());
    else
        std::fprintf(stderr, "%s cannot be read; it is kept as %s\n", path.c_str(), kept.c_str());
}
