// The one engine object: window, device and video mode, main loop and timing, the screen stack and
// its transition, and the engine-wide default font, camera, input and screenshot taker.
#pragma once

#include "engine/XDXCamera.h"
#include "engine/XDXFont.h"
#include "engine/XDXInput.h"
#include "engine/XDXScreenShot.h"
#include "engine/XEngineOptions.h"
#include "engine/XFramePacer.h"
#include "engine/XInputScript.h"
#include "engine/XLayout2D.h"
#include "foundation/XDateTime.h"
#include "foundation/XLinkList.h"
#include "foundation/XString.h"
#include "platform/gfx/Device.h"
#include "platform/window/Display.h"
#include "platform/window/Window.h"

#include <cstdint>
#include <functional>

class XGameScreen;
class XScreenTransition;

class XGameEngine
{
public:
    // Becomes the process-wide engine that every component reaches through GetEngine().
    XGameEngine();
    virtual ~XGameEngine();
    XGameEngine(const XGameEngine&) = delete;
    XGameEngine& operator=(const XGameEngine&) = delete;

    // The engine of the process, null before one is constructed and after it is destroyed.
    static XGameEngine* GetEngine();

    // Stores the mode and the names, then Init. Null names take the defaults.
    bool Setup(bool windowed, bool depthBuffer, unsigned width, unsigned height, unsigned char bitsPerPixel,
               int refreshRate, const char* className, const char* title);
    bool Init();
    bool SetMode(bool windowed, bool depthBuffer, unsigned width, unsigned height, unsigned char bitsPerPixel);
    bool ResizeWin(unsigned clientWidth, unsigned clientHeight);
    bool SetPerspective(float fieldOfView, float aspect, float nearPlane, float farPlane);
    // The projection SetMode gives a mode of that size: what a pick or a test must invert.
    static plk::gfx::Matrix DefaultProjection(unsigned width, unsigned height);
    // Inclusive pixel bounds, y from the top.
    bool SetViewport(unsigned left, unsigned right, unsigned top, unsigned bottom);
    bool Clear(uint32_t color, float depth);
    bool Draw();
    bool Run();
    // One pass of Run's loop: script, events, drawing, input, the screen stack, the frame cap and
    // the clock. False when drawing failed; quit is set when the game is to end.
    bool Frame(bool& quit);
    // The screen-stack step of each frame; sets quit when the game is to end.
    void Update(bool& quit);
    bool Free();

    // Queues screen (owned from now on); a given transition replaces the current one.
    void AddScreen(bool keepOthers, bool unusedFlag, bool exclusive, XGameScreen* screen,
                   XScreenTransition* transition);
    void RequestQuit() { m_bStop = true; }
    // A rate above the display's refresh rate (or none) is held to the refresh rate.
    void SetFrameRate(float framesPerSecond, bool showStatistics);
    void SetPath(const XString& folder);
    const XString& GetPath() const { return m_strPath; }
    void ShowCursor(bool show);
    void SetClearColor(uint32_t color) { m_uiClearColor = color; }
    void SetClearTarget(bool clear) { m_bClearTarget = clear; }
    // mode: 1 exp, 2 exp2, 3 linear.
    void SetFog(bool enable, uint32_t color, uint32_t mode, float start, float end, float density, bool rangeFog);
    void SetFogOff(bool off) { m_bFogOff = off; }
    bool SetZEnable(bool enable);
    // width or height -1 = the back buffer's.
    void Begin2D(int width, int height, float nearPlane, float farPlane);
    void End2D();
    // Applies the automation options: fixed steps, frame limit, capture folder, script.
    bool SetOptions(const XEngineOptions& options);
    // Sleeps ms on the main thread without it counting as game time: neither the next frame delta
    // nor GetTime include the pause, so the level's clock and the physics never see it. With
    // fixed steps every frame still lasts exactly its step.
    void Hold(unsigned ms);
    // Takes a screenshot at the end of the next drawn frame, as the Print Screen key does.
    void RequestScreenShot() { m_bShotRequested = true; }

    // Switches between the window and desktop full screen on the window's display, as F11 and
    // Alt+Enter do; the listener hears every switch that took place. False with the error text
    // when the window system refused.
    bool ToggleFullScreen();
    void SetFullScreenListener(std::function<void(bool fullScreen)> listener) { m_fullScreenListener = std::move(listener); }
    bool IsFullScreen() const { return m_window.IsFullscreen(); }
    // Handles a change of the drawable's size: device, projection, screens. Called for the
    // window's resize events; a test may call it after resizing the window itself.
    void HandleResize();
    // False while the window is in the background or minimised.
    bool HasFocus() const { return m_bFocused; }
    // A text prompt that reads Alt+Enter as a new line claims it for the next frame's events;
    // without a claim Alt+Enter switches full screen. Renewed by the prompt every update.
    void ClaimAltEnter() { m_bAltEnterClaimed = true; }
    // Design units to layout pixels: what 2D screens scale their design by. Fixed when the mode is
    // set, so that fonts made for it keep fitting; a resize scales the placement instead.
    float GetLayoutScale() const { return m_fLayoutScale; }
    // Where a screen with that anchor draws its layout pixels in the back buffer now.
    XPlacement2D GetPlacement2D(XAnchor2D anchor) const;
    // The spread of the frame times since Run began, leaving out frames that set up a screen or
    // held still on purpose (fixed-step runs count real time all the same).
    const XFrameTimeStats& GetFrameTimeStats() const { return m_frameStats; }
    plk::gfx::Device::VSync GetVSync() const { return m_device.GetVSync(); }

