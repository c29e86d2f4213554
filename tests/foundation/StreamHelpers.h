// Property streams over bytes in memory for the object tests.
#pragma once
#include <cstdlib>
#include <cstring>
#include <string>

#include "foundation/CFileBuf.h"
#include "foundation/Object.h"
#include "foundation/PropertyStream.h"

namespace streamtest {

inline void OpenForWriting(PropertyStream& stream) { stream.Attach(new CMemoryFileBuf, kFileCreate | kFileWrite, true); }

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
