#include "internet/byte_ring.h"

#include <algorithm>
#include <cstring>

namespace platform::inet {

ByteRing::ByteRing(std::size_t capacity) : bytes_(new char[capacity]), capacity_(capacity) {}

void ByteRing::Put(const char* data, std::size_t count)
{
    const std::size_t put = put_.load(std::memory_order_relaxed);
    const std::size_t at = put % capacity_;
    const std::size_t first = std::min(count, capacity_ - at);
    std::memcpy(bytes_.get() + at, data, first);
    std::memcpy(bytes_.get(), data + first, count - first);
    put_.store(put + count);
}

std::size_t ByteRing::Take(char* out, std::size_t count)
{
    const std::size_t taken = taken_.load(std::memory_order_relaxed);
    count = std::min(count, put_.load() - taken);
    if (count == 0) return 0;
    const std::size_t at = taken % capacity_;
    const std::size_t first = std::min(count, capacity_ - at);
    std::memcpy(out, bytes_.get() + at, first);
    std::memcpy(out + first, bytes_.get(), count - first);
    taken_.store(taken + count);
    return count;
}

}  // namespace platform::inet
