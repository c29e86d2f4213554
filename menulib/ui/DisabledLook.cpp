#include "ui/DisabledLook.h"

#include "blit/BlitType.h"

namespace {

constexpr float kDisabledMaskOpacity = 0.4f;
constexpr float kDisabledBiasOpacity = 0.6f;

}  // namespace

DisabledLook::DisabledLook(bool on)
{
    if (!on) return;
    for (int i = 0; i < 2; ++i) {
        m_types[i] = GetBlitTypeList().GetType(i == 0 ? kBlitTransparentMask : kBlitBlendBlackBias);
        if (!m_types[i]) continue;
        m_saved[i] = m_types[i]->GetOpacity();
        m_types[i]->SetOpacity(i == 0 ? kDisabledMaskOpacity : kDisabledBiasOpacity);
    }
}

DisabledLook::~DisabledLook()
{
    for (int i = 0; i < 2; ++i)
        if (m_types[i]) m_types[i]->SetOpacity(m_saved[i]);
}

ScopedOpacity::ScopedOpacity(BlitType& type, float opacity) : m_type(type), m_saved(type.GetOpacity())
{
    m_type.SetOpacity(opacity);
}

ScopedOpacity::~ScopedOpacity() { m_type.SetOpacity(m_saved); }
