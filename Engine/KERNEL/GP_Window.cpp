#include "GP_Window.h"

#include <cstring>

#include "GP_AppBase.h"
#include "GP_Modifiers.h"
#include "GP_WindowProc.h"

CGP_Window::CGP_Window(CGP_AppBase* app) : app(app), instance(app ? app->GetInstance() : nullptr) {}

CGP_Window::~CGP_Window()
{
    if (handle && GetWindowLongPtrA(handle, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(this))
        SetWindowLongPtrA(handle, GWLP_USERDATA, 0);
}

bool CGP_Window::Register(const char* name, UINT classStyle, WNDPROC procedure, int stockBrush)
{
    className = name ? name : "";

    WNDCLASSA windowClass{};
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = procedure;
    windowClass.cbClsExtra = 4;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(stockBrush));
    windowClass.lpszClassName = className.c_str();
    return RegisterClassA(&windowClass) != 0;
}

bool CGP_Window::Open(DWORD style, int x, int y, int width, int height)
{
    this->x = x;
    this->y = y;
    this->width = width;
    this->height = height;
    handle = CreateWindowExA(0, className.c_str(), className.c_str(), style, x, y, width, height, nullptr, nullptr,
                             instance, nullptr);
    if (!handle) return false;
    SetWindowLongPtrA(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    created = 1;
    return true;
}

bool CGP_Window::Create(const char* name, DWORD style, int x, int y, int width, int height)
{
    return Register(name, 0, GP_WindowProc, BLACK_BRUSH) && Open(style, x, y, width, height);
}

bool CGP_Window::CreateShown(const char* name, WNDPROC windowProcedure, DWORD style, int x, int y, int width,
                             int height)
{
    if (!Register(name, CS_HREDRAW | CS_VREDRAW, windowProcedure, WHITE_BRUSH) || !Open(style, x, y, width, height))
        return false;
    ShowWindow(handle, SW_SHOW);
    UpdateWindow(handle);
    return true;
}

void CGP_Window::SetIcon(int resourceID)
{
    HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(static_cast<WORD>(resourceID)));
    SetClassLongPtrA(handle, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
}

void CGP_Window::SetStyle(DWORD style) { SetWindowLongPtrA(handle, GWL_STYLE, static_cast<LONG_PTR>(style)); }

void CGP_Window::Move(int x, int y, int width, int height) { MoveWindow(handle, x, y, width, height, TRUE); }

void CGP_Window::Destroy()
{
    HWND window = handle;
    DestroyWindow(window);
    UnregisterClassA(className.c_str(), instance);
    handle = nullptr;
    created = 0;
}

bool CGP_Window::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    const int pointX = LOWORD(static_cast<std::uintptr_t>(lParam));
    const int pointY = HIWORD(static_cast<std::uintptr_t>(lParam));
    switch (message) {
    case WM_DESTROY:
        created = 0;
        handle = nullptr;
        PostQuitMessage(0);
        return true;
    case WM_MOVE: OnMove(this); return true;
    case WM_MOVING: OnMoving(this); return true;
    case WM_COMMAND: OnCommand(this, wParam, lParam); return true;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != 0)
            OnActivate(this);
        else
            OnDeactivate(this);
        return true;
    case WM_ACTIVATEAPP:
        if (wParam != 0)
            OnActivate(this);
        else
            OnDeactivate(this);
        return true;
    case WM_KEYDOWN:
        lastKeyDown = static_cast<std::uint32_t>(wParam);
        extendedKey = (lParam >> 24) & 1;
        OnKeyDown(this, static_cast<std::uint32_t>(wParam), GetModifiers(lParam), extendedKey);
        return true;
    case WM_KEYUP:
        lastKeyUp = static_cast<std::uint32_t>(wParam);
        OnKeyUp(this, static_cast<std::uint32_t>(wParam), GetModifiers(lParam));
        return true;
    case WM_CHAR:
        charReady = 1;
        lastChar = static_cast<std::uint8_t>(wParam & 0xFF);
        OnChar(this, wParam);
        return true;
    case WM_MOUSEMOVE: OnMouseMove(this, GetMouseButtons(wParam), pointX, pointY); return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: OnMouseDown(this, wParam, pointX, pointY); return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: OnMouseUp(this, wParam, pointX, pointY); return true;
    default: return false;
    }
}
