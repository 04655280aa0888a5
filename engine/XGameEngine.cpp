// Engine set-up: window, video mode with its fallback chain, device states, fog, 2D mode.
#include "engine/XGameEngine.h"

#include "engine/XDXSound.h"
#include "engine/XDXTexture.h"
#include "engine/XGameScreen.h"
#include "engine/XScreenTransition.h"
#include "platform/time/Timer.h"

#include <algorithm>
#include <iterator>
#include <vector>

using namespace plk::gfx;

namespace
{

XGameEngine* g_pEngine = nullptr;

struct VideoMode
{
    unsigned width;
    unsigned height;
    unsigned char bitsPerPixel;
};

// Safer modes, tried in order when the requested one fails.
const VideoMode kFallbackModes[] = {
    {1024, 768, 32}, {1024, 768, 24}, {1024, 768, 16}, {800, 600, 32}, {800, 600, 24},
    {800, 600, 16},  {640, 480, 32},  {640, 480, 24},  {640, 480, 16},
};

const float kDefaultFieldOfView = 0.7853982f; // pi / 4
const float kDefaultNear = 1.0f;
const float kDefaultFar = 10000.0f;
const int kDefaultFontSize = 10;

// A window needs some size before the mode gives it its own.
const int kMinimumWindowSide = 1;
// Leaving full screen for a window smaller than this (the game started full screen) opens the
// window of the video tool's first entry instead.
const int kSmallestWindowWidth = 320;
const int kSmallestWindowHeight = 240;
const unsigned kDefaultWindowWidth = 1024;
const unsigned kDefaultWindowHeight = 768;

// Width over height, so that a cube on screen is as wide as it is tall.
float DefaultAspect(unsigned width, unsigned height)
{
    return static_cast<float>(width) / static_cast<float>(height);
}

} // namespace

XGameEngine::XGameEngine()
{
    g_pEngine = this;
    m_strClassName = "MyDefaultGame";
    m_strTitle = "My Default Game Title";
    m_dtRunStart.SetNow();
}

XGameEngine::~XGameEngine()
{
    // Screens still queued or active when Run never ran are owned here all the same.
    DeleteAll(m_llActive);
    DeleteAll(m_llDelete);
    DeleteAll(m_llPending);
    delete m_pTransition;
    m_pTransition = nullptr;
    m_font.Release();
    XDXTexture::ReleaseSprite();
    m_device.Release();
    m_window.Destroy();
    if (g_pEngine == this)
        g_pEngine = nullptr;
}

XGameEngine* XGameEngine::GetEngine()
{
    return g_pEngine;
}

bool XGameEngine::Setup(bool windowed, bool depthBuffer, unsigned width, unsigned height, unsigned char bitsPerPixel,
                        int refreshRate, const char* className, const char* title)
{
    m_bWindowed = windowed;
    m_bDepthBuffer = depthBuffer;
    m_uiWidth = width;
    m_uiHeight = height;
    m_ucBitsPerPixel = bitsPerPixel;
    m_iRefreshRate = refreshRate;
    m_strClassName = className && *className ? className : "MyDefaultGame";
    m_strTitle = title && *title ? title : "My Default Game Title";
    return Init();
}

