// A fixed circle of bytes: what is put in comes out in the same order, and the room never grows, so a transfer's
// unread data costs the same memory however long it runs and no byte is moved after it was put in.
#pragma once
#include <cstddef>
#include <memory>

namespace platform::inet {

class ByteRing {
public:
    explicit ByteRing(std::size_t capacity);

    std::size_t Size() const { return size_; }
    std::size_t Room() const { return capacity_ - size_; }
    // Appends all of data; the caller has made sure of the room.
    void Put(const char* data, std::size_t count);
    // Moves up to count of the oldest bytes into out; returns how many.
    std::size_t Take(char* out, std::size_t count);

private:
    std::unique_ptr<char[]> bytes_;
    std::size_t capacity_;
    std::size_t start_ = 0;
    std::size_t size_ = 0;
};

}  // namespace platform::inet
