#include "platform/files.h"

#include "ascii_case.h"
#include "folder_listing.h"

#include <sys/stat.h>

#include <cerrno>
#include <vector>

namespace {

bool Exists(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

// The entry of folder that equals name without regard to case, or "" when there is none.
std::string FindIgnoringCase(const std::string& folder, std::string_view name)
{
    const platform::FolderListing listing = platform::OpenFolderListing(folder);
    if (!listing) return {};
    while (dirent* entry = ::readdir(listing.get()))
        if (platform::EqualIgnoringCase(entry->d_name, name)) return entry->d_name;
    return {};
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
    std::FILE* file = std::fopen(ResolvePath(path).c_str(), mode);
    // fopen opens a folder for reading here; on Windows a folder never opens as a file.
    struct stat info {};
    if (file && ::fstat(::fileno(file), &info) == 0 && S_ISDIR(info.st_mode)) {
        std::fclose(file);
        errno = EISDIR;
        return nullptr;
    }
    return file;
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
