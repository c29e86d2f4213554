// The binary form of objects: a float marker, the class version, every property in schema order, custom data.
#include "foundation/Object.h"
#include "foundation/PropertyStream.h"

namespace {
constexpr float kBinaryMarker = 27.0f;
constexpr float kOldBinaryMarker = 24.0f;  // followed by an int32 that is dropped
}  // namespace

void CObject::WriteBinary(PropertyStream& stream) const
{
    const ClassInfo* record = GetClassInfo();
    stream.WriteFloat(kBinaryMarker);
    stream.WriteFloat(record->GetVersion());
    for (int i = 0; i < record->Count(); ++i) record->GetProperty(i)->WriteBinary(HolderOf(this), stream);
    WriteCustomBinary(stream);
}

bool CObject::ReadBinary(PropertyStream& stream)
{
    const ClassInfo* record = GetClassInfo();
    const ObjectNesting nesting;
    if (nesting.TooDeep()) return false;
    float marker;
    if (!stream.ReadFloat(marker)) return false;
    if (marker == kOldBinaryMarker) {
        std::int32_t dropped;
        if (!stream.ReadInt(dropped)) return false;
    }
    if (!(marker >= 4.0f)) return false;
    float version;
    if (!stream.ReadFloat(version)) return false;
    if (marker != kBinaryMarker || version != record->GetVersion()) return false;
    for (int i = 0; i < record->Count(); ++i)
        if (!record->GetProperty(i)->ReadBinary(HolderOf(this), stream)) return false;
    return ReadCustomBinary(stream);
}
