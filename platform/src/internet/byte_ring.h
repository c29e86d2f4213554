// A fixed circle of bytes between one writer thread and one reader thread, without a lock: what is put in comes
// out in the same order, and the room never grows, so a transfer's unread data costs the same memory however
// long it runs. The writer's Put publishes the bytes after it has copied them; the reader's Take frees their room
// after it has copied them out. Both counts are sequentially consistent, so a thread that stores its own count
// and then looks at a flag of the other side's (a pause, a waiting read) is never missed by the other side doing
// the same the other way round.
#pragma once
#include <atomic>
#include <cstddef>
#include <memory>

namespace platform::inet {

class ByteRing {
public:
    explicit ByteRing(std::size_t capacity);

    // Either side: the unread bytes, and the room for more.
    std::size_t Size() const { return put_.load() - taken_.load(); }
    std::size_t Room() const { return capacity_ - Size(); }
    // The writer's: copies count bytes in; the caller has made sure of the room.
    void Put(const char* data, std::size_t count);
    // The reader's: moves up to count of the oldest bytes into out; returns how many.
    std::size_t Take(char* out, std::size_t count);

private:
    std::unique_ptr<char[]> bytes_;
    std::size_t capacity_;
    // Bytes put in and taken out since the start. Each is written by one side at a time (the writer may take for a
    // reader that has handed its read over and waits), and each has a cache line of its own, so that the writer's
    // stores do not take the line from under the reader's, and the other way round.
    alignas(64) std::atomic<std::size_t> put_ = 0;
    alignas(64) std::atomic<std::size_t> taken_ = 0;
};

}  // namespace platform::inet
