// Integer, enum, float, bool, flag and pair descriptors, and the range-to-bits rule.
#include <locale.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "foundation/BitStream.h"
#include "foundation/Object.h"
#include "foundation/PropertyStream.h"
#include "foundation/PropertyTypes.h"

namespace {

// Numbers in property files are read and written in the C locale, whatever the process's locale is.
locale_t CLocale()
{
    static locale_t locale = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

double ParseDouble(const char* text) { return ::strtod_l(text, nullptr, CLocale()); }

// The "%g" text of a float, locale-free.
void FloatText(float value, CString& out)
{
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value), std::chars_format::general, 6);
    out.Assign(buffer, static_cast<int>(result.ptr - buffer));
}

int SignificantBits(std::uint32_t n)
{
    int c = 0;
    while (n) {
        ++c;
        n >>= 1;
    }
    return c;
}

CObject* OwnerOf(void* holder) { return static_cast<CObject*>(holder); }

}  // namespace

// ---- range to bits

namespace {
struct RangeShape {
    std::uint32_t v, n;
    int c;
    std::uint32_t m;
};
RangeShape Shape(std::uint32_t value, std::int32_t min, std::int32_t max)
{
    std::int32_t clamped = static_cast<std::int32_t>(value);
    if (clamped < min) clamped = min;
    if (clamped > max) clamped = max;
    RangeShape shape;
    shape.v = static_cast<std::uint32_t>(clamped) - static_cast<std::uint32_t>(min);
    shape.n = static_cast<std::uint32_t>(max) - static_cast<std::uint32_t>(min);
    shape.c = SignificantBits(shape.n);
    shape.m = shape.c > 0 ? (1u << (shape.c - 1)) - 1 : 0;
    return shape;
}
bool IsFullRange(const RangeShape& shape)
{
    return shape.c == 32 ? shape.n == 0xFFFFFFFFu : shape.n == (1u << shape.c) - 1;
}
}  // namespace

void WriteRangeBits(BitStream& stream, std::uint32_t value, std::int32_t min, std::int32_t max)
{
    if (min == max) {
        stream.WriteBits(value, 32);
        return;
    }
    const RangeShape shape = Shape(value, min, max);
    if (IsFullRange(shape)) {
        stream.WriteBits(shape.v, shape.c);
        return;
    }
    stream.WriteBits(shape.v & ((1u << (shape.c - 1)) - 1), shape.c - 1);
    if (shape.v < shape.n - shape.m || shape.v > shape.m) stream.WriteBit(shape.v > shape.m);
}

std::int32_t ReadRangeBits(BitStream& stream, std::int32_t min, std::int32_t max)
{
    if (min == max) return static_cast<std::int32_t>(stream.ReadBits(32));
    const RangeShape shape = Shape(0, min, max);
    if (IsFullRange(shape))
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(min) + stream.ReadBits(shape.c));
    std::uint32_t d = stream.ReadBits(shape.c - 1);
    if (d < shape.n - shape.m && stream.ReadBit()) d += 1u << (shape.c - 1);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(min) + d);
}

int RangeBitCount(std::int32_t value, std::int32_t min, std::int32_t max)
{
    BitStream probe;
    WriteRangeBits(probe, static_cast<std::uint32_t>(value), min, max);
    return static_cast<int>(probe.BitCount());
}

// ---- Integer

IntegerPropertyInfo::IntegerPropertyInfo(const char* name, MemberRef<std::int32_t> member, std::int32_t defaultValue,
                                         std::int32_t min, std::int32_t max, Setter setter, int flags)
    : NumberPropertyInfo(name, nullptr, member, defaultValue, min, max, setter, flags)
{
}

IntegerPropertyInfo::IntegerPropertyInfo(const char* name, MemberRef<std::int32_t> member, const Options& options)
    : IntegerPropertyInfo(name, member, options.defaultValue, options.min, options.max, options.setter, options.flags)
{
    m_units = options.units;
}

