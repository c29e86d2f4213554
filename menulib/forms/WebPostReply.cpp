#include "forms/WebPostReply.h"

#include <string_view>
#include <vector>

namespace {

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

std::string_view TrimBlanks(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

constexpr std::string_view kRepost = "REPOST:";

}  // namespace

WebPostReply ReadWebPostReply(const char* data, std::size_t size)
{
    WebPostReply reply;
    if (!data || size == 0 || size > kMaxWebPostReply) return reply;
    const std::vector<std::string_view> lines = SplitLines(std::string_view(data, size));
    if (lines.front() == "OK")
        reply.kind = WebPostReply::Kind::Accepted;
    else if (lines.front() == "REJECT")
        reply.kind = WebPostReply::Kind::Rejected;
    else
        return reply;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].substr(0, kRepost.size()) == kRepost) {
            reply.repostMessage = TrimBlanks(lines[i].substr(kRepost.size()));
        } else if (reply.kind == WebPostReply::Kind::Rejected) {
            if (!reply.reason.empty()) reply.reason += '\n';
            reply.reason += lines[i];
        }
    }
    // The reason ends with its last line that says something.
    while (!reply.reason.empty() && (reply.reason.back() == '\n' || reply.reason.back() == ' '))
        reply.reason.pop_back();
    return reply;
}
