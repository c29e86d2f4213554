// The game's application object: Init builds the running game in a fixed order around the main frame, Idle
// ticks its frame timer, Exit tears it down.
#pragma once
#include <cstdint>
#include <memory>

#include "GP_AppBase.h"

class CGP_GameMainFrame;

// The display's set-up result as the fatal exception the player sees; 0 goes on.
void GP_CheckDisplayResult(int result);

class CGP_Application : public CGP_AppBase {
public:
    explicit CGP_Application(HINSTANCE instance);
    ~CGP_Application() override;

    void Init() override;
    void Idle(std::uint8_t* flag) override;
    int Exit() override;

    std::unique_ptr<CGP_GameMainFrame> mainFrame;  // made by Init, deleted by Exit

private:
    void InitInput();
    void InitMouseCursor();
    void InitMusic();
};

// Set until the first idle turn has shown the start-up screen.
extern std::uint8_t GP_FirstIdle;