bool XGameEngine::Init()
{
    m_strErrorMsg = "";
    m_strModeFailure = "";
    int windowWidth = std::max<int>(kMinimumWindowSide, static_cast<int>(m_uiWidth));
    int windowHeight = std::max<int>(kMinimumWindowSide, static_cast<int>(m_uiHeight));
    int rc = m_window.Create(m_strTitle.GetBuffer(), 0, 0, windowWidth, windowHeight);
    if (rc != 0)
    {
        m_strErrorMsg = "Error: in XGameEngine::Init, CreateWindow failed. RetVal=";
        m_strErrorMsg += rc;
        return false;
    }
    // Fitted only now that the window holds the video system: started a second time within one
    // process, it may describe the screen wrongly (Xvfb then reports another size).
    if (m_bWindowed)
    {
        FitWindowToDesktop(m_uiWidth, m_uiHeight);
        windowWidth = std::max<int>(kMinimumWindowSide, static_cast<int>(m_uiWidth));
        windowHeight = std::max<int>(kMinimumWindowSide, static_cast<int>(m_uiHeight));
    }
    plk::DisplayMode desktop;
    if (plk::GetDesktopDisplayMode(desktop) == 0)
    {
        if (m_bWindowed)
            m_window.SetPosition(desktop.width / 2 - windowWidth / 2, desktop.height / 2 - windowHeight / 2);
        else
            m_window.SetPosition(0, 0);
    }
    m_window.Show();

    const bool windowed = m_bWindowed;
    const bool depthBuffer = m_bDepthBuffer;
    if (!SetMode(windowed, depthBuffer, m_uiWidth, m_uiHeight, m_ucBitsPerPixel))
    {
        XString firstFailure = m_strErrorMsg;
        bool found = !windowed && SetDesktopFullScreen(depthBuffer);
        for (size_t i = 0; !found && i < std::size(kFallbackModes); ++i)
        {
            const VideoMode& mode = kFallbackModes[i];
            found = SetMode(windowed, depthBuffer, mode.width, mode.height, mode.bitsPerPixel);
        }
        if (!found)
        {
            m_strErrorMsg = "Error: in XGameEngine::Init, failed to find a supported video mode. Msg=";
            m_strErrorMsg += firstFailure;
            return false;
        }
        m_strModeFailure = firstFailure;
    }
    if (!m_input.Init())
    {
        m_strErrorMsg = "Error: in XGameEngine::Init, XDXInput::Init failed. Msg=";
        m_strErrorMsg += m_input.GetErrorMsg();
        return false;
    }
    // Without sound the game goes on silent: the failure is only kept as the error text.
    XString soundError;
    if (!XDXSound::Init(soundError))
    {
        m_strErrorMsg = "Error: in XGameEngine::Init, XDXSound::Init failed. Msg=";
        m_strErrorMsg += soundError;
    }
    XString textureError;
    if (!XDXTexture::Init(textureError))
    {
        m_strErrorMsg = "Error: in XGameEngine::Init, XDXTexture::Init failed. Msg=";
        m_strErrorMsg += textureError;
        return false;
    }
    if (!m_font.Create("DefaultFont", kDefaultFontSize, false, false))
    {
        m_strErrorMsg = "Error: in XGameEngine::Init, XDXFont::Create failed. Msg=";
        m_strErrorMsg += m_font.GetErrorMsg();
        return false;
    }
    m_screenShot.SetEnabled(true);
    m_device.SetRenderState(kCullMode, kCullCCW);
    m_device.SetRenderState(kLighting, 0);
    m_input.Reset();
    plk::TimerStart();
    return true;
}

bool XGameEngine::SetDesktopFullScreen(bool depthBuffer)
{
    // A full-screen mode chosen on another monitor, or one the screen stopped offering, must not
    // keep the game from starting; the desktop's own mode is always there, at its own refresh rate.
    const int refreshRate = m_iRefreshRate;
    m_iRefreshRate = -1;
    if (SetMode(false, depthBuffer, 0, 0, 0))
        return true;
    m_iRefreshRate = refreshRate;
    return false;
}

