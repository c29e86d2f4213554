// Painters draw a window in its theme's look; each holds the window it draws (and, for the alpha theme, the
// theme) and belongs to that window.
#pragma once

class CFont;
class CFrameInterface;
class CJWindow;
class MessageBase;

class SkinPainter {
public:
    explicit SkinPainter(CJWindow* window) : m_window(window) {}
    virtual ~SkinPainter() = default;
    SkinPainter(const SkinPainter&) = delete;
    SkinPainter& operator=(const SkinPainter&) = delete;

    virtual bool HandleMessage(const MessageBase&) { return false; }
    CJWindow* GetWindow() const { return m_window; }

private:
    CJWindow* m_window;
};

class ButtonPainter : public SkinPainter {
public:
    using SkinPainter::SkinPainter;
    virtual void Draw(CFrameInterface* frame) = 0;
    virtual void SizeToContent() = 0;
};

class StaticTextPainter : public SkinPainter {
public:
    using SkinPainter::SkinPainter;
};

class FramePainter : public SkinPainter {
public:
    using SkinPainter::SkinPainter;
    virtual void Draw(CFrameInterface* frame) = 0;
    virtual CFont* GetCaptionFont();
};

// The classic look: the window texture tiled, a raised bevel, and a caption bar with two separator lines.
class ClassicFramePainter : public FramePainter {
public:
    using FramePainter::FramePainter;
    void Draw(CFrameInterface* frame) override;
};
