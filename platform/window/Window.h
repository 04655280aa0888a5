// The application window: created hidden and ready for OpenGL, placed, sized, shown and made full screen.
#pragma once

#include "platform/window/Display.h"
#include "platform/window/VideoSubsystem.h"

#include <memory>
#include <string>

namespace plk
{

class Window
{
public:
    Window() = default;
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Creates the window hidden, with an OpenGL-capable surface (double buffered, depth buffer when
    // the system has one); 0 on success, else see Error().
    int Create(const std::string& title, int x, int y, int width, int height);
    void Destroy();
    bool IsOpen() const { return m_window != nullptr; }

    void Show();
    void Hide();
    int SetPosition(int x, int y);
    int GetPosition(int& x, int& y) const;
    // The client area: everything inside the frame, what the game draws on.
    int SetClientSize(int width, int height);
    int GetClientSize(int& width, int& height) const;
    // What the window manager's frame adds to the client area across and down; 0 where there is no
    // frame or the system cannot tell.
    void GetFrameSize(int& horizontal, int& vertical) const;
    // Switches to full screen in mode, or back to a window when mode is null.
    int SetFullscreen(const DisplayMode* mode);
    // Full screen at the desktop's own mode of the display the window is on (true), or back to the
    // window it was (false); the drawable's new size arrives as a resize event.
    int SetDesktopFullscreen(bool fullScreen);
    bool IsFullscreen() const;
    // The size in the window system's units, which is what mouse positions count in; the client
    // size above counts drawable pixels, more of them on a scaled (HiDPI) display.
    void GetWindowSize(int& width, int& height) const;
    // The refresh rate of the display the window is on; 0 when the system does not say.
    int GetRefreshRate() const;
    // The identifier events carry for this window.
    unsigned Id() const;

    // For platform/ only: the SDL window this object wraps.
    void* NativeHandle() const { return m_window; }
    const std::string& Error() const { return m_error; }

private:
    int Fail(const char* what);

    void* m_window = nullptr;
    std::unique_ptr<VideoSubsystem> m_video;
    std::string m_error;
};

// Windows' cursor display counter: show adds one, hide takes one away, the cursor is visible
// while the counter is not negative. Returns the new counter.
int ShowCursorCounter(bool show);

enum class MessageBoxKind
{
    kError,
    kWarning,
    kInformation,
};

// A modal message box; falls back to standard error when no display can show one. 0 when shown.
int ShowMessageBox(const std::string& caption, const std::string& text, MessageBoxKind kind);

} // namespace plk