IntegerPropertyInfo* IntegerPropertyInfo::IntegerPropertyInfoWithUnits(const char* name, const char* units,
                                                                       MemberRef<std::int32_t> member,
                                                                       std::int32_t defaultValue, std::int32_t min,
                                                                       std::int32_t max, Setter setter, int flags)
{
    auto* info = new IntegerPropertyInfo(name, member, defaultValue, min, max, setter, flags);
    info->m_units = units;
    return info;
}

void IntegerPropertyInfo::ValueToText(const void* holder, CString& out) const { out.Format("%d", Ref(holder)); }

std::int32_t IntegerPropertyInfo::InRange(std::int32_t value) const
{
    if (m_min == m_max) return value;
    return value < m_min ? m_min : (value > m_max ? m_max : value);
}

void IntegerPropertyInfo::SetFromText(void* holder, const CString& text, PropertyStream*) const
{
    Assign(holder, InRange(std::atoi(text.GetText())));
}

void IntegerPropertyInfo::WriteBinary(const void* holder, PropertyStream& stream) const
{
    stream.WriteInt(Ref(holder));
}

bool IntegerPropertyInfo::ReadBinary(void* holder, PropertyStream& stream) const
{
    std::int32_t value;
    if (!stream.ReadInt(value)) return false;
    Ref(holder) = InRange(value);
    return true;
}

void IntegerPropertyInfo::WriteDeltaBits(const void* holder, BitStream& stream, const void*) const
{
    WriteRangeBits(stream, static_cast<std::uint32_t>(Ref(holder)), m_min, m_max);
}

void IntegerPropertyInfo::ReadDeltaBits(void* holder, BitStream& stream) const
{
    const std::int32_t value = ReadRangeBits(stream, m_min, m_max);
    if (!stream.IsDamaged()) Ref(holder) = value;
}

// ---- Enum

EnumPropertyInfo::EnumPropertyInfo(const char* name, MemberRef<std::int32_t> member, std::int32_t defaultValue,
                                   std::int32_t min, std::int32_t max, Setter setter, int flags)
    : NumberPropertyInfo(name, nullptr, member, defaultValue, min == max ? 0 : min, min == max ? -1 : max, setter,
                         flags)
{
}

EnumPropertyInfo::EnumPropertyInfo(const char* name, MemberRef<std::int32_t> member, const Options& options)
    : EnumPropertyInfo(name, member, options.defaultValue, options.min, options.max, options.setter, options.flags)
{
}

EnumPropertyInfo* EnumPropertyInfo::AddNamedValue(std::int32_t value, const char* valueName)
{
    m_namedValues.Add(value, valueName);
    return this;
}

void EnumPropertyInfo::ValueToText(const void* holder, CString& out) const
{
    if (const auto* named = m_namedValues.FindValue(Ref(holder)))
        out = named->name;
    else
        out.Format("%u", static_cast<std::uint32_t>(Ref(holder)));
}

void EnumPropertyInfo::SetFromText(void* holder, const CString& text, PropertyStream*) const
{
    // A name is taken before the number its text would read as, so a name is never mistaken for 0.
    if (const auto* named = m_namedValues.FindName(text)) return Assign(holder, named->value);
    Assign(holder, InRange(std::atoi(text.GetText())));
}

std::int32_t EnumPropertyInfo::InRange(std::int32_t value) const
{
    if (m_namedValues.FindValue(value)) return value;
    const std::uint32_t u = static_cast<std::uint32_t>(value);
    if (u < static_cast<std::uint32_t>(m_min)) return m_min;
    if (u > static_cast<std::uint32_t>(m_max)) return m_max;
    return value;
}

void EnumPropertyInfo::WriteBinary(const void* holder, PropertyStream& stream) const { stream.WriteInt(Ref(holder)); }

bool EnumPropertyInfo::ReadBinary(void* holder, PropertyStream& stream) const
{
    std::int32_t value;
    if (!stream.ReadInt(value)) return false;
    Ref(holder) = InRange(value);
    return true;
}

