// The property of a Color member: text "r,g,b" or, with alpha, "r,g,b,a"; binary B, G, R[, A].
#pragma once
#include "foundation/PropertyTypes.h"
#include "frames/Color.h"

class ColorProperty : public TypedPropertyInfo<Color, ColorProperty> {
public:
    ColorProperty(const char* name, MemberRef<Color> member, int r = 0, int g = 0, int b = 0, int a = 255,
                  int flags = 0);
    // Texts and binary forms carry the alpha too.
    ColorProperty* SetWithAlpha(bool on = true)
    {
        m_withAlpha = on;
        return this;
    }
    bool IsWithAlpha() const { return m_withAlpha; }

    bool Equal(const Color& a, const Color& b) const;
    void ResetToDefault(void* holder) const override { Ref(holder) = m_default; }
    bool IsAtDefault(const void* holder) const override { return Equal(Ref(holder), m_default); }
    void ValueToText(const void* holder, CString& out) const override;
    void SetFromText(void* holder, const CString& text, PropertyStream* stream) const override;
    void WriteBinary(const void* holder, PropertyStream& stream) const override;
    bool ReadBinary(void* holder, PropertyStream& stream) const override;

private:
    Color m_default;
    bool m_withAlpha = false;
};
