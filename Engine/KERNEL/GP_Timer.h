// The frame timer: the message loop ticks it once per idle step, and it hands the main frame the
// milliseconds since the last frame.
#pragma once
#include <cstdint>

class CGP_Window;

// Called on the context with (application in the foreground, elapsed milliseconds).
using GP_TimerCallback = void (CGP_Window::*)(bool active, float elapsedMs);

class CGP_Timer {
public:
    // Raises the system timer resolution to 1 ms for the timer's lifetime.
    explicit CGP_Timer(CGP_Window* context = nullptr, std::uint32_t period = 0);
    CGP_Timer(const CGP_Timer&) = delete;
    CGP_Timer& operator=(const CGP_Timer&) = delete;
    virtual ~CGP_Timer();

    virtual void Start() {}
    virtual void Pause() {}
    virtual void Resume() {}
    virtual void Stop() {}
    virtual void Tick(bool active) {}

    GP_TimerCallback callback = nullptr;
    CGP_Window* context = nullptr;
    std::uint8_t paused = 0;
    std::uint8_t running = 0;
    std::uint32_t period = 0;    // milliseconds between callbacks (thread timer only)
    std::uint32_t lastTime = 0;  // timeGetTime of the last callback
};

// The game's frame timer: one callback per tick, never more than 20 ms at a time, so a slow machine runs the
// game slower rather than in larger steps.
class CGP_GameTimer : public CGP_Timer {
public:
    CGP_GameTimer(CGP_Window* context, std::uint32_t period);
    ~CGP_GameTimer() override = default;

    void Start() override;
    void Pause() override;
    // The pause does not count as elapsed time.
    void Resume() override;
    void Stop() override;
    void Tick(bool active) override;

    static constexpr std::uint32_t MaxStepMs = 20;
};