void EnumPropertyInfo::WriteDeltaBits(const void* holder, BitStream& stream, const void*) const
{
    // The enum's own rule first: out of range compares without sign, as in every other form.
    const std::uint32_t value = static_cast<std::uint32_t>(InRange(Ref(holder)));
    if (UsesAllBits())
        stream.WriteBits(value, 32);
    else
        WriteRangeBits(stream, value, m_min, m_max);
}

void EnumPropertyInfo::ReadDeltaBits(void* holder, BitStream& stream) const
{
    const std::int32_t value =
        UsesAllBits() ? static_cast<std::int32_t>(stream.ReadBits(32)) : ReadRangeBits(stream, m_min, m_max);
    if (!stream.IsDamaged()) Ref(holder) = InRange(value);
}

// ---- Float

FloatPropertyInfo::FloatPropertyInfo(const char* name, MemberRef<float> member, float defaultValue, float min,
                                     float max, float scale, Setter setter, int flags, float step, const char* units)
    : NumberPropertyInfo(name, units, member, defaultValue, min, max, setter, flags), m_scale(scale), m_step(step)
{
}

FloatPropertyInfo::FloatPropertyInfo(const char* name, MemberRef<float> member, const Options& options)
    : FloatPropertyInfo(name, member, options.defaultValue, options.min, options.max, options.scale, options.setter,
                        options.flags, options.step, options.units)
{
}

FloatPropertyInfo* FloatPropertyInfo::AddNamedValue(float value, const char* valueName)
{
    m_namedValues.Add(value, valueName);
    return this;
}

void FloatPropertyInfo::ValueToText(const void* holder, CString& out) const
{
    if (const auto* named = m_namedValues.FindValue(Ref(holder)))
        out = named->name;
    else
        FloatText(Ref(holder), out);
}

void FloatPropertyInfo::SetFromText(void* holder, const CString& text, PropertyStream*) const
{
    if (const auto* named = m_namedValues.FindName(text)) return Assign(holder, named->value);
    Assign(holder, InRange(static_cast<float>(ParseDouble(text.GetText()))));
}

float FloatPropertyInfo::InRange(float value) const
{
    if (m_min == m_max || m_namedValues.FindValue(value)) return value;
    if (std::isnan(value)) return m_min;
    return value < m_min ? m_min : (value > m_max ? m_max : value);
}

void FloatPropertyInfo::WriteBinary(const void* holder, PropertyStream& stream) const
{
    stream.WriteFloat(Ref(holder));
}

bool FloatPropertyInfo::ReadBinary(void* holder, PropertyStream& stream) const
{
    float value;
    if (!stream.ReadFloat(value)) return false;
    Ref(holder) = InRange(value);
    return true;
}

void FloatPropertyInfo::WriteDeltaBits(const void* holder, BitStream& stream, const void*) const
{
    std::uint32_t bits;
    std::memcpy(&bits, &Ref(holder), 4);
    stream.WriteBits(bits, 32);
}

void FloatPropertyInfo::ReadDeltaBits(void* holder, BitStream& stream) const
{
    const std::uint32_t bits = stream.ReadBits(32);
    float value;
    std::memcpy(&value, &bits, 4);
    if (!stream.IsDamaged()) Ref(holder) = InRange(value);
}

// ---- Bool

BoolPropertyInfo::BoolPropertyInfo(const char* name, MemberRef<bool> member, bool defaultValue, Callback callback,
                                   int flags)
    : TypedPropertyInfo(name, nullptr, member, flags), m_callback(callback), m_default(defaultValue)
{
}

void BoolPropertyInfo::Assign(void* holder, const bool& value) const
{
    const bool changed = Ref(holder) != value;
    Ref(holder) = value;
    if (changed && m_callback) m_callback(OwnerOf(holder), value);
}

void BoolPropertyInfo::ValueToText(const void* holder, CString& out) const { out.Format("%u", Ref(holder) ? 1u : 0u); }

void BoolPropertyInfo::SetFromText(void* holder, const CString& text, PropertyStream*) const
{
    Assign(holder, std::atoi(text.GetText()) != 0);
}

void BoolPropertyInfo::WriteBinary(const void* holder, PropertyStream& stream) const
{
    stream.WriteByte(Ref(holder) ? 1 : 0);
}

