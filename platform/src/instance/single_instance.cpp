#include "platform/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "instance/peer_windows.h"

namespace {

std::string InstanceFolder()
{
    for (const char* variable : {"VEL_INSTANCE_DIR", "XDG_RUNTIME_DIR"}) {
        const char* folder = std::getenv(variable);
        if (folder && *folder) return folder;
    }
    const std::string folder = "/tmp/vel-" + std::to_string(::getuid());
    ::mkdir(folder.c_str(), 0700);
    return folder;
}

// A listening socket at path (any leftover of a copy that ended without cleaning up is replaced), or -1.
int Listen(const std::string& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return -1;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (socket < 0) return -1;
    ::unlink(path.c_str());
    if (::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || ::listen(socket, 8) != 0) {
        ::close(socket);
        return -1;
    }
    return socket;
}

}  // namespace

namespace platform {

InstanceLock::InstanceLock(const char* name)
{
    const std::string base = InstanceFolder() + "/" + name;
    socketPath_ = base + ".sock";
    lockFile_ = ::open((base + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    // Without a lock file nobody can tell copies apart: this one runs as the first.
    if (lockFile_ < 0) return;
    if (::flock(lockFile_, LOCK_EX | LOCK_NB) != 0) {
        alreadyRunning_ = errno == EWOULDBLOCK;
        ::close(lockFile_);
        lockFile_ = -1;
        if (alreadyRunning_) SetPeerSocket(socketPath_);
        return;
    }
    listener_ = Listen(socketPath_);
    SetInstanceListener(listener_);
}

InstanceLock::~InstanceLock() { Release(); }

void InstanceLock::Release()
{
    if (alreadyRunning_) SetPeerSocket("");
    alreadyRunning_ = false;
    if (listener_ >= 0) {
        SetInstanceListener(-1);
        ::close(listener_);
        ::unlink(socketPath_.c_str());
        listener_ = -1;
    }
    if (lockFile_ >= 0) {
        ::close(lockFile_);  // closing drops the lock
        lockFile_ = -1;
    }
}

}  // namespace platform
