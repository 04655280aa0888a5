// Frame-by-frame keyboard and mouse state from the window's events.
#include "engine/XDXInput.h"

bool XDXInput::Init()
{
    Reset();
    return true;
}

void XDXInput::HandleEvent(const plk::Event& event)
{
    m_queue.push_back(event);
}

bool XDXInput::Read()
{
    // Released is judged against the state held from the last frame.
    m_released = m_keys;
    m_previousButtons = m_buttons;
    m_iMoveX = m_iMoveY = m_iWheel = 0;
    for (const plk::Event& event : m_queue)
    {
        switch (event.type)
        {
        case plk::EventType::kKeyDown:
        case plk::EventType::kKeyUp:
            if (event.key > 0 && event.key < plk::kKeyCodeCount)
                m_keys[event.key] = event.type == plk::EventType::kKeyDown;
            break;
        case plk::EventType::kMouseMove:
            m_iCursorX = event.x;
            m_iCursorY = event.y;
            m_iMoveX += event.dx;
            m_iMoveY += event.dy;
            break;
        case plk::EventType::kMouseButtonDown:
        case plk::EventType::kMouseButtonUp:
            if (event.button >= 0 && event.button < kButtons)
                m_buttons[event.button] = event.type == plk::EventType::kMouseButtonDown;
            break;
        case plk::EventType::kMouseWheel:
            m_iWheel += event.wheel;
            break;
        default:
            break;
        }
    }
    m_queue.clear();
    return true;
}

void XDXInput::Reset()
{
    m_queue.clear();
    m_keys.fill(false);
    m_released.fill(false);
    m_buttons.fill(false);
    m_previousButtons.fill(false);
    m_iCursorX = m_iCursorY = 0;
    m_iMoveX = m_iMoveY = m_iWheel = 0;
}

void XDXInput::Free()
{
    Reset();
}

bool XDXInput::KeyDown(int key) const
{
    return key >= 0 && key < plk::kKeyCodeCount && m_keys[key];
}

bool XDXInput::KeyReleased(int key) const
{
    return key >= 0 && key < plk::kKeyCodeCount && m_released[key] && !m_keys[key];
}

bool XDXInput::AnyKeyReleased() const
{
    for (int key = 0; key < plk::kKeyCodeCount; ++key)
    {
        if (m_released[key] && !m_keys[key])
            return true;
    }
    return false;
}

bool XDXInput::MouseButtonDown(int button) const
{
    // The game knows three buttons; the fourth is tracked but never reported.
    return button >= 0 && button < 3 && m_buttons[button];
}

bool XDXInput::MouseButtonReleased(int button) const
{
    return button >= 0 && button < 3 && m_previousButtons[button] && !m_buttons[button];
}
