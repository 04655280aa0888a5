// Frame-by-frame keyboard and mouse state from the window's events, and the key character table.
#include "engine/XDXInput.h"

#include <utility>

namespace
{

// DirectInput key code and its characters without and with Shift.
struct KeyChars
{
    int key;
    char plain;
    char shifted;
};

const KeyChars kKeyChars[] = {
    {0x01, 27, 27},    {0x02, '1', '!'},  {0x03, '2', '@'},  {0x04, '3', '#'},  {0x05, '4', '$'},
    {0x06, '5', '%'},  {0x07, '6', '^'},  {0x08, '7', '&'},  {0x09, '8', '*'},  {0x0A, '9', '('},
    {0x0B, '0', ')'},  {0x0C, '-', '_'},  {0x0D, '=', '+'},  {0x0E, 8, 8},      {0x0F, 9, 9},
    {0x10, 'q', 'Q'},  {0x11, 'w', 'W'},  {0x12, 'e', 'E'},  {0x13, 'r', 'R'},  {0x14, 't', 'T'},
    {0x15, 'y', 'Y'},  {0x16, 'u', 'U'},  {0x17, 'i', 'I'},  {0x18, 'o', 'O'},  {0x19, 'p', 'P'},
    {0x1A, '[', '{'},  {0x1B, ']', '}'},  {0x1C, 13, 13},    {0x9C, 13, 13},    {0x1E, 'a', 'A'},
    {0x1F, 's', 'S'},  {0x20, 'd', 'D'},  {0x21, 'f', 'F'},  {0x22, 'g', 'G'},  {0x23, 'h', 'H'},
    {0x24, 'j', 'J'},  {0x25, 'k', 'K'},  {0x26, 'l', 'L'},  {0x27, ';', ':'},  {0x28, '\'', '"'},
    {0x29, '`', '~'},  {0x2B, '\\', '|'}, {0x2C, 'z', 'Z'},  {0x2D, 'x', 'X'},  {0x2E, 'c', 'C'},
    {0x2F, 'v', 'V'},  {0x30, 'b', 'B'},  {0x31, 'n', 'N'},  {0x32, 'm', 'M'},  {0x33, ',', '<'},
    {0x34, '.', '>'},  {0x35, '/', '?'},  {0x37, '*', '*'},  {0x4A, '-', '-'},  {0x4E, '+', '+'},
    {0x53, '.', '.'},  {0xB5, '/', '/'},  {0x39, ' ', ' '},  {0x52, '0', '0'},  {0x4F, '1', '1'},
    {0x50, '2', '2'},  {0x51, '3', '3'},  {0x4B, '4', '4'},  {0x4C, '5', '5'},  {0x4D, '6', '6'},
    {0x47, '7', '7'},  {0x48, '8', '8'},  {0x49, '9', '9'},  {0xD3, 127, 127},
};

struct CharTable
{
    std::array<std::pair<char, char>, plk::kKeyCodeCount> chars{};

    CharTable()
    {
        for (const KeyChars& k : kKeyChars)
            chars[k.key] = {k.plain, k.shifted};
    }
};

const CharTable& Table()
{
    static const CharTable table;
    return table;
}

} // namespace

char XDXInput::TranslateKey(int key, bool shift)
{
    if (key < 0 || key >= plk::kKeyCodeCount)
        return 0;
    const auto& entry = Table().chars[key];
    return shift ? entry.second : entry.first;
}

bool XDXInput::Init()
{
    Reset();
    return true;
}

void XDXInput::HandleEvent(const plk::Event& event)
{
    m_queue.push_back(event);
}

void XDXInput::ApplyKey(int key, bool down, int& keyEvents)
{
    if (key <= 0 || key >= plk::kKeyCodeCount)
        return;
    m_keys[key] = down;
    // The buffer holds a frame's first events only; the key state above still sees them all.
    if (keyEvents++ >= kMaxTypedEvents)
        return;
    Typed& entry = m_typed[m_iTypedCount++];
    entry.down = down;
    if (key == plk::kKeyLeftShift || key == plk::kKeyRightShift)
    {
        m_bShift = down;
        entry.character = 0;
    }
    else
    {
        entry.character = TranslateKey(key, m_bShift);
    }
}

bool XDXInput::Read()
{
    // Released is judged against the state held from the last frame.
    m_released = m_keys;
    m_previousButtons = m_buttons;
    m_iMoveX = m_iMoveY = m_iWheel = 0;
    m_iTypedCount = 0;
    int keyEvents = 0;
    for (const plk::Event& event : m_queue)
    {
        switch (event.type)
        {
        case plk::EventType::kKeyDown:
        case plk::EventType::kKeyUp:
            ApplyKey(event.key, event.type == plk::EventType::kKeyDown, keyEvents);
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
    m_iTypedCount = 0;
    m_bShift = false;
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

char XDXInput::GetReleasedChar() const
{
    const bool shift = KeyDown(plk::kKeyLeftShift) || KeyDown(plk::kKeyRightShift) || KeyDown(plk::kKeyCapsLock);
    for (int key = 0; key < plk::kKeyCodeCount; ++key)
    {
        if (KeyReleased(key))
            return TranslateKey(key, shift);
    }
    return 0;
}

char XDXInput::GetTyped(int i, bool& isDown) const
{
    if (i < 0 || i >= m_iTypedCount)
        return 0;
    isDown = m_typed[i].down;
    return m_typed[i].character;
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

bool XDXInput::MouseInRect(float x1, float y1, float x2, float y2, float sx, float sy) const
{
    const float x = GetMouseX2D(), y = GetMouseY2D();
    return x1 * sx <= x && x <= x2 * sx && y1 * sy <= y && y <= y2 * sy;
}

bool XDXInput::MouseClickedInRect(int button, float x1, float y1, float x2, float y2, float sx, float sy) const
{
    return MouseInRect(x1, y1, x2, y2, sx, sy) && MouseButtonReleased(button);
}
