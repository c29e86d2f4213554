#include "frames/ColorProperty.h"

#include <cstdio>
#include <cstring>

#include "foundation/PropertyStream.h"

ColorProperty::ColorProperty(const char* name, MemberRef<Color> member, int r, int g, int b, int a, int flags)
    : TypedPropertyInfo(name, nullptr, member, flags)
{
    m_default.SetRGBAOnly(r, g, b, a);
}

bool ColorProperty::Equal(const Color& a, const Color& b) const { return std::memcmp(&a, &b, sizeof(Color)) == 0; }

void ColorProperty::ValueToText(const void* holder, CString& out) const
{
    const Color& c = Ref(holder);
    if (m_withAlpha)
        out.Format("%d,%d,%d,%d", c.R, c.G, c.B, c.A);
    else
        out.Format("%d,%d,%d", c.R, c.G, c.B);
}

void ColorProperty::SetFromText(void* holder, const CString& text, PropertyStream*) const
{
    int r = 0, g = 0, b = 0, a = 255;
    if (m_withAlpha)
        std::sscanf(text.GetText(), "%d,%d,%d,%d", &r, &g, &b, &a);
    else
        std::sscanf(text.GetText(), "%d,%d,%d", &r, &g, &b);
    Ref(holder).SetRGBA(r, g, b, a);
}

void ColorProperty::WriteBinary(const void* holder, PropertyStream& stream) const
{
    const Color& c = Ref(holder);
    stream.WriteByte(c.B);
    stream.WriteByte(c.G);
    stream.WriteByte(c.R);
    if (m_withAlpha) stream.WriteByte(c.A);
}

bool ColorProperty::ReadBinary(void* holder, PropertyStream& stream) const
{
    std::uint8_t b, g, r, a = 255;
    if (!stream.ReadByte(b) || !stream.ReadByte(g) || !stream.ReadByte(r)) return false;
    if (m_withAlpha && !stream.ReadByte(a)) return false;
    Ref(holder).SetRGBA(r, g, b, a);
    return true;
}