bool BoolPropertyInfo::ReadBinary(void* holder, PropertyStream& stream) const
{
    std::uint8_t byte;
    if (!stream.ReadByte(byte)) return false;
    Ref(holder) = byte != 0;
    return true;
}

void BoolPropertyInfo::WriteDeltaBits(const void* holder, BitStream& stream, const void*) const
{
    stream.WriteBit(Ref(holder));
}

void BoolPropertyInfo::ReadDeltaBits(void* holder, BitStream& stream) const
{
    const bool value = stream.ReadBit();
    if (!stream.IsDamaged()) Ref(holder) = value;
}

// ---- Flag

FlagPropertyInfo::FlagPropertyInfo(const char* name, MemberRef<std::int32_t> member, std::int32_t mask, bool defaultOn,
                                   Setter setter, int flags)
    : TypedPropertyInfo(name, nullptr, member, flags), m_mask(mask), m_defaultOn(defaultOn), m_setter(setter)
{
}

void FlagPropertyInfo::Set(void* holder, bool on) const
{
    if (on)
        Ref(holder) |= m_mask;
    else
        Ref(holder) &= ~m_mask;
}

void FlagPropertyInfo::CopyValue(void* target, const void* source, const PropertyInfo* sourceInfo) const
{
    if (auto* from = dynamic_cast<const FlagPropertyInfo*>(sourceInfo)) Set(target, from->Get(source));
}

bool FlagPropertyInfo::IsEqual(const void* holder, const void* other, const PropertyInfo* otherInfo) const
{
    auto* from = dynamic_cast<const FlagPropertyInfo*>(otherInfo);
    return from && Get(holder) == from->Get(other);
}

void FlagPropertyInfo::ValueToText(const void* holder, CString& out) const { out = Get(holder) ? "1" : "0"; }

void FlagPropertyInfo::SetFromText(void* holder, const CString& text, PropertyStream*) const
{
    const bool on = std::atoi(text.GetText()) != 0;
    if (m_setter)
        m_setter(OwnerOf(holder), on);
    else
        Set(holder, on);
}

void FlagPropertyInfo::WriteBinary(const void* holder, PropertyStream& stream) const
{
    stream.WriteByte(Get(holder) ? 1 : 0);
}

bool FlagPropertyInfo::ReadBinary(void* holder, PropertyStream& stream) const
{
    std::uint8_t byte;
    if (!stream.ReadByte(byte)) return false;
    Set(holder, byte != 0);
    return true;
}

void FlagPropertyInfo::WriteDeltaBits(const void* holder, BitStream& stream, const void*) const
{
    stream.WriteBit(Get(holder));
}

void FlagPropertyInfo::ReadDeltaBits(void* holder, BitStream& stream) const
{
    const bool on = stream.ReadBit();
    if (!stream.IsDamaged()) Set(holder, on);
}

// ---- IntPair

IntPairPropertyInfo::IntPairPropertyInfo(const char* name, MemberRef<IntPair> member, IntPair defaultValue, int flags)
    : TypedPropertyInfo(name, nullptr, member, flags), m_default(defaultValue)
{
}

void IntPairPropertyInfo::ValueToText(const void* holder, CString& out) const
{
    out.Format("%d,%d", Ref(holder).first, Ref(holder).second);
}

void IntPairPropertyInfo::SetFromText(void* holder, const CString& text, PropertyStream*) const
{
    int first = Ref(holder).first, second = Ref(holder).second;
    std::sscanf(text.GetText(), "%d,%d", &first, &second);
    Ref(holder) = {first, second};
}

void IntPairPropertyInfo::WriteBinary(const void* holder, PropertyStream& stream) const
{
    stream.WriteInt(Ref(holder).first);
    stream.WriteInt(Ref(holder).second);
}

bool IntPairPropertyInfo::ReadBinary(void* holder, PropertyStream& stream) const
{
    return stream.ReadInt(Ref(holder).first) && stream.ReadInt(Ref(holder).second);
}
