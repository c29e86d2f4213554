// A timer that calls back on a thread of its own, about every `period` milliseconds while it runs.
#pragma once
#include <condition_variable>
#include <mutex>
#include <thread>

#include "GP_Timer.h"

class CGP_ThreadTimer : public CGP_Timer {
public:
    CGP_ThreadTimer(CGP_Window* context, std::uint32_t period);
    // Asks the thread to end and waits for it.
    ~CGP_ThreadTimer() override;

    void Start() override;
    void Pause() override;
    void Resume() override;
    void Stop() override;

private:
    void Run();

    std::thread thread;
    std::mutex lock;
    std::condition_variable wake;
    bool stopRequest = false;
};