void XGameEngine::FitWindowToDesktop(unsigned& width, unsigned& height) const
{
    int areaWidth = 0, areaHeight = 0;
    if (plk::GetUsableDesktopArea(areaWidth, areaHeight) != 0)
        return;
    int frameWidth = 0, frameHeight = 0;
    m_window.GetFrameSize(frameWidth, frameHeight);
    const long long maxWidth = areaWidth - frameWidth;
    const long long maxHeight = areaHeight - frameHeight;
    if (maxWidth <= 0 || maxHeight <= 0 || width == 0 || height == 0 || (width <= maxWidth && height <= maxHeight))
        return;
    // Keeps the shape, so that the 1024 x 768 design is not stretched more than it was asked to be.
    if (maxWidth * height <= maxHeight * width)
    {
        height = static_cast<unsigned>(std::max(1LL, height * maxWidth / width));
        width = static_cast<unsigned>(maxWidth);
    }
    else
    {
        width = static_cast<unsigned>(std::max(1LL, width * maxHeight / height));
        height = static_cast<unsigned>(maxHeight);
    }
}

unsigned char XGameEngine::GetFormatBPP(plk::PixelFormat format)
{
    switch (format)
    {
    case plk::PixelFormat::kR8G8B8: return 24;
    case plk::PixelFormat::kA8R8G8B8:
    case plk::PixelFormat::kX8R8G8B8: return 32;
    case plk::PixelFormat::kR5G6B5:
    case plk::PixelFormat::kX1R5G5B5:
    case plk::PixelFormat::kA1R5G5B5:
    case plk::PixelFormat::kA4R4G4B4: return 16;
    case plk::PixelFormat::kA8P8:
    case plk::PixelFormat::kP8: return 8;
    default: return 0;
    }
}

