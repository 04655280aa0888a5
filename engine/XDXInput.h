// Keyboard and mouse state of the current frame, fed by the window's events and read once per frame.
#pragma once

#include "foundation/XString.h"
#include "platform/window/Events.h"
#include "platform/window/KeyCodes.h"

#include <array>
#include <vector>

class XDXInput
{
public:
    // Input arrives through the engine's window, so there is nothing to open; always true.
    bool Init();
    // Queues one event of the window for the next Read.
    void HandleEvent(const plk::Event& event);
    // Applies the queued events: this frame's key and button states, cursor and movement.
    bool Read();
    // Forgets every key, button, cursor position and queued event.
    void Reset();
    void Free();

    // Keys in DirectInput numbering (plk::kKeyEscape, ...).
    bool KeyDown(int key) const;
    // Down in the previous frame and up now.
    bool KeyReleased(int key) const;
    bool AnyKeyReleased() const;

    int GetMouseX() const { return m_iCursorX; }
    int GetMouseY() const { return m_iCursorY; }
    int GetMovementX() const { return m_iMoveX; }
    int GetMovementY() const { return m_iMoveY; }
    int GetWheel() const { return m_iWheel; }
    // Buttons 0 (left), 1 (right), 2 (middle); any other is never down.
    bool MouseButtonDown(int button) const;
    bool MouseButtonReleased(int button) const;

    const XString& GetErrorMsg() const { return m_strErrorMsg; }

private:
    static const int kButtons = 4;

    XString m_strErrorMsg;
    std::vector<plk::Event> m_queue;
    std::array<bool, plk::kKeyCodeCount> m_keys{};
    std::array<bool, plk::kKeyCodeCount> m_released{};
    std::array<bool, kButtons> m_buttons{};
    std::array<bool, kButtons> m_previousButtons{};
    int m_iCursorX = 0;
    int m_iCursorY = 0;
    int m_iMoveX = 0;
    int m_iMoveY = 0;
    int m_iWheel = 0;
};
