// A fixed circle of bytes: what is put in comes out in the same order, and the room never grows, so a transfer's
// unread data costs the same memory however long it runs and no byte is moved after it was put in. One writer
// and one reader may share it with a lock around the calls that count (Size, Room, End, Commit, Take) and the
// copy of WriteAt outside it: the bytes a writer fills after End are none that Take reads until they are
// committed, and taking bytes never moves End.
#pragma once
#include <cstddef>
#include <memory>

namespace platform::inet {

class ByteRing {
public:
    explicit ByteRing(std::size_t capacity);

    std::size_t Size() const { return size_; }
    std::size_t Room() const { return capacity_ - size_; }
    // Where the next bytes go.
    std::size_t End() const { return (start_ + size_) % capacity_; }
    // Copies count bytes to position at (an End) on; they are unread only once committed. The caller has made
    // sure of the room.
    void WriteAt(std::size_t at, const char* data, std::size_t count);
    void Commit(std::size_t count) { size_ += count; }
    // Moves up to count of the oldest bytes into out; returns how many.
    std::size_t Take(char* out, std::size_t count);

private:
    std::unique_ptr<char[]> bytes_;
    std::size_t capacity_;
    std::size_t start_ = 0;
    std::size_t size_ = 0;
};

}  // namespace platform::inet
