// A window that plays an animation sequence: every update moves its current frame on by the elapsed time at the
// sequence's rate, wrapping round at the end, and it draws the frame nearest the current position at its origin.
#pragma once
#include "foundation/CString.h"
#include "ui/JWindow.h"

class CSequence;

class CJAnimationWindow : public CJWindow {
public:
    CJAnimationWindow(CJWindow* parent, CSequence* sequence, const char* name);
    ~CJAnimationWindow() override;

    CSequence* GetSequence() const { return m_sequence; }
    float GetCurrentFrame() const { return m_currentFrame; }
    void SetCurrentFrame(float frame) { m_currentFrame = frame; }
    float GetRate() const { return m_rate; }
    // The index of the frame that Draw shows.
    int GetShownFrame() const;
    void SetHintText(const char* text) { m_hint = text; }

    void Update(float elapsed) override;
    void Draw(CFrameInterface* frame) override;
    bool RequestHint(int x, int y) override;

private:
    // Moves the current frame on by the elapsed time at the sequence's rate.
    void Advance(float elapsed);

    CSequence* m_sequence = nullptr;  // not owned
    float m_currentFrame = 0.0f;
    float m_rate = 0.0f;
    CString m_hint;
};
