// The application window on SDL2.
#include "platform/window/Window.h"

#include <SDL.h>

#include <atomic>
#include <cstdio>

namespace plk
{
namespace
{

SDL_Window* Sdl(void* window)
{
    return static_cast<SDL_Window*>(window);
}

// Depth sizes to ask for, best first; the last asks for none so that a window always opens.
const int kDepthSizes[] = {24, 16, 0};

std::atomic<int> g_cursorCounter{0};

} // namespace

Window::~Window()
{
    Destroy();
}

int Window::Create(const std::string& title, int x, int y, int width, int height)
{
    Destroy();
    m_error.clear();
    m_video = std::make_unique<VideoSubsystem>();
    if (!m_video->Ok())
    {
        const int result = Fail("SDL_InitSubSystem(VIDEO)");
        m_video.reset();
        return result;
    }
    // The visual is chosen at creation on X11, so the buffers are requested here, not with the context.
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    for (int depth : kDepthSizes)
    {
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depth);
        m_window = SDL_CreateWindow(title.c_str(), x, y, width, height,
                                    SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE |
                                        SDL_WINDOW_ALLOW_HIGHDPI);
        if (m_window)
            return 0;
    }
    const int result = Fail("SDL_CreateWindow");
    m_video.reset();
    return result;
}

void Window::Destroy()
{
    if (m_window)
        SDL_DestroyWindow(Sdl(m_window));
    m_window = nullptr;
    m_video.reset();
}

void Window::Show()
{
    if (m_window)
        SDL_ShowWindow(Sdl(m_window));
}

void Window::Hide()
{
    if (m_window)
        SDL_HideWindow(Sdl(m_window));
}

int Window::SetPosition(int x, int y)
{
    if (!m_window)
        return Fail("SetPosition without a window");
    SDL_SetWindowPosition(Sdl(m_window), x, y);
    return 0;
}

int Window::GetPosition(int& x, int& y) const
{
    x = y = 0;
    if (!m_window)
        return kSdlFailure;
    SDL_GetWindowPosition(Sdl(m_window), &x, &y);
    return 0;
}

int Window::SetClientSize(int width, int height)
{
    if (!m_window)
        return Fail("SetClientSize without a window");
    if (width <= 0 || height <= 0)
    {
        m_error = "SetClientSize: the size must be positive";
        return kSdlFailure;
    }
    SDL_SetWindowSize(Sdl(m_window), width, height);
    return 0;
}

int Window::GetClientSize(int& width, int& height) const
{
    width = height = 0;
    if (!m_window)
        return kSdlFailure;
    // The drawable size is what OpenGL renders into; it differs from the window size on scaled displays.
    SDL_GL_GetDrawableSize(Sdl(m_window), &width, &height);
    return 0;
}

void Window::GetFrameSize(int& horizontal, int& vertical) const
{
    horizontal = vertical = 0;
    int top = 0, left = 0, bottom = 0, right = 0;
    if (m_window && SDL_GetWindowBordersSize(Sdl(m_window), &top, &left, &bottom, &right) == 0)
    {
        horizontal = left + right;
        vertical = top + bottom;
    }
}

int Window::SetFullscreen(const DisplayMode* mode)
{
    if (!m_window)
        return Fail("SetFullscreen without a window");
    if (!mode)
    {
        if (SDL_SetWindowFullscreen(Sdl(m_window), 0) < 0)
            return Fail("SDL_SetWindowFullscreen(0)");
        return 0;
    }
    SDL_DisplayMode wanted{};
    wanted.w = mode->width;
    wanted.h = mode->height;
    wanted.refresh_rate = mode->refreshRate;
    SDL_DisplayMode closest;
    if (!SDL_GetClosestDisplayMode(0, &wanted, &closest))
        return Fail("SDL_GetClosestDisplayMode");
    if (SDL_SetWindowDisplayMode(Sdl(m_window), &closest) < 0)
        return Fail("SDL_SetWindowDisplayMode");
    if (SDL_SetWindowFullscreen(Sdl(m_window), SDL_WINDOW_FULLSCREEN) < 0)
        return Fail("SDL_SetWindowFullscreen");
    return 0;
}

int Window::SetDesktopFullscreen(bool fullScreen)
{
    if (!m_window)
        return Fail("SetDesktopFullscreen without a window");
    if (SDL_SetWindowFullscreen(Sdl(m_window), fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) < 0)
        return Fail("SDL_SetWindowFullscreen");
    return 0;
}

bool Window::IsFullscreen() const
{
    return m_window && (SDL_GetWindowFlags(Sdl(m_window)) & SDL_WINDOW_FULLSCREEN) != 0;
}

void Window::GetWindowSize(int& width, int& height) const
{
    width = height = 0;
    if (m_window)
        SDL_GetWindowSize(Sdl(m_window), &width, &height);
}

int Window::GetRefreshRate() const
{
    if (!m_window)
        return 0;
    const int display = SDL_GetWindowDisplayIndex(Sdl(m_window));
    SDL_DisplayMode mode;
    if (display < 0 || SDL_GetCurrentDisplayMode(display, &mode) < 0)
        return 0;
    return mode.refresh_rate;
}

unsigned Window::Id() const
{
    return m_window ? SDL_GetWindowID(Sdl(m_window)) : 0;
}

int Window::Fail(const char* what)
{
    m_error = std::string(what) + " failed: " + SDL_GetError();
    return kSdlFailure;
}

int ShowCursorCounter(bool show)
{
    const int counter = show ? ++g_cursorCounter : --g_cursorCounter;
    SDL_ShowCursor(counter >= 0 ? SDL_ENABLE : SDL_DISABLE);
    return counter;
}

int ShowMessageBox(const std::string& caption, const std::string& text, MessageBoxKind kind)
{
    Uint32 flags = SDL_MESSAGEBOX_ERROR;
    if (kind == MessageBoxKind::kWarning)
        flags = SDL_MESSAGEBOX_WARNING;
    else if (kind == MessageBoxKind::kInformation)
        flags = SDL_MESSAGEBOX_INFORMATION;
    if (SDL_ShowSimpleMessageBox(flags, caption.c_str(), text.c_str(), nullptr) == 0)
        return 0;
    // Nobody may see a box without a display, but the text must not be lost.
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    return kSdlFailure;
}

} // namespace plk
