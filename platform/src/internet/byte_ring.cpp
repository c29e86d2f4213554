#include "internet/byte_ring.h"

#include <algorithm>
#include <cstring>

namespace platform::inet {

ByteRing::ByteRing(std::size_t capacity) : bytes_(new char[capacity]), capacity_(capacity) {}

void ByteRing::WriteAt(std::size_t at, const char* data, std::size_t count)
{
    const std::size_t first = std::min(count, capacity_ - at);
    std::memcpy(bytes_.get() + at, data, first);
    std::memcpy(bytes_.get(), data + first, count - first);
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
    return count;
}

}  // namespace platform::inet
