#include "ui/AnimationWindow.h"

#include <cmath>

#include "frames/Frame.h"
#include "frames/Sequence.h"

namespace {

constexpr int kHintMode = 1;

}  // namespace

CJAnimationWindow::CJAnimationWindow(CJWindow* parent, CSequence* sequence, const char* name)
    : CJWindow(parent, name), m_sequence(sequence)
{
    SetTabStop(false);
    if (!m_sequence) return;
    m_rate = m_sequence->GetFrameRate();
    const platform::Rect bounds = m_sequence->GetBounds();
    SetSize(bounds.right, bounds.bottom);
}

CJAnimationWindow::~CJAnimationWindow() = default;

void CJAnimationWindow::Update(float elapsed)
{
    Advance(elapsed);
    // Last: a window asked to close is deleted by its update.
    CJWindow::Update(elapsed);
}

void CJAnimationWindow::Advance(float elapsed)
{
    const int count = m_sequence ? static_cast<int>(m_sequence->GetFrameCount()) : 0;
    // Without frames there is nothing to wrap round: the position stays at the start.
    if (count == 0 || !std::isfinite(m_currentFrame + elapsed * m_rate)) {
        m_currentFrame = 0.0f;
        return;
    }
    m_currentFrame += elapsed * m_rate;
    // Whole rounds at once, however long the elapsed time (or backwards); the position then rounds into range.
    const auto frames = static_cast<float>(count);
    if (m_currentFrame < -0.5f) m_currentFrame = std::fmod(m_currentFrame, frames) + frames;
    if (std::lround(m_currentFrame) >= count) m_currentFrame = std::fmod(m_currentFrame, frames);
    if (std::lround(m_currentFrame) >= count) m_currentFrame -= frames;
}

int CJAnimationWindow::GetShownFrame() const
{
    const long shown = std::lround(m_currentFrame);
    return shown < 0 ? 0 : static_cast<int>(shown);
}

void CJAnimationWindow::Draw(CFrameInterface* frame)
{
    if (m_sequence)
        if (CFrame* picture = m_sequence->GetFrame(static_cast<std::uint32_t>(GetShownFrame())))
            frame->BlitAt(picture, 0, 0, m_sequence->GetBlitType());
    CJWindow::Draw(frame);
}

bool CJAnimationWindow::RequestHint(int x, int y)
{
    if (m_hint.IsEmpty()) return CJWindow::RequestHint(x, y);
    PopUpText(kHintMode, m_hint, x, y);
    return true;
}
