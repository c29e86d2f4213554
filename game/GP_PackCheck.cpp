#include "GP_PackCheck.h"

#include <cstdlib>

#include "GP_Log.h"
#include "GP_NameServer.h"

namespace {

constexpr std::size_t kTrailerTextSize = 1024;

bool ReadTrailerText(std::FILE* stream, std::string& text)
{
    text.clear();
    for (int c = std::fgetc(stream); c != '\0'; c = std::fgetc(stream)) {
        if (c == EOF || text.size() == kTrailerTextSize - 1) return false;
        text += static_cast<char>(c);
    }
    return true;
}

std::string NameOrEmpty(const CGP_NameServer& names, std::uint16_t index)
{
    const char* name = names.GetName(index, 0);
    return name ? name : "";
}

}  // namespace

bool GP_ReadPackTrailer(std::FILE* stream, std::uint32_t trailer, GP_PackTrailer& out)
{
    std::uint16_t versions[2] = {};
    if (std::fseek(stream, trailer, SEEK_SET) != 0 || std::fread(versions, sizeof versions, 1, stream) != 1)
        return false;
    out.major = versions[0];
    out.minor = versions[1];
    return ReadTrailerText(stream, out.title) && ReadTrailerText(stream, out.fileName);
}

bool GP_CheckPack(const CGP_NameServer& names, bool trailerWhole, const GP_PackTrailer& trailer,
                  const std::string& expectedFileName)
{
    const std::string title = NameOrEmpty(names, 2), major = NameOrEmpty(names, 3), minor = NameOrEmpty(names, 4),
                      fileName = NameOrEmpty(names, 8);
    GP_LogWrite(("NT: " + title + " " + fileName + " " + major + "." + minor + "\n").c_str());
    GP_LogWrite(("CN: " + trailer.title + " " + trailer.fileName + " " + std::to_string(trailer.major) + "." +
                 std::to_string(trailer.minor) + "\n")
                    .c_str());
    return trailerWhole && trailer.major == GP_PackMajorVersion && !title.empty() && trailer.title == title &&
           !fileName.empty() && trailer.fileName == fileName && fileName == expectedFileName && !major.empty() &&
           static_cast<std::uint16_t>(std::atoi(major.c_str())) == trailer.major;
}
