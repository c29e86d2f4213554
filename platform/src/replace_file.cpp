#include "platform/replace_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace {

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

}  // namespace

namespace platform {

bool ReplaceFileWhole(const std::string& path, std::string_view contents, unsigned permissions,
                      BeforeReplaceHook beforeReplace)
{
    const std::string temporary = path + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, permissions);
    if (fd < 0) return false;
    const bool written = WriteAll(fd, contents) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written) {
        ::unlink(temporary.c_str());
        return false;
    }
    if (beforeReplace) beforeReplace(temporary.c_str());
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolderOf(path);
    return true;
}

}  // namespace platform
