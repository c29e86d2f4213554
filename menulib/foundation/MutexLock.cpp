#include "foundation/MutexLock.h"

#include <mutex>

namespace {
class RecursiveLock : public LockObject {
public:
    void Lock() override { m_mutex.lock(); }
    bool TryLock() override { return m_mutex.try_lock(); }
    void Unlock() override { m_mutex.unlock(); }

private:
    std::recursive_mutex m_mutex;
};
}  // namespace

std::unique_ptr<LockObject> CreateMutexObject() { return std::make_unique<RecursiveLock>(); }
