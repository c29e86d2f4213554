#include "platform/files.h"

#include "ascii_case.h"

#include <dirent.h>
#include <sys/stat.h>

#include <vector>

namespace {

bool Exists(const std::string& path)
{
    struct stat info{};
    return ::lstat(path.c_str(), &info) == 0;
}

// The entry of folder that equals name without regard to case, or "" when there is none.
std::string FindIgnoringCase(const std::string& folder, std::string_view name)
{
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return {};
    std::string found;
    while (dirent* entry = ::readdir(dir)) {
        if (platform::EqualIgnoringCase(entry->d_name, name)) {
            found = entry->d_name;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

std::string Join(const std::string& folder, std::string_view name)
{
    if (folder.empty()) return std::string(name);
    if (folder.back() == '/') return folder + std::string(name);
    return folder + "/" + std::string(name);
}

}  // namespace

namespace platform {

std::string ResolvePath(std::string_view path)
{
    std::string unified(path);
    for (char& c : unified)
        if (c == '\\') c = '/';
    if (unified.empty() || Exists(unified)) return unified;

    std::vector<std::string_view> parts;
    std::string_view rest(unified);
    const bool absolute = rest.front() == '/';
    while (!rest.empty()) {
        std::size_t cut = rest.find('/');
        std::string_view part = rest.substr(0, cut);
        if (!part.empty()) parts.push_back(part);
        rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
    }

    std::string resolved = absolute ? "/" : "";
    bool searching = true;
    for (std::string_view part : parts) {
        std::string candidate = Join(resolved, part);
        if (searching && part != "." && part != ".." && !Exists(candidate)) {
            const std::string match = FindIgnoringCase(resolved, part);
            searching = !match.empty();  // else the rest does not exist yet: keep it as spelled
            if (searching) candidate = Join(resolved, match);
        }
        resolved = std::move(candidate);
    }
    if (unified.back() == '/' && !resolved.empty() && resolved.back() != '/') resolved += '/';
    return resolved;
}

std::FILE* OpenFile(std::string_view path, const char* mode)
{
    return std::fopen(ResolvePath(path).c_str(), mode);
}

bool WildcardMatch(std::string_view pattern, std::string_view name)
{
    if (pattern == "*.*" || pattern == "*") return true;
    // Iterative matching with one back-track point for the last "*".
    std::size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || platform::AsciiLower(pattern[p]) == platform::AsciiLower(name[n]))) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace platform
