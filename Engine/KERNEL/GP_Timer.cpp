#include "GP_Timer.h"

#include "GP_Window.h"
#include "platform/win32_time.h"

CGP_Timer::CGP_Timer(CGP_Window* context, std::uint32_t period) : context(context), period(period)
{
    timeBeginPeriod(1);
}

CGP_Timer::~CGP_Timer() { timeEndPeriod(1); }

CGP_GameTimer::CGP_GameTimer(CGP_Window* context, std::uint32_t period) : CGP_Timer(context, period) {}

void CGP_GameTimer::Start()
{
    running = 1;
    lastTime = timeGetTime();
}

void CGP_GameTimer::Pause() { paused = 1; }

void CGP_GameTimer::Resume()
{
    paused = 0;
    lastTime = timeGetTime();
}

void CGP_GameTimer::Stop() { running = 0; }

void CGP_GameTimer::Tick(bool active)
{
    if (!running || paused) return;
    const std::uint32_t now = timeGetTime();
    std::uint32_t elapsed = now - lastTime;
    if (elapsed > MaxStepMs) elapsed = MaxStepMs;
    lastTime = now;
    const GP_TimerCallback call = callback;
    CGP_Window* const target = context;
    if (call && target && !paused) (target->*call)(active, static_cast<float>(elapsed));
}
