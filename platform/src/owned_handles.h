// Owners of the C library's and the system's handles inside the platform layer: each closes or frees its handle
// when it goes. (C streams have theirs in platform/unique_file.h, for the engine's use as well.)
#pragma once
#include <dirent.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

namespace platform {

// Memory from malloc and the functions that hand out such memory (realpath, strdup).
struct FreeDeleter {
    void operator()(void* memory) const { std::free(memory); }
};
template <typename T>
using UniqueMalloc = std::unique_ptr<T, FreeDeleter>;

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};
using UniqueDir = std::unique_ptr<DIR, DirCloser>;

// A file descriptor; -1 holds none.
class UniqueFd {
public:
    explicit UniqueFd(int fd = -1) : fd_(fd) {}
    ~UniqueFd() { Reset(); }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int Get() const { return fd_; }
    bool IsOpen() const { return fd_ >= 0; }
    void Reset(int fd = -1)
    {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_;
};

}  // namespace platform
