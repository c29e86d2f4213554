#include "platform/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace {

// The longest chain of symbolic links followed, as the kernel's own limit.
constexpr int kMaxLinks = 40;

bool WriteAll(int fd, std::string_view text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t wrote = ::write(fd, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

// Makes the rename itself durable.
void SyncFolderOf(const std::string& path)
{
    const std::string folder = std::filesystem::path(path).parent_path().string();
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// The file that path finally names: a symbolic link (or a chain of them) is followed to its target, so that the
// link stays a link and its target gets the new text, as when the file is opened for writing. False for a loop.
bool FollowLinks(const std::string& path, std::string* target)
{
    std::string current = path;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        std::error_code failed;
        const std::filesystem::path link = std::filesystem::read_symlink(current, failed);
        if (failed) {  // not a link (or nothing there yet): this is the file
            *target = current;
            return true;
        }
        current = link.is_absolute() ? link.string() : (std::filesystem::path(current).parent_path() / link).string();
    }
    errno = ELOOP;
    return false;
}

// What opening an existing file for writing refuses: a folder or other non-file, and a read-only file (the
// platform's read-only attribute is the owner's missing write permission, which stops even the superuser,
// as the attribute stops every Windows user), or a file this process may not write.
bool MayReplace(const std::string& target, const struct stat& existing)
{
    if (S_ISDIR(existing.st_mode)) {
        errno = EISDIR;
        return false;
    }
    if (!S_ISREG(existing.st_mode) || !(existing.st_mode & S_IWUSR) ||
        ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        errno = EACCES;
        return false;
    }
    return true;
}

// The new file takes over the old one's owner and mode. Where this process may not give the file away, it stays
// the process's own. The owner goes first: changing it clears the set-ID bits.
void KeepOwnerAndMode(int fd, const struct stat& existing)
{
    if (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid())
        static_cast<void>(::fchown(fd, existing.st_uid, existing.st_gid) == 0);
    ::fchmod(fd, existing.st_mode & 07777);
}

// Writes the text into a new temporary file and syncs it; the temporary is gone again on failure.
bool WriteTemporary(const std::string& temporary, std::string_view contents, unsigned permissions,
                    const struct stat* existing)
{
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, permissions);
    if (fd < 0) return false;
    if (existing) KeepOwnerAndMode(fd, *existing);
    const bool written = WriteAll(fd, contents) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace

namespace platform {

bool ReplaceFileWhole(const std::string& path, std::string_view contents, unsigned permissions,
                      BeforeReplaceHook beforeReplace)
{
    std::string target;
    if (path.empty() || !FollowLinks(path, &target)) return false;
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !MayReplace(target, existing)) return false;

    const std::string temporary = target + ".tmp";
    if (!WriteTemporary(temporary, contents, permissions, exists ? &existing : nullptr)) return false;
    if (beforeReplace) beforeReplace(temporary.c_str());
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolderOf(target);
    return true;
}

}  // namespace platform
