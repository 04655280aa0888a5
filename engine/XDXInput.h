// Keyboard and mouse state of the current frame, fed by the window's events and read once per
// frame: keys in DirectInput numbering, released keys, the frame's typed characters, the mouse,
// and picking of scene objects under the cursor.
#pragma once

#include "engine/XLayout2D.h"
#include "foundation/XString.h"
#include "platform/gfx/Math.h"
#include "platform/window/Events.h"
#include "platform/window/KeyCodes.h"

#include <array>
#include <vector>

class XDXMeshObject;

class XDXInput
{
public:
    // Key events a frame keeps as typed entries; later ones in the same frame are dropped.
    static constexpr int kMaxTypedEvents = 15;

    // Input arrives through the engine's window, so there is nothing to open; always true.
    bool Init();
    // Queues one event of the window for the next Read.
    void HandleEvent(const plk::Event& event);
    // Applies the queued events: this frame's key and button states, typed characters, cursor and movement.
    bool Read();
    // Forgets every key, button, cursor position, typed entry and queued event.
    void Reset();
    void Free();

    // Keys in DirectInput numbering (plk::kKeyEscape, ...).
    bool KeyDown(int key) const;
    // Down in the previous frame and up now.
    bool KeyReleased(int key) const;
    bool AnyKeyReleased() const;
    // The character of the lowest-numbered released key, upper case while a Shift key or Caps
    // Lock is held down; 0 when no released key has a character.
    char GetReleasedChar() const;
    int GetTypedCount() const { return m_iTypedCount; }
    // The i-th key event of this frame as a character (0 for keys without one, Shift included);
    // 0 and isDown untouched when i is out of range.
    char GetTyped(int i, bool& isDown) const;
    bool IsShiftDown() const { return m_bShift; }
    // The character of a key, with or without Shift; 0 for keys without one.
    static char TranslateKey(int key, bool shift);

    // The cursor in back-buffer pixels, what 3D picking works in.
    int GetMouseX() const { return m_iCursorX; }
    int GetMouseY() const { return m_iCursorY; }
    // The cursor in the layout pixels of the 2D screen being updated (see SetPlacement2D): what
    // its click rectangles, laid out in design units times the layout scale, are compared with.
    float GetMouseX2D() const { return m_placement.ToLayoutX(static_cast<float>(m_iCursorX)); }
    float GetMouseY2D() const { return m_placement.ToLayoutY(static_cast<float>(m_iCursorY)); }
    // Set by the engine before each screen updates, as the device's is before it draws.
    void SetPlacement2D(const XPlacement2D& placement) { m_placement = placement; }
    int GetMovementX() const { return m_iMoveX; }
    int GetMovementY() const { return m_iMoveY; }
    int GetWheel() const { return m_iWheel; }
    bool MouseMovedRight(int threshold) const { return m_iMoveX > threshold; }
    bool MouseMovedLeft(int threshold) const { return m_iMoveX < -threshold; }
    bool MouseMovedDown(int threshold) const { return m_iMoveY > threshold; }
    bool MouseMovedUp(int threshold) const { return m_iMoveY < -threshold; }
    bool WheelForward(int threshold) const { return m_iWheel > threshold; }
    bool WheelBack(int threshold) const { return m_iWheel < -threshold; }
    // Buttons 0 (left), 1 (right), 2 (middle); any other is never down.
    bool MouseButtonDown(int button) const;
    bool MouseButtonReleased(int button) const;
    // The rectangle of a design resolution scaled by sx, sy holds the cursor (in layout pixels, as
    // GetMouseX2D); every edge inclusive.
    bool MouseInRect(float x1, float y1, float x2, float y2, float sx, float sy) const;
    bool MouseClickedInRect(int button, float x1, float y1, float x2, float y2, float sx, float sy) const;

    // Starts a pick through the cursor in the drawing area (pixels) with the device's view and projection.
    bool BeginPick(int left, int top, int width, int height);
    // The same with given matrices.
    void BeginPick(const plk::gfx::Matrix& view, const plk::gfx::Matrix& projection, int left, int top, int width,
                   int height);
    // Keeps the object when the ray hits its shape nearer than anything tested since BeginPick.
    void TestPick(XDXMeshObject* object);
    // The nearest picked object when the button was released this frame, else null.
    XDXMeshObject* GetPicked(int button) const;
    // The nearest hit so far, whatever the buttons.
    XDXMeshObject* GetPickedObject() const { return m_pPicked; }
    float GetPickDistance() const { return m_fPickDistance; }
    const plk::gfx::Vector3& GetPickOrigin() const { return m_vPickOrigin; }
    const plk::gfx::Vector3& GetPickDirection() const { return m_vPickDirection; }

    const XString& GetErrorMsg() const { return m_strErrorMsg; }

private:
    static const int kButtons = 4;
    static constexpr float kNoPick = 9999999.0f;

    struct Typed
    {
        char character = 0;
        bool down = false;
    };

    void ApplyKey(int key, bool down, int& keyEvents);

    XString m_strErrorMsg;
    std::vector<plk::Event> m_queue;
    std::array<bool, plk::kKeyCodeCount> m_keys{};
    std::array<bool, plk::kKeyCodeCount> m_released{};
    std::array<bool, kButtons> m_buttons{};
    std::array<bool, kButtons> m_previousButtons{};
    std::array<Typed, kMaxTypedEvents> m_typed{};
    int m_iTypedCount = 0;
    bool m_bShift = false;
    int m_iCursorX = 0;
    int m_iCursorY = 0;
    int m_iMoveX = 0;
    int m_iMoveY = 0;
    int m_iWheel = 0;
    XPlacement2D m_placement;
    plk::gfx::Vector3 m_vPickOrigin;
    plk::gfx::Vector3 m_vPickDirection;
    float m_fPickDistance = kNoPick;
    XDXMeshObject* m_pPicked = nullptr;
};
