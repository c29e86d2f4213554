#include "GP_ThreadTimer.h"

#include <chrono>

#include "GP_Window.h"
#include "platform/win32_time.h"

CGP_ThreadTimer::CGP_ThreadTimer(CGP_Window* context, std::uint32_t period) : CGP_Timer(context, period) {}

CGP_ThreadTimer::~CGP_ThreadTimer()
{
    {
        std::lock_guard<std::mutex> hold(lock);
        stopRequest = true;
    }
    wake.notify_all();
    if (thread.joinable()) thread.join();
}

void CGP_ThreadTimer::Start()
{
    std::lock_guard<std::mutex> hold(lock);
    running = 1;
    lastTime = timeGetTime();
    if (!thread.joinable()) thread = std::thread(&CGP_ThreadTimer::Run, this);
}

void CGP_ThreadTimer::Pause()
{
    std::lock_guard<std::mutex> hold(lock);
    paused = 1;
}

void CGP_ThreadTimer::Resume()
{
    {
        std::lock_guard<std::mutex> hold(lock);
        paused = 0;
    }
    wake.notify_all();
}

void CGP_ThreadTimer::Stop()
{
    std::lock_guard<std::mutex> hold(lock);
    running = 0;
}

void CGP_ThreadTimer::Run()
{
    std::unique_lock<std::mutex> hold(lock);
    while (!stopRequest) {
        // Asleep while paused or stopped, until resumed or asked to end.
        if (paused || !running) {
            wake.wait_for(hold, std::chrono::milliseconds(10));
            continue;
        }
        const std::uint32_t now = timeGetTime();
        const std::uint32_t elapsed = now - lastTime;
        const GP_TimerCallback call = callback;
        CGP_Window* const target = context;
        if (elapsed > period && call && target) {
            lastTime = now;
            hold.unlock();
            (target->*call)(true, static_cast<float>(elapsed));
            hold.lock();
            continue;
        }
        wake.wait_for(hold, std::chrono::milliseconds(1));
    }
}
