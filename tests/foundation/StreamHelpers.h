// Property streams over bytes in memory for the object tests.
#pragma once
#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "foundation/CFileBuf.h"
#include "foundation/Object.h"
#include "foundation/PropertyStream.h"

namespace streamtest {

inline void OpenForWriting(PropertyStream& stream)
{
    stream.Attach(new CMemoryFileBuf, kFileCreate | kFileWrite, true);
}

inline void OpenForReading(PropertyStream& stream, const std::string& bytes)
{
    void* copy = std::malloc(bytes.size() + 1);
    std::memcpy(copy, bytes.data(), bytes.size());
    stream.Attach(new CMemoryFileBuf(copy, static_cast<int>(bytes.size())), kFileRead, true);
}

inline std::string Bytes(PropertyStream& stream)
{
    auto* memory = static_cast<CMemoryFileBuf*>(stream.GetStream());
    return std::string(reinterpret_cast<const char*>(memory->GetData()), memory->Size());
}

inline std::string Text(const CObject& object)
{
    PropertyStream stream;
    OpenForWriting(stream);
    stream.SetIndenting(object.UseIndentation());
    object.WriteText(stream, true);
    return Bytes(stream);
}

inline bool ReadText(CObject& object, const std::string& text)
{
    PropertyStream stream;
    OpenForReading(stream, text);
    return object.ReadFromStream(stream);
}

inline std::string Binary(const CObject& object)
{
    PropertyStream stream;
    OpenForWriting(stream);
    object.WriteBinary(stream);
    return Bytes(stream);
}

inline bool ReadBinary(CObject& object, const std::string& bytes)
{
    PropertyStream stream;
    OpenForReading(stream, bytes);
    return object.ReadBinary(stream);
}

// Bytes that end right before a page the process may not touch (or start right after one), so that a read beyond
// them faults in every build, not only under the address sanitizer.
class GuardedBytes {
public:
    enum Side {
        GuardAfter,
        GuardBefore
    };

    GuardedBytes(const std::string& bytes, Side side) : size_(bytes.size())
    {
        const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
        const std::size_t dataPages = size_ / page + 1;
        length_ = (dataPages + 1) * page;
        void* mapped = mmap(nullptr, length_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        mapping_ = static_cast<char*>(mapped);
        char* guard = side == GuardAfter ? mapping_ + dataPages * page : mapping_;
        mprotect(guard, page, PROT_NONE);
        data_ = side == GuardAfter ? guard - size_ : guard + page;
        std::memcpy(data_, bytes.data(), size_);
    }
    GuardedBytes(const GuardedBytes&) = delete;
    GuardedBytes& operator=(const GuardedBytes&) = delete;
    ~GuardedBytes() { munmap(mapping_, length_); }

    char* Data() const { return data_; }
    int Size() const { return static_cast<int>(size_); }

private:
    std::size_t size_;
    std::size_t length_ = 0;
    char* mapping_ = nullptr;
    char* data_ = nullptr;
};

// A memory stream over bytes that it reads and leaves in place.
class BorrowedBytes : public CMemoryFileBuf {
public:
    explicit BorrowedBytes(const GuardedBytes& bytes) : CMemoryFileBuf(bytes.Data(), bytes.Size()) {}
    ~BorrowedBytes() override { BorrowedBytes::Close(); }
    void Close() override
    {
        if (GetData())
            DetachBuffer();  // comes back here with no data
        else
            CMemoryFileBuf::Close();
    }
};

// Runs read on a stream over the bytes twice, once with forbidden memory right after them and once right before.
template <class Read>
void ReadGuarded(const std::string& bytes, Read read)
{
    for (GuardedBytes::Side side : {GuardedBytes::GuardAfter, GuardedBytes::GuardBefore}) {
        GuardedBytes guarded(bytes, side);
        PropertyStream stream;
        stream.Attach(new BorrowedBytes(guarded), kFileRead, true);
        read(stream);
    }
}

// Every property of two objects of one class compares equal.
inline bool AllEqual(const CObject& a, const CObject& b)
{
    const ClassInfo* record = a.GetClassInfo();
    if (record != b.GetClassInfo()) return false;
    for (int i = 0; i < record->Count(); ++i)
        if (!record->GetProperty(i)->IsEqual(HolderOf(&a), HolderOf(&b), record->GetProperty(i))) return false;
    return true;
}

}  // namespace streamtest
