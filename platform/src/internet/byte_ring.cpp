#include "internet/byte_ring.h"

#include <algorithm>
#include <cstring>

namespace platform::inet {

ByteRing::ByteRing(std::size_t capacity) : bytes_(new char[capacity]), capacity_(capacity) {}

void ByteRing::Put(const char* data, std::size_t count)
{
    const std::size_t end = (start_ + size_) % capacity_;
    const std::size_t first = std::min(count, capacity_ - end);
    std::memcpy(bytes_.get() + end, data, first);
    std::memcpy(bytes_.get(), data + first, count - first);
    size_ += count;
}

std::size_t ByteRing::Take(char* out, std::size_t count)
{
    count = std::min(count, size_);
    if (count == 0) return 0;
    const std::size_t first = std::min(count, capacity_ - start_);
    std::memcpy(out, bytes_.get() + start_, first);
    std::memcpy(out + first, bytes_.get(), count - first);
    start_ = (start_ + count) % capacity_;
    size_ -= count;
    if (size_ == 0) start_ = 0;
    return count;
}

}  // namespace platform::inet
