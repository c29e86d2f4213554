// The engine's window: a window object behind a window handle, whose event slots the window procedure calls.
#pragma once
#include <cstdint>
#include <string>

#include "platform/win32_window.h"

class CGP_AppBase;

class CGP_Window {
public:
    explicit CGP_Window(CGP_AppBase* app);
    CGP_Window(const CGP_Window&) = delete;
    CGP_Window& operator=(const CGP_Window&) = delete;
    // A window still open no longer reaches this object.
    virtual ~CGP_Window();

    // Event slots; each gets the window object that received the message. The base versions do nothing.
    virtual void OnKeyDown(CGP_Window* sender, std::uint32_t key, std::uint32_t modifiers, std::uint8_t extended) {}
    virtual void OnKeyUp(CGP_Window* sender, std::uint32_t key, std::uint32_t modifiers) {}
    virtual void OnChar(CGP_Window* sender, WPARAM code) {}
    virtual void OnMouseMove(CGP_Window* sender, std::uint32_t buttons, int x, int y) {}
    virtual void OnMouseDown(CGP_Window* sender, WPARAM wParam, int x, int y) {}
    virtual void OnMouseUp(CGP_Window* sender, WPARAM wParam, int x, int y) {}
    virtual void OnUserMessage(CGP_Window* sender, HWND window, WPARAM wParam, LPARAM lParam) {}
    virtual void OnActivate(CGP_Window* sender) {}
    virtual void OnDeactivate(CGP_Window* sender) {}
    virtual void OnMoving(CGP_Window* sender) {}
    virtual void OnMove(CGP_Window* sender) {}
    virtual void OnCommand(CGP_Window* sender, WPARAM wParam, LPARAM lParam) {}

    // Registers the class (GP_WindowProc, black background) and creates the window, not shown; the class
    // name is also the title. False when either fails.
    bool Create(const char* className, DWORD style, int x, int y, int width, int height);
    // The same with the given window procedure and a white background; the window is shown and updated.
    bool CreateShown(const char* className, WNDPROC windowProcedure, DWORD style, int x, int y, int width, int height);
    void SetIcon(int resourceID);
    void SetStyle(DWORD style);
    void Move(int x, int y, int width, int height);
    // Destroys the window and unregisters its class.
    void Destroy();

    // Hands a message to its slot; true when handled.
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    CGP_AppBase* app = nullptr;
    HWND handle = nullptr;
    std::uint32_t lastKeyDown = 0;
    std::uint32_t lastKeyUp = 0;
    std::uint8_t extendedKey = 0;
    HINSTANCE instance = nullptr;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::uint8_t charReady = 0;
    std::uint8_t lastChar = 0;
    std::uint8_t created = 0;
    std::string className;  // also the title

private:
    bool Register(const char* name, UINT classStyle, WNDPROC procedure, int stockBrush);
    bool Open(DWORD style, int x, int y, int width, int height);
};