bool XGameEngine::SetMode(bool windowed, bool depthBuffer, unsigned width, unsigned height,
                          unsigned char bitsPerPixel)
{
    m_strErrorMsg = "";
    m_bWindowed = windowed;
    m_bDepthBuffer = depthBuffer;
    m_uiWidth = width;
    m_uiHeight = height;
    m_ucBitsPerPixel = bitsPerPixel;
    if (!m_window.IsOpen())
    {
        m_strErrorMsg = "Error: in XGameEngine::SetMode, the device was not initialized.";
        return false;
    }
    int rc = plk::GetDesktopDisplayMode(m_desktopMode);
    if (rc != 0)
    {
        m_strErrorMsg = "Error: in XGameEngine::SetMode, GetAdapterDisplayMode failed. hr=";
        m_strErrorMsg += rc;
        return false;
    }
    if (m_uiWidth == 0 || m_uiHeight == 0)
    {
        int clientWidth = 0, clientHeight = 0;
        m_window.GetClientSize(clientWidth, clientHeight);
        if (m_uiWidth == 0)
            m_uiWidth = static_cast<unsigned>(windowed ? clientWidth : m_desktopMode.width);
        if (m_uiHeight == 0)
            m_uiHeight = static_cast<unsigned>(windowed ? clientHeight : m_desktopMode.height);
    }
    if (windowed || m_ucBitsPerPixel == 0)
    {
        m_ucBitsPerPixel = GetFormatBPP(m_desktopMode.format);
        if (m_ucBitsPerPixel == 0)
        {
            m_strErrorMsg = "Error: in XGameEngine::SetMode, GetFormatBPP failed.";
            return false;
        }
    }
    if (windowed)
    {
        m_window.SetFullscreen(nullptr);
        FitWindowToDesktop(m_uiWidth, m_uiHeight);
        if (!ResizeWin(m_uiWidth, m_uiHeight))
        {
            XString inner = m_strErrorMsg;
            m_strErrorMsg = "Error: in XGameEngine::SetMode, ResizeWin failed. Msg=";
            m_strErrorMsg += inner;
            return false;
        }
    }
    else
    {
        std::vector<plk::PixelFormat> formats;
        switch (m_ucBitsPerPixel)
        {
        case 32: formats = {plk::PixelFormat::kX8R8G8B8}; break;
        case 24: formats = {plk::PixelFormat::kR8G8B8}; break;
        case 16: formats = {plk::PixelFormat::kR5G6B5, plk::PixelFormat::kX1R5G5B5}; break;
        case 8: formats = {plk::PixelFormat::kP8}; break;
        default: break;
        }
        std::vector<plk::DisplayMode> modes;
        plk::ListDisplayModes(modes);
        const plk::DisplayMode* chosen = nullptr;
        plk::DisplayMode wanted;
        for (plk::PixelFormat format : formats)
        {
            if (plk::HasDisplayMode(modes, static_cast<int>(m_uiWidth), static_cast<int>(m_uiHeight), format))
            {
                wanted = plk::DisplayMode{static_cast<int>(m_uiWidth), static_cast<int>(m_uiHeight),
                                          m_iRefreshRate < 0 ? 0 : m_iRefreshRate, format};
                chosen = &wanted;
                break;
            }
        }
        if (!chosen)
        {
            m_strErrorMsg = "Error: in XGameEngine::SetMode, CheckFormat (2) failed.";
            return false;
        }
        rc = m_window.SetFullscreen(chosen);
        if (rc != 0)
        {
            m_strErrorMsg = "Error: in XGameEngine::SetMode, CreateDevice failed. hr=";
            m_strErrorMsg += rc;
            return false;
        }
    }
    // A device from an earlier mode is released inside Create, never leaked.
    rc = m_device.Create(m_window, m_bDepthBuffer);
    if (rc != kOk)
    {
        if (!m_bDepthBuffer)
        {
            m_strErrorMsg = "Error: in XGameEngine::SetMode, CreateDevice (2) failed. hr=";
            m_strErrorMsg += rc;
            return false;
        }
        m_bDepthBuffer = false;
        rc = m_device.Create(m_window, false);
        if (rc != kOk)
        {
            m_strErrorMsg = "Error: in XGameEngine::SetMode, CreateDevice failed. hr=";
            m_strErrorMsg += rc;
            return false;
        }
    }
    // The drawable, not the window, is what is drawn on: larger on a scaled (HiDPI) display.
    if (m_bWindowed && m_device.BackBufferWidth() > 0 && m_device.BackBufferHeight() > 0)
    {
        m_uiWidth = static_cast<unsigned>(m_device.BackBufferWidth());
        m_uiHeight = static_cast<unsigned>(m_device.BackBufferHeight());
    }
    m_fLayoutScale = DesignFitScale(m_uiWidth, m_uiHeight);
    if (!SetPerspective(kDefaultFieldOfView, DefaultAspect(m_uiWidth, m_uiHeight), kDefaultNear, kDefaultFar))
    {
        XString inner = m_strErrorMsg;
        m_strErrorMsg = "Error: in XGameEngine::SetMode, SetPerspective failed. Msg=";
        m_strErrorMsg += inner;
        return false;
    }
    return true;
}

bool XGameEngine::ResizeWin(unsigned clientWidth, unsigned clientHeight)
{
    m_strErrorMsg = "";
    const int rc = m_window.SetClientSize(static_cast<int>(clientWidth), static_cast<int>(clientHeight));
    if (rc != 0)
    {
        m_strErrorMsg = "Error: in XGameEngine::ResizeWin, MoveWindow failed. RetVal=";
        m_strErrorMsg += rc;
        return false;
    }
    return true;
}

Matrix XGameEngine::DefaultProjection(unsigned width, unsigned height)
{
    return MatrixPerspectiveFovLH(kDefaultFieldOfView, DefaultAspect(width, height), kDefaultNear, kDefaultFar);
}

void XGameEngine::HandleResize()
{
    if (!m_device.IsCreated())
        return;
    m_device.Resize();
    const unsigned width = static_cast<unsigned>(m_device.BackBufferWidth());
    const unsigned height = static_cast<unsigned>(m_device.BackBufferHeight());
    if (width == m_uiWidth && height == m_uiHeight)
        return;
    m_uiWidth = width;
    m_uiHeight = height;
    // A screen that saved the matrices for 2D restores the old projection; the new one replaces it.
    End2D();
    SetPerspective(kDefaultFieldOfView, DefaultAspect(m_uiWidth, m_uiHeight), kDefaultNear, kDefaultFar);
    for (unsigned i = 0; i < m_llActive.GetCount(); ++i)
    {
        if (XGameScreen* screen = m_llActive.Get(i))
            screen->MyResize();
    }
}

