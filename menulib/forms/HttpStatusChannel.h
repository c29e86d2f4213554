// What the HTTP service shares with the WinINet table's thread: the service lock, the queue of status records and
// the last redirect target. The status callback builds its record before it takes the lock and only appends under
// it, into room kept in advance; the menu's thread takes the whole queue under the same lock and applies the records
// after it has let go, so neither thread holds the lock for longer than an exchange of two lists, and a poll that
// finds the lock held leaves the records to the next poll rather than wait. Records carry the tag of the request
// they belong to, and a record whose tag is not the running request's is dropped, so a late status of a closed
// request never reaches the next one.
#pragma once
#include <cstdint>
#include <vector>

#include "foundation/MutexLock.h"
#include "platform/wininet_async.h"

struct HttpStatusRecord {
    std::uint32_t code = 0;
    bool hasInformation = false;
    char information[256] = {};  // a text of at most 255 bytes, or the first 8 bytes of a handle or number
    std::uint32_t length = 0;    // as the table gave it

    // The record's number: a handle, a byte count or a call's result.
    std::uint64_t Number() const;
};

struct HttpStatusChannel {
    static constexpr int kRedirectRoom = 1023;
    static constexpr std::size_t kReservedRecords = 64;

    MutexLock lock;
    std::vector<HttpStatusRecord> queue;    // oldest first
    std::vector<HttpStatusRecord> drained;  // the menu's thread's own: the records taken, keeping its room
    char redirect[kRedirectRoom + 1] = {};
    int redirectCount = 0;
    DWORD_PTR runningTag = 0;  // 0: no request runs
    DWORD_PTR lastTag = 0;
};

// The process-wide channel, made on first use.
HttpStatusChannel& GetHttpStatusChannel();

// Holds a MutexLock for a scope.
class MutexHold {
public:
    explicit MutexHold(MutexLock& lock) : m_lock(lock) { m_lock.Lock(); }
    ~MutexHold() { m_lock.Unlock(); }
    MutexHold(const MutexHold&) = delete;
    MutexHold& operator=(const MutexHold&) = delete;

private:
    MutexLock& m_lock;
};

// Builds the record for a status, or false for a code that is not queued.
bool MakeStatusRecord(DWORD status, const void* information, DWORD length, HttpStatusRecord* record);
