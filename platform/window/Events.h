// Window, keyboard and mouse events in plain form, and the means to inject them for scripted runs.
#pragma once

namespace plk
{

enum class EventType
{
    kNone,
    kQuit,        // the application is asked to end
    kWindowClose, // the user closed the window
    kKeyDown,
    kKeyUp,
    kMouseMove,
    kMouseButtonDown,
    kMouseButtonUp,
    kMouseWheel,
    kResized,     // the drawable changed size (a resize, full screen, a move to a scaled display)
    kFocusLost,   // the window lost the keyboard or was minimised
    kFocusGained, // the window has the keyboard again and is not minimised
};

// Mouse buttons in the game's numbering.
const int kMouseLeft = 0;
const int kMouseRight = 1;
const int kMouseMiddle = 2;
const int kMouseX1 = 3;

struct Event
{
    EventType type = EventType::kNone;
    int key = 0;       // DirectInput key code for key events
    int button = 0;    // for button events
    int x = 0, y = 0;  // cursor in client pixels for mouse events
    int dx = 0, dy = 0; // relative motion of a move
    int wheel = 0;     // wheel clicks, positive away from the user
    bool pushed = false; // a focus change put in the queue by the program itself, not the window system
};

// Takes the next event the game understands from the queue; false when the queue is empty.
// Pumps the window system first, so it also keeps the window responsive.
bool PollEvent(Event& out);

// Injected events go through the same queue as real ones; each returns 0 when queued.
int PushKeyEvent(int keyCode, bool down);
int PushMouseMove(int x, int y);
int PushMouseButton(int button, bool down);
int PushQuitEvent();
// The window losing (false) or getting back (true) the keyboard, as the window system reports it.
int PushFocusEvent(bool gained);

} // namespace plk
