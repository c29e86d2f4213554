#include "EngineWriting.h"

namespace packtool {

std::uint32_t ValueOf(const WriteContext& context, const std::string& token, int line)
{
    if (token.size() > 1 && token[0] == '-')
        return static_cast<std::uint32_t>(-static_cast<std::int64_t>(ParseNumber(token.substr(1), line)));
    return ResolveID(context.names, token, line);
}

float FloatOf(const std::string& token, int line)
{
    try {
        std::size_t used = 0;
        const float value = std::stof(token, &used);
        if (used == token.size()) return value;
    } catch (const std::exception&) {
    }
    throw ManifestError(line, "not a number: " + token);
}

}  // namespace packtool
