#include "ToolFiles.h"

#include <cstdio>
#include <memory>
#include <stdexcept>

#include "platform/files.h"

namespace packtool {

std::string ReadWholeFile(const std::filesystem::path& path)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(platform::OpenFile(path.string(), "rb"), std::fclose);
    if (!file) throw std::runtime_error("cannot read " + path.string());
    std::string bytes;
    char buffer[32768];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, got);
    if (std::ferror(file.get())) throw std::runtime_error("cannot read " + path.string());
    return bytes;
}

}  // namespace packtool
