// One copy of a program per user, in place of a named mutex: the first copy holds a lock file and listens on a
// local socket beside it; a later copy finds the lock taken and may ask the first one about its windows.
//
// While a process holds an InstanceLock that found another copy running, FindWindowA looks among that copy's
// windows when none of the process's own match, and the handles found there are the first copy's: ShowWindow
// and SendMessageA (WM_COMMAND only) on them act in the first copy. The first copy answers whenever it looks at
// its message queue; a copy that does not answer within a second (it is still starting) counts as having no
// windows at all.
//
// The lock file and the socket are "<name>.lock" and "<name>.sock" in VEL_INSTANCE_DIR, else in
// XDG_RUNTIME_DIR, else in /tmp/vel-<uid> (made private to the user).
#pragma once
#include <string>

#include "platform/win32_base.h"

namespace platform {

class PLATFORM_API InstanceLock {
public:
    explicit InstanceLock(const char* name);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when another process held the lock: this one owns nothing then.
    bool AlreadyRunning() const { return alreadyRunning_; }
    // Gives the lock up (and stops answering); a later copy may then become the first. Safe to call twice.
    void Release();

private:
    int lockFile_ = -1;
    int listener_ = -1;
    bool alreadyRunning_ = false;
    std::string socketPath_;
};

// Answers the questions that later copies have sent so far; the message queue calls it on every look.
PLATFORM_API void ServeInstanceRequests();

}  // namespace platform
