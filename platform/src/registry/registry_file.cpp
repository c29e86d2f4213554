#include "registry/registry_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>

#include "owned_handles.h"
#include "platform/replace_file.h"
#include "registry/registry_system_values.h"
#include "registry/registry_text.h"
#include "user_folders.h"

namespace {
std::atomic<platform::RegistryReplaceHook> replaceHook{nullptr};
}

namespace platform::registry {

namespace {

std::string StorePath()
{
    if (const char* file = std::getenv("VEL_REGISTRY_FILE"); file && *file) return file;
    return platform::XdgFolder("XDG_CONFIG_HOME", ".config") + "/Velmorine/registry.reg";
}

// An flock on the store's lock file for as long as the object lives.
class StoreLock {
public:
    StoreLock(const std::string& storePath, bool exclusive)
        : fd_(::open((storePath + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600))
    {
        if (!fd_.IsOpen()) return;
        int result;
        do result = ::flock(fd_.Get(), exclusive ? LOCK_EX : LOCK_SH);
        while (result != 0 && errno == EINTR);
        if (result != 0) fd_.Reset();
    }

    bool Held() const { return fd_.IsOpen(); }

private:
    platform::UniqueFd fd_;  // closing it releases the lock
};

// Says once per damaged file (per process, per version of the file) which lines were skipped.
void ReportProblems(const std::string& path, const struct stat& info, const std::vector<std::string>& problems)
{
    static std::mutex lock;
    static std::string lastReported;
    const std::string signature = path + ":" + std::to_string(info.st_ino) + ":" + std::to_string(info.st_size) + ":" +
                                  std::to_string(info.st_mtim.tv_sec) + "." + std::to_string(info.st_mtim.tv_nsec);
    std::lock_guard<std::mutex> hold(lock);
    if (signature == lastReported) return;
    lastReported = signature;
    for (const std::string& problem : problems)
        std::fprintf(stderr, "registry file %s, %s: line skipped\n", path.c_str(), problem.c_str());
}

// size bytes of the descriptor into text; false when it ends or fails first.
bool ReadFully(int fd, std::string& text, std::size_t size)
{
    text.resize(size);
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t got = ::read(fd, text.data() + done, text.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        done += static_cast<std::size_t>(got);
    }
    return true;
}

LSTATUS LoadStore(const std::string& path, ParsedStore& parsed)
{
    const platform::UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.IsOpen()) return errno == ENOENT ? ERROR_SUCCESS : ERROR_BADDB;
    struct stat info {};
    std::string text;
    const bool readAll = ::fstat(fd.Get(), &info) == 0 && static_cast<std::size_t>(info.st_size) <= kMaxStoreFileSize &&
                         ReadFully(fd.Get(), text, static_cast<std::size_t>(info.st_size));
    if (!readAll) {
        std::fprintf(stderr, "registry file %s cannot be read or is too large to be a registry\n", path.c_str());
        return ERROR_BADDB;
    }
    parsed = ParseRegistryText(text);
    if (!parsed.problems.empty()) ReportProblems(path, info, parsed.problems);
    return ERROR_SUCCESS;
}

LSTATUS ReplaceStore(const std::string& path, const Store& store, bool keepOld)
{
    if (keepOld) {
        const std::string damaged = path + ".damaged";
        ::unlink(damaged.c_str());
        if (::link(path.c_str(), damaged.c_str()) == 0)
            std::fprintf(stderr, "registry file %s was damaged; its old text is kept in %s\n", path.c_str(),
                         damaged.c_str());
    }
    return platform::ReplaceFileWhole(path, FormatRegistryText(store), 0600, replaceHook.load()) ? ERROR_SUCCESS
                                                                                                 : ERROR_CANTWRITE;
}

}  // namespace

LSTATUS ReadStore(const std::function<LSTATUS(const Store&)>& look)
{
    const std::string path = StorePath();
    // Without a lock file (a folder not made yet, or read-only) the file is read as it is: it is only ever
    // replaced whole, so a reader sees the old store or the new one.
    StoreLock lock(path, false);
    ParsedStore parsed;
    if (LSTATUS status = LoadStore(path, parsed); status != ERROR_SUCCESS) return status;
    AddSystemValues(parsed.store);
    return look(parsed.store);
}

LSTATUS ChangeStore(const std::function<LSTATUS(Store&, bool& changed)>& change)
{
    const std::string path = StorePath();
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    StoreLock lock(path, true);
    if (!lock.Held()) return ERROR_CANTWRITE;
    ParsedStore parsed;
    if (LSTATUS status = LoadStore(path, parsed); status != ERROR_SUCCESS) return status;
    bool changed = false;
    const LSTATUS status = change(parsed.store, changed);
    if (status != ERROR_SUCCESS || !changed) return status;
    return ReplaceStore(path, parsed.store, !parsed.problems.empty());
}

}  // namespace platform::registry

namespace platform {

void SetRegistryReplaceHook(RegistryReplaceHook hook) { replaceHook = hook; }

}  // namespace platform