bool XGameEngine::ToggleFullScreen()
{
    m_strErrorMsg = "";
    const bool fullScreen = !m_window.IsFullscreen();
    const int rc = m_window.SetDesktopFullscreen(fullScreen);
    if (rc != 0)
    {
        m_strErrorMsg = "Error: in XGameEngine::ToggleFullScreen, SetWindowFullscreen failed. Msg=";
        m_strErrorMsg += m_window.Error().c_str();
        return false;
    }
    m_bWindowed = !fullScreen;
    if (!fullScreen)
    {
        // A game that started full screen never had a window size of its own: its window comes
        // back at the size it was created with, the whole screen's or none.
        int width = 0, height = 0;
        m_window.GetWindowSize(width, height);
        plk::DisplayMode desktop;
        const bool haveDesktop = plk::GetDesktopDisplayMode(desktop) == 0;
        const bool coversDesktop = haveDesktop && width >= desktop.width && height >= desktop.height;
        if (width < kSmallestWindowWidth || height < kSmallestWindowHeight || coversDesktop)
        {
            unsigned newWidth = kDefaultWindowWidth, newHeight = kDefaultWindowHeight;
            FitWindowToDesktop(newWidth, newHeight);
            m_window.SetClientSize(static_cast<int>(newWidth), static_cast<int>(newHeight));
            if (haveDesktop)
                m_window.SetPosition(desktop.width / 2 - static_cast<int>(newWidth) / 2,
                                     desktop.height / 2 - static_cast<int>(newHeight) / 2);
        }
    }
    // The window system's resize event follows, but a test or the next frame must not draw into
    // the old size meanwhile.
    HandleResize();
    if (m_fullScreenListener)
        m_fullScreenListener(fullScreen);
    return true;
}

XPlacement2D XGameEngine::GetPlacement2D(XAnchor2D anchor) const
{
    return PlaceDesign(m_uiWidth, m_uiHeight, m_fLayoutScale, anchor);
}

bool XGameEngine::SetPerspective(float fieldOfView, float aspect, float nearPlane, float farPlane)
{
    m_strErrorMsg = "";
    if (!m_device.IsCreated())
    {
        m_strErrorMsg = "Error: in XGameEngine::SetPerspective, Device is NULL.";
        return false;
    }
    const int hr =
        m_device.SetTransform(kProjection, MatrixPerspectiveFovLH(fieldOfView, aspect, nearPlane, farPlane));
    if (hr != kOk)
    {
        m_strErrorMsg = "Error: in XGameEngine::SetPerspective, SetTransform failed. hr=";
        m_strErrorMsg += hr;
        return false;
    }
    return true;
}

bool XGameEngine::SetViewport(unsigned left, unsigned right, unsigned top, unsigned bottom)
{
    m_strErrorMsg = "";
    Viewport viewport;
    viewport.x = static_cast<int>(left);
    viewport.y = static_cast<int>(top);
    viewport.width = static_cast<int>(right) - static_cast<int>(left) + 1;
    viewport.height = static_cast<int>(bottom) - static_cast<int>(top) + 1;
    const int hr = m_device.IsCreated() ? m_device.SetViewport(viewport) : kErrInvalidCall;
    if (hr != kOk)
    {
        m_strErrorMsg = "Error: in XGameEngine::SetViewport, SetViewPort failed. hr=";
        m_strErrorMsg += hr;
        return false;
    }
    return true;
}

