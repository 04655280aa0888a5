// Translation between SDL events and the game's plain events.
#include "platform/window/Events.h"

#include "platform/window/KeyCodes.h"

#include <SDL.h>

namespace plk
{
namespace
{

const int kPushFailure = -1;
// Marks the focus events the program pushes; the window system leaves data1 of these at 0.
const Sint32 kPushedMark = 0x504C4B;

// SDL numbers buttons from 1: left, middle, right, X1, X2.
int ButtonFromSdl(Uint8 button)
{
    switch (button)
    {
    case SDL_BUTTON_LEFT: return kMouseLeft;
    case SDL_BUTTON_RIGHT: return kMouseRight;
    case SDL_BUTTON_MIDDLE: return kMouseMiddle;
    default: return kMouseX1;
    }
}

Uint8 ButtonToSdl(int button)
{
    switch (button)
    {
    case kMouseLeft: return SDL_BUTTON_LEFT;
    case kMouseRight: return SDL_BUTTON_RIGHT;
    case kMouseMiddle: return SDL_BUTTON_MIDDLE;
    default: return SDL_BUTTON_X1;
    }
}

// The window that has focus, or the first one: injected input must name a window.
Uint32 TargetWindowId()
{
    SDL_Window* window = SDL_GetKeyboardFocus();
    if (!window)
        window = SDL_GetMouseFocus();
    if (!window)
        window = SDL_GetWindowFromID(1);
    return window ? SDL_GetWindowID(window) : 0;
}

bool Translate(const SDL_Event& in, Event& out)
{
    out = Event{};
    switch (in.type)
    {
    case SDL_QUIT:
        out.type = EventType::kQuit;
        return true;
    case SDL_WINDOWEVENT:
        switch (in.window.event)
        {
        case SDL_WINDOWEVENT_CLOSE: out.type = EventType::kWindowClose; return true;
        case SDL_WINDOWEVENT_SIZE_CHANGED: out.type = EventType::kResized; return true;
        case SDL_WINDOWEVENT_FOCUS_LOST:
        case SDL_WINDOWEVENT_MINIMIZED:
            out.type = EventType::kFocusLost;
            out.pushed = in.window.data1 == kPushedMark;
            return true;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            out.type = EventType::kFocusGained;
            out.pushed = in.window.data1 == kPushedMark;
            return true;
        default: return false;
        }
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        // Auto-repeat is not a new press: the key was already down.
        if (in.key.repeat)
            return false;
        out.type = in.type == SDL_KEYDOWN ? EventType::kKeyDown : EventType::kKeyUp;
        out.key = KeyCodeFromScancode(in.key.keysym.scancode);
        return out.key != 0;
    case SDL_MOUSEMOTION:
        out.type = EventType::kMouseMove;
        out.x = in.motion.x;
        out.y = in.motion.y;
        out.dx = in.motion.xrel;
        out.dy = in.motion.yrel;
        return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        out.type = in.type == SDL_MOUSEBUTTONDOWN ? EventType::kMouseButtonDown : EventType::kMouseButtonUp;
        out.button = ButtonFromSdl(in.button.button);
        out.x = in.button.x;
        out.y = in.button.y;
        return true;
    case SDL_MOUSEWHEEL:
        out.type = EventType::kMouseWheel;
        out.wheel = in.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -in.wheel.y : in.wheel.y;
        return true;
    default:
        return false;
    }
}

int Push(SDL_Event& event)
{
    return SDL_PushEvent(&event) == 1 ? 0 : kPushFailure;
}

// The last injected cursor position, so that injected moves carry their relative motion.
int g_pushedX = 0;
int g_pushedY = 0;

} // namespace

bool PollEvent(Event& out)
{
    SDL_Event event;
    while (SDL_PollEvent(&event))
    {
        if (Translate(event, out))
            return true;
    }
    return false;
}

int PushKeyEvent(int keyCode, bool down)
{
    const int scancode = ScancodeFromKeyCode(keyCode);
    if (scancode == 0)
        return kPushFailure;
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.windowID = TargetWindowId();
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = static_cast<SDL_Scancode>(scancode);
    event.key.keysym.sym = SDL_GetKeyFromScancode(event.key.keysym.scancode);
    return Push(event);
}

int PushMouseMove(int x, int y)
{
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = TargetWindowId();
    event.motion.x = x;
    event.motion.y = y;
    event.motion.xrel = x - g_pushedX;
    event.motion.yrel = y - g_pushedY;
    g_pushedX = x;
    g_pushedY = y;
    return Push(event);
}

int PushMouseButton(int button, bool down)
{
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.windowID = TargetWindowId();
    event.button.button = ButtonToSdl(button);
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    event.button.x = g_pushedX;
    event.button.y = g_pushedY;
    return Push(event);
}

int PushFocusEvent(bool gained)
{
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = TargetWindowId();
    event.window.event = gained ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST;
    event.window.data1 = kPushedMark;
    return Push(event);
}

int PushQuitEvent()
{
    SDL_Event event{};
    event.type = SDL_QUIT;
    return Push(event);
}

} // namespace plk
