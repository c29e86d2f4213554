// The application base: the message loop calls Init once, Idle whenever no window message waits, and Exit
// when the loop ends.
#pragma once
#include <cstdint>

#include "platform/win32_base.h"

class CGP_AppBase {
public:
    CGP_AppBase() = default;
    explicit CGP_AppBase(HINSTANCE instance) : instance(instance) {}
    CGP_AppBase(const CGP_AppBase&) = delete;
    CGP_AppBase& operator=(const CGP_AppBase&) = delete;
    virtual ~CGP_AppBase() = default;

    virtual void Init() {}
    virtual void Idle(std::uint8_t* flag) {}
    virtual int Exit() { return 0; }

    // The message loop (GP_MessageLoop); returns what Exit returns.
    int Run();
    HINSTANCE GetInstance() const { return instance; }

    std::uint8_t active = 1;  // the application is in the foreground
    std::uint8_t quitting = 0;
    HICON icon = nullptr;  // set by the application
    HINSTANCE instance = nullptr;
};

// Peeks for a message; a message is translated and dispatched, WM_QUIT ends the loop; with none waiting the
// idle step runs and, while the application is not active, the loop waits for the next message.
int GP_MessageLoop(CGP_AppBase* app);
