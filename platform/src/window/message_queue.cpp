#include <algorithm>
#include <deque>
#include <mutex>

#include "platform/headless.h"
#include "platform/single_instance.h"
#include "platform/win32_time.h"
#include "platform/win32_window.h"
#include "window/event_translator.h"
#include "window/headless_input.h"
#include "window/key_state.h"
#include "window/message_queue.h"
#include "window/sdl_window_access.h"
#include "window/tray.h"
#include "window/window_system.h"

namespace {

std::mutex queueLock;  // posting is allowed from any thread
std::deque<MSG> queue;
bool quitPosted = false;
int quitCode = 0;

Uint32 mouseButtons = 0;
POINT cursor{0, 0};
bool closeForFramesSent = false;
std::vector<platform::HeadlessIdleCallback> idleCallbacks;
std::vector<platform::SdlEventListener> sdlListeners;

bool IsInputEvent(Uint32 type)
{
    return type == SDL_QUIT || type == SDL_WINDOWEVENT || type == SDL_KEYDOWN || type == SDL_KEYUP ||
           type == SDL_TEXTINPUT || type == SDL_MOUSEMOTION || type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEBUTTONUP;
}

Uint32 EventWindowId(const SDL_Event& e)
{
    switch (e.type) {
    case SDL_WINDOWEVENT: return e.window.windowID;
    case SDL_KEYDOWN:
    case SDL_KEYUP: return e.key.windowID;
    case SDL_TEXTINPUT: return e.text.windowID;
    case SDL_MOUSEMOTION: return e.motion.windowID;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: return e.button.windowID;
    default: return 0;
    }
}

bool IsMouseMessage(UINT message) { return message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK; }

void Enqueue(const MSG& msg, bool atFront = false)
{
    std::lock_guard<std::mutex> hold(queueLock);
    if (atFront)
        queue.push_front(msg);
    else
        queue.push_back(msg);
}

bool Matches(const MSG& msg, HWND window, UINT filterMin, UINT filterMax)
{
    if (window && msg.hwnd != window) return false;
    if (filterMin == 0 && filterMax == 0) return true;
    return msg.message >= filterMin && msg.message <= filterMax;
}

void PumpSdl()
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (IsInputEvent(event.type)) {
            platform::DeliverSdlEvent(event, static_cast<Uint16>(SDL_GetModState()));
            continue;
        }
        for (platform::SdlEventListener listener : sdlListeners) listener(event);
    }
}

void PumpInput()
{
    platform::ServeInstanceRequests();
    if (platform::IsHeadless())
        platform::DeliverDueScriptEvents();
    else
        PumpSdl();
}

bool QueueHoldsSomething()
{
    std::lock_guard<std::mutex> hold(queueLock);
    return !queue.empty() || quitPosted;
}

// One turn of a headless run with nothing to do: time and the frame counter move on, and after the last
// frame the top window is closed as if by its user.
void HeadlessIdleTurn()
{
    const platform::HeadlessSettings& settings = platform::GetHeadlessSettings();
    platform::AdvanceFakeClock(settings.msPerFrame);
    platform::AdvanceHeadlessFrame();
    const long frame = platform::HeadlessFrame();
    for (platform::HeadlessIdleCallback callback : std::vector(idleCallbacks)) callback(frame);
    if (settings.frames >= 0 && frame >= settings.frames && !closeForFramesSent) {
        closeForFramesSent = true;
        if (platform::WindowRecord* top = platform::TopWindow())
            PostMessageA(top->handle, WM_CLOSE, 0, 0);
        else
            PostQuitMessage(0);
    }
}

}  // namespace