    unsigned GetWidth() const { return m_uiWidth; }
    unsigned GetHeight() const { return m_uiHeight; }
    unsigned char GetBitsPerPixel() const { return m_ucBitsPerPixel; }
    bool IsWindowed() const { return m_bWindowed; }
    int GetRefreshRate() const { return m_iRefreshRate; }
    // Why the mode asked of Setup was not taken (its first failure) when Init fell back to another;
    // empty when it was taken, fitted to the screen or not.
    const XString& GetModeFailure() const { return m_strModeFailure; }
    bool HasDepthBuffer() const { return m_bDepthBuffer; }
    // Null until a mode is set.
    plk::gfx::Device* GetDevice() { return m_device.IsCreated() ? &m_device : nullptr; }
    unsigned GetTime() const { return m_uiFrameTime; }
    unsigned GetFrameDelta() const { return m_uiFrameDelta; }
    float GetFrameRate() const { return m_fFrameRate; }
    unsigned GetFrameCount() const { return m_uiFrameIndex; }
    XScreenTransition* GetTransition() { return m_pTransition; }
    unsigned GetActiveCount() const { return m_llActive.GetCount(); }
    unsigned GetPendingCount() const { return m_llPending.GetCount(); }
    bool IsStopping() const { return m_bStop; }
    const XString& GetErrorMsg() const { return m_strErrorMsg; }
    // Bits per pixel of a display format; 0 for a format the game cannot use.
    static unsigned char GetFormatBPP(plk::PixelFormat format);

    XDXFont m_font;
    XDXCamera m_camera;
    XDXInput m_input;
    XDXScreenShot m_screenShot;

private:
    // Full screen in the desktop's own size, depth and refresh rate.
    bool SetDesktopFullScreen(bool depthBuffer);
    // Shrinks a window that the usable desktop cannot hold, frame included, to the largest of its
    // shape that it can.
    void FitWindowToDesktop(unsigned& width, unsigned& height) const;
    bool PrintStatistics();
    void DrawScreens();
    void DeleteDoomed();
    void DeleteAll(XLinkList<XGameScreen*>& list);
    void PumpEvents(bool& quit);
    // Alt+Enter and F11 switch full screen, unless a prompt claimed Alt+Enter; true when the
    // event was used up so.
    bool HandleFullScreenKey(const plk::Event& event);
    // Mouse positions come in window units; picking and the 2D placement count drawable pixels.
    void ScaleMouseToDrawable(plk::Event& event) const;
    void WaitForFrameCap();
    // Moves the music's volume a frame's step towards silence in the background, full otherwise.
    void FadeMusic();
    // The pacing period for the current target rate, the display and the device's vsync.
    uint64_t FramePeriodUs() const;
    // The timer less every pause taken with Hold: the clock that frames are stamped with.
    unsigned ClockNow() const;

    plk::Window m_window;
    plk::gfx::Device m_device;
    XString m_strClassName;
    XString m_strTitle;
    XString m_strErrorMsg;
    XString m_strModeFailure;
    float m_fTargetFrameRate = 40.0f;
    float m_fFrameRate = 0.0f;
    bool m_bShowStatistics = false;
    unsigned m_uiFrameTime = 0;
    unsigned m_uiFrameDelta = 0;
    unsigned m_uiHeldMs = 0; // time spent in Hold since Run started
    unsigned m_uiDrawTime = 0, m_uiUpdateTime = 0, m_uiInputTime = 0;
    XDateTime m_dtRunStart;
    XLinkList<XGameScreen*> m_llActive;
    XLinkList<XGameScreen*> m_llPending;
    XLinkList<XGameScreen*> m_llDelete;
    XString m_strPath;
    plk::DisplayMode m_desktopMode;
    bool m_bWindowed = true;
    bool m_bDepthBuffer = true;
    unsigned m_uiWidth = 0, m_uiHeight = 0;
    unsigned char m_ucBitsPerPixel = 0;
    int m_iRefreshRate = -1; // -1 = the display's default
    bool m_bFogOff = false;
    bool m_bClearTarget = true;
    uint32_t m_uiClearColor = 0;
    plk::gfx::Matrix m_matSavedView, m_matSavedWorld, m_matSavedProjection;
    bool m_b2D = false;
    bool m_bStop = false;
    XScreenTransition* m_pTransition = nullptr;
    unsigned m_uiTransitionSerial = 0; // counts transitions handed over, to tell a replaced one apart

    XEngineOptions m_options;
    XInputScript m_script;
    bool m_bScript = false;
    bool m_bShotRequested = false;
    unsigned m_uiFrameIndex = 0;

    XFramePacer m_pacer;
    XFrameTimeStats m_frameStats;
    uint64_t m_uiLastFrameUs = 0;
    bool m_bFrameLoaded = false; // a screen was set up or Hold paused during this frame
    float m_fLayoutScale = 1.0f;
    bool m_bFocused = true;
    bool m_bAltDown[2] = {false, false}; // left, right
    bool m_bAltEnterClaimed = false;
    std::function<void(bool)> m_fullScreenListener;
};
