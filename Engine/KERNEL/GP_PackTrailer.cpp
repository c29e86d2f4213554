#include "GP_PackTrailer.h"

#include "GP_NameServer.h"

namespace {

bool ReadText(std::FILE* stream, std::string& text)
{
    text.clear();
    for (;;) {
        const int c = std::fgetc(stream);
        if (c == EOF || text.size() > CGP_NameServer::MaxTextLength) return false;
        if (c == 0) return true;
        text.push_back(static_cast<char>(c));
    }
}

bool WriteText(std::FILE* stream, const std::string& text)
{
    return std::fwrite(text.c_str(), text.size() + 1, 1, stream) == 1;
}

}  // namespace

bool GP_PackTrailer::Read(std::FILE* stream)
{
    std::uint16_t versions[2] = {};
    if (std::fread(versions, sizeof versions, 1, stream) != 1) return false;
    major = versions[0];
    minor = versions[1];
    return ReadText(stream, title) && ReadText(stream, fileName);
}

bool GP_PackTrailer::Write(std::FILE* stream) const
{
    const std::uint16_t versions[2] = {major, minor};
    return std::fwrite(versions, sizeof versions, 1, stream) == 1 && WriteText(stream, title) &&
           WriteText(stream, fileName);
}

bool GP_ReadPackTrailerOffset(std::FILE* pack, std::uint32_t& offset)
{
    return std::fseek(pack, 0, SEEK_SET) == 0 && std::fread(&offset, sizeof offset, 1, pack) == 1;
}

bool GP_WritePackTrailerOffset(std::FILE* pack, std::uint32_t offset)
{
    return std::fseek(pack, 0, SEEK_SET) == 0 && std::fwrite(&offset, sizeof offset, 1, pack) == 1;
}

bool GP_SeekPackNameTable(std::FILE* pack)
{
    std::uint32_t offset = 0;
    if (!GP_ReadPackTrailerOffset(pack, offset)) return false;
    return std::fseek(pack, static_cast<long>(offset) + GP_PackTrailer::VersionsSize, SEEK_SET) == 0;
}
