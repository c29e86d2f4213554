// A lock that one thread may take again while it holds it (as a Windows mutex is), shared between the
// library's thread and the web request service's worker.
#pragma once
#include <memory>

class LockObject {
public:
    virtual ~LockObject() = default;
    virtual void Lock() = 0;
    // Takes the lock when no other thread holds it; false (and not taken) otherwise.
    virtual bool TryLock() = 0;
    virtual void Unlock() = 0;
};

std::unique_ptr<LockObject> CreateMutexObject();

class MutexLock {
public:
    MutexLock() : m_lock(CreateMutexObject()) {}
    void Lock() { m_lock->Lock(); }
    bool TryLock() { return m_lock->TryLock(); }
    void Unlock() { m_lock->Unlock(); }

private:
    std::unique_ptr<LockObject> m_lock;
};