bool XGameEngine::Clear(uint32_t color, float depth)
{
    m_strErrorMsg = "";
    if (!m_device.IsCreated())
    {
        m_strErrorMsg = "Error: in XGameEngine::Clear, Device is NULL.";
        return false;
    }
    uint32_t flags = 0;
    if (m_bClearTarget)
        flags |= kClearTarget;
    if (m_bDepthBuffer)
        flags |= kClearZBuffer;
    if (flags == 0)
        return true;
    const int hr = m_device.Clear(flags, color, depth);
    if (hr != kOk)
    {
        m_strErrorMsg = "Error: in XGameEngine::Clear, Clear failed. hr=";
        m_strErrorMsg += hr;
        return false;
    }
    return true;
}

void XGameEngine::SetFrameRate(float framesPerSecond, bool showStatistics)
{
    m_fTargetFrameRate = framesPerSecond;
    m_bShowStatistics = showStatistics;
}

void XGameEngine::SetPath(const XString& folder)
{
    m_strPath = folder;
    if (!m_strPath.EndsWith('\\'))
        m_strPath += '\\';
}

void XGameEngine::ShowCursor(bool show)
{
    plk::ShowCursorCounter(show);
}

void XGameEngine::SetFog(bool enable, uint32_t color, uint32_t mode, float start, float end, float density,
                         bool rangeFog)
{
    if ((m_bFogOff && enable) || !m_device.IsCreated())
        return;
    if (!enable)
    {
        m_device.SetRenderState(kFogEnable, 0);
        return;
    }
    m_device.SetRenderState(kFogEnable, 1);
    m_device.SetRenderState(kFogColor, color);
    m_device.SetRenderState(kFogVertexMode, mode);
    if (mode == kFogLinear)
    {
        m_device.SetRenderState(kFogStart, FloatBits(start));
        m_device.SetRenderState(kFogEnd, FloatBits(end));
    }
    else
    {
        m_device.SetRenderState(kFogDensity, FloatBits(density));
    }
    if (rangeFog)
        m_device.SetRenderState(kRangeFogEnable, 1);
}

bool XGameEngine::SetZEnable(bool enable)
{
    if (!m_device.IsCreated() || !m_bDepthBuffer)
        return false;
    return m_device.SetRenderState(kZEnable, enable ? 1 : 0) == kOk;
}

void XGameEngine::Begin2D(int width, int height, float nearPlane, float farPlane)
{
    if (m_b2D || !m_device.IsCreated())
        return;
    m_matSavedProjection = m_device.GetTransform(kProjection);
    m_matSavedWorld = m_device.GetTransform(kWorld);
    m_matSavedView = m_device.GetTransform(kView);
    const float w = static_cast<float>(width == -1 ? static_cast<int>(m_uiWidth) : width);
    const float h = static_cast<float>(height == -1 ? static_cast<int>(m_uiHeight) : height);
    m_device.SetTransform(kProjection, MatrixOrthoLH(w, h, nearPlane, farPlane));
    m_device.SetTransform(kWorld, MatrixIdentity());
    m_device.SetTransform(kView, MatrixIdentity());
    m_b2D = true;
}

void XGameEngine::End2D()
{
    if (!m_b2D)
        return;
    m_device.SetTransform(kProjection, m_matSavedProjection);
    m_device.SetTransform(kWorld, m_matSavedWorld);
    m_device.SetTransform(kView, m_matSavedView);
    m_b2D = false;
}

bool XGameEngine::SetOptions(const XEngineOptions& options)
{
    m_strErrorMsg = "";
    m_options = options;
    if (!options.captureDir.IsEmpty() && !m_screenShot.SetDirectory(options.captureDir.GetBuffer()))
    {
        m_strErrorMsg = m_screenShot.GetErrorMsg();
        return false;
    }
    m_bScript = false;
    if (!options.scriptFile.IsEmpty())
    {
        if (!m_script.Load(options.scriptFile))
        {
            m_strErrorMsg = m_script.GetErrorMsg();
            return false;
        }
        m_bScript = true;
    }
    return true;
}