namespace platform {

void DeliverSdlEvent(const SDL_Event& event, Uint16 keyMods)
{
    WindowRecord* target = WindowOfSdlId(EventWindowId(event));
    if (!target) return;
    if (event.type == SDL_WINDOWEVENT &&
        (event.window.event == SDL_WINDOWEVENT_RESTORED || event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED))
        NoteWindowBack(*target);
    TranslationContext context;
    context.mouseButtons = mouseButtons;
    context.keyMods = keyMods;
    context.view = target->view;
    const ClassRecord* windowClass = FindClass(target->className);
    context.doubleClicks = windowClass && (windowClass->style & CS_DBLCLKS);
    context.view.clientWidth = target->rect.right - target->rect.left;
    context.view.clientHeight = target->rect.bottom - target->rect.top;
    context.window = target->handle;
    context.clientOrigin = {target->rect.left, target->rect.top};
    const std::vector<TranslatedMessage> messages = TranslateSdlEvent(event, context);
    mouseButtons = MouseButtonsAfter(event, mouseButtons);
    // The cursor moves before any of the event's messages, WM_SETCURSOR included, is queued.
    for (const TranslatedMessage& m : messages)
        if (IsMouseMessage(m.message))
            cursor = {target->rect.left + GET_X_LPARAM(m.lParam), target->rect.top + GET_Y_LPARAM(m.lParam)};
    for (const TranslatedMessage& m : messages)
        Enqueue(MSG{target->handle, m.message, m.wParam, m.lParam, timeGetTime(), cursor});
}

void ForgetMessagesOf(HWND window)
{
    std::lock_guard<std::mutex> hold(queueLock);
    std::erase_if(queue, [&](const MSG& msg) { return msg.hwnd == window; });
}

POINT CursorPosition() { return cursor; }
void SetCursorPosition(POINT point) { cursor = point; }
Uint32 MouseButtonState() { return mouseButtons; }

void AddHeadlessIdleCallback(HeadlessIdleCallback callback) { idleCallbacks.push_back(callback); }
void RemoveHeadlessIdleCallback(HeadlessIdleCallback callback) { std::erase(idleCallbacks, callback); }
void AddSdlEventListener(SdlEventListener listener) { sdlListeners.push_back(listener); }
void RemoveSdlEventListener(SdlEventListener listener) { std::erase(sdlListeners, listener); }

}  // namespace platform

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window && !platform::WindowExists(window)) return FALSE;
    Enqueue(MSG{window, message, wParam, lParam, timeGetTime(), cursor});
    return TRUE;
}

void PostQuitMessage(int exitCode)
{
    std::lock_guard<std::mutex> hold(queueLock);
    quitPosted = true;
    quitCode = exitCode;
}

BOOL PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeMessage)
{
    platform::EnsureWindowSystem();
    PumpInput();
    {
        std::lock_guard<std::mutex> hold(queueLock);
        auto found = std::find_if(queue.begin(), queue.end(),
                                  [&](const MSG& m) { return Matches(m, window, filterMin, filterMax); });
        if (found != queue.end()) {
            const MSG taken = *found;
            if (removeMessage & PM_REMOVE) queue.erase(found);
            if (msg) *msg = taken;
            if (removeMessage & PM_REMOVE) platform::NoteKeyMessage(taken);
            return TRUE;
        }
        const bool quitWanted =
            !window && (filterMin == 0 && filterMax == 0 ? true : filterMin <= WM_QUIT && WM_QUIT <= filterMax);
        if (quitPosted && quitWanted) {
            if (removeMessage & PM_REMOVE) quitPosted = false;
            if (msg) *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(quitCode), 0, timeGetTime(), cursor};
            return TRUE;
        }
    }
    if (platform::IsHeadless()) HeadlessIdleTurn();
    return FALSE;
}

BOOL GetMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax)
{
    MSG taken{};
    // Headless, every empty look is an idle turn, so the frames move on until something arrives.
    while (!PeekMessageA(&taken, window, filterMin, filterMax, PM_REMOVE))
        if (!platform::IsHeadless()) WaitMessage();
    if (msg) *msg = taken;
    return taken.message != WM_QUIT;
}

BOOL WaitMessage()
{
    platform::EnsureWindowSystem();
    PumpInput();
    if (platform::IsHeadless()) {
        // Nothing else can ever arrive here: the wait is an idle turn.
        if (!QueueHoldsSomething()) HeadlessIdleTurn();
        return TRUE;
    }
    while (!QueueHoldsSomething()) {
        SDL_WaitEventTimeout(nullptr, 50);  // the timeout lets messages posted by other threads through
        PumpSdl();
        platform::ServeInstanceRequests();
    }
    return TRUE;
}

BOOL TranslateMessage(const MSG* msg)
{
    if (!msg) return FALSE;
    const bool keyMessage = msg->message >= WM_KEYDOWN && msg->message <= WM_SYSKEYUP;
    if (msg->message == WM_KEYDOWN &&
        (msg->wParam == VK_BACK || msg->wParam == VK_TAB || msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
        Enqueue(MSG{msg->hwnd, WM_CHAR, msg->wParam, msg->lParam, msg->time, msg->pt}, true);
    return keyMessage;
}

LRESULT DispatchMessageA(const MSG* msg)
{
    if (!msg || !msg->hwnd) return 0;
    platform::WindowRecord* record = platform::FindWindowRecord(msg->hwnd);
    if (!record || !record->procedure) return 0;
    return record->procedure(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}
