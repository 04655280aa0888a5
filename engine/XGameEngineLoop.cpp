// The main loop: events, drawing in the fixed order, input, the screen stack, the frame cap and timing.
#include "engine/XDXSound.h"
#include "engine/XDXTexture.h"
#include "engine/XGameEngine.h"
#include "engine/XScreenTransition.h"
#include "platform/time/Timer.h"
#include "platform/window/Events.h"

#include <algorithm>
#include <chrono>
#include <thread>

using namespace plk::gfx;

namespace
{

// The frame rate is measured over at least this many ms.
const unsigned kFrameRateInterval = 250;
const uint32_t kOverlayColor = 0xFFFFFFFF;
// The overlay's lines: 100 pixels left of the right edge, from y 2, 15 pixels apart.
const int kOverlayRightOffset = 100;
const int kOverlayTop = 2;
const int kOverlayLineStep = 15;
// Music fades out in the background, and in again, over this many ms.
const unsigned kMusicFadeMs = 500;
// The frame cap's period under vsync, in percent of the display's.
const uint64_t kVSyncBackstopPercent = 90;

} // namespace

void XGameEngine::PumpEvents(bool& quit)
{
    plk::Event event;
    bool resized = false;
    while (plk::PollEvent(event))
    {
        switch (event.type)
        {
        case plk::EventType::kQuit:
        case plk::EventType::kWindowClose: quit = true; break;
        case plk::EventType::kResized: resized = true; break;
        case plk::EventType::kFocusLost:
        case plk::EventType::kFocusGained:
            // A scripted or fixed-step run's focus is its own (a script's blur and focus): another
            // window coming up on the same display must not pause it halfway through.
            if (event.pushed || (!m_bScript && m_options.fixedStepMs == 0))
                m_bFocused = event.type == plk::EventType::kFocusGained;
            break;
        default:
            if (HandleFullScreenKey(event))
                break;
            ScaleMouseToDrawable(event);
            m_input.HandleEvent(event);
            break;
        }
    }
    m_bAltEnterClaimed = false;
    // One resize for a burst of events: a drag sends many, and each costs a projection per screen.
    if (resized)
        HandleResize();
}

bool XGameEngine::HandleFullScreenKey(const plk::Event& event)
{
    const bool down = event.type == plk::EventType::kKeyDown;
    if (!down && event.type != plk::EventType::kKeyUp)
        return false;
    if (event.key == plk::kKeyLeftAlt || event.key == plk::kKeyRightAlt)
    {
        m_bAltDown[event.key == plk::kKeyLeftAlt ? 0 : 1] = down;
        return false;
    }
    const bool altEnter = event.key == plk::kKeyReturn && (m_bAltDown[0] || m_bAltDown[1]) && !m_bAltEnterClaimed;
    if (!altEnter && event.key != plk::kKeyF11)
        return false;
    // The switch happens on the press; the release is swallowed as well, so that no screen sees
    // an Enter it never saw go down.
    if (down)
        ToggleFullScreen();
    return true;
}

void XGameEngine::ScaleMouseToDrawable(plk::Event& event) const
{
    if (event.type != plk::EventType::kMouseMove && event.type != plk::EventType::kMouseButtonDown &&
        event.type != plk::EventType::kMouseButtonUp)
        return;
    int windowWidth = 0, windowHeight = 0;
    m_window.GetWindowSize(windowWidth, windowHeight);
    if (windowWidth <= 0 || windowHeight <= 0 || (static_cast<unsigned>(windowWidth) == m_uiWidth &&
                                                   static_cast<unsigned>(windowHeight) == m_uiHeight))
        return;
    const auto scale = [](int value, unsigned to, int from) {
        return static_cast<int>(static_cast<long long>(value) * to / from);
    };
    event.x = scale(event.x, m_uiWidth, windowWidth);
    event.y = scale(event.y, m_uiHeight, windowHeight);
    event.dx = scale(event.dx, m_uiWidth, windowWidth);
    event.dy = scale(event.dy, m_uiHeight, windowHeight);
}

void XGameEngine::FadeMusic()
{
    const float target = m_bFocused ? 1.0f : 0.0f;
    const float volume = XDXSound::GetMusicVolume();
    if (volume == target)
        return;
    const float step = static_cast<float>(std::max(1u, m_uiFrameDelta)) / static_cast<float>(kMusicFadeMs);
    XDXSound::SetMusicVolume(volume < target ? std::min(target, volume + step) : std::max(target, volume - step));
}

uint64_t XGameEngine::FramePeriodUs() const
{
    const uint64_t period = XFramePacer::PeriodUs(m_fTargetFrameRate, m_window.GetRefreshRate());
    // With vsync the retrace paces the frames; the cap stays as a backstop for drivers that accept
    // the swap interval without waiting, set a little short so that it never delays a frame the
    // retrace would have shown.
    if (m_device.GetVSync() != plk::gfx::Device::VSync::kOff && period == XFramePacer::PeriodUs(0.0f, m_window.GetRefreshRate()))
        return period * kVSyncBackstopPercent / 100;
    return period;
}

void XGameEngine::WaitForFrameCap()
{
    // A fixed-step run goes as fast as it can, unless its script asks for real time.
    const unsigned scriptPaceMs = m_bScript ? m_script.GetPaceMs() : 0;
    if (m_options.fixedStepMs != 0 && scriptPaceMs == 0)
        return;
    m_pacer.SetPeriod(m_options.fixedStepMs != 0 ? uint64_t{scriptPaceMs} * 1000 : FramePeriodUs());
    // Sleep to within a millisecond of the frame's due time, since a sleep may wake late by about
    // that much, then yield the rest; a busy wait would keep a core busy all the time.
    uint64_t now = plk::MonotonicMicroseconds();
    if (const uint64_t sleep = m_pacer.SleepUs(now))
        plk::SleepMicroseconds(sleep);
    for (now = plk::MonotonicMicroseconds(); m_pacer.MustWait(now); now = plk::MonotonicMicroseconds())
        std::this_thread::yield();
    m_pacer.FrameBegun(now);
}

unsigned XGameEngine::ClockNow() const
{
    return plk::TimerElapsed() - m_uiHeldMs;
}

void XGameEngine::Hold(unsigned ms)
{
    const unsigned start = plk::TimerElapsed();
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    m_uiHeldMs += plk::TimerElapsed() - start;
    m_bFrameLoaded = true;
}

bool XGameEngine::Run()
{
    m_strErrorMsg = "";
    m_uiHeldMs = 0;
    m_uiFrameTime = m_options.fixedStepMs != 0 ? 0 : ClockNow();
    m_uiFrameDelta = m_uiDrawTime = m_uiUpdateTime = m_uiInputTime = 0;
    m_dtRunStart.SetNow();
    unsigned measureStart = plk::TimerElapsed();
    unsigned framesCounted = 0;
    m_frameStats = XFrameTimeStats();
    m_uiLastFrameUs = plk::MonotonicMicroseconds();
    m_pacer.Start(m_uiLastFrameUs, FramePeriodUs());

    bool quit = false;
    while (!quit)
    {
        if (!Frame(quit))
            break;
        ++framesCounted;
        const unsigned measured = plk::TimerElapsed();
        if (measured - measureStart >= kFrameRateInterval)
        {
            m_fFrameRate = static_cast<float>(framesCounted) * 1000.0f / static_cast<float>(measured - measureStart);
            framesCounted = 0;
            measureStart = measured;
        }
    }
    const XString runError = m_strErrorMsg;
    if (!Free())
    {
        XString inner = m_strErrorMsg;
        m_strErrorMsg = "Error: in XGameEngine::Run, Free failed. Msg=";
        m_strErrorMsg += inner;
    }
    else
    {
        m_strErrorMsg = runError;
    }
    return m_strErrorMsg.IsEmpty();
}

bool XGameEngine::Frame(bool& quit)
{
    // A script's events of this frame join the queue before it is read.
    if (m_bScript && m_script.Apply(m_uiFrameIndex))
        m_bShotRequested = true;
    PumpEvents(quit);
    if (quit)
        return true;
    FadeMusic();

    unsigned start = plk::TimerElapsed();
    if (!Draw())
    {
        XString inner = m_strErrorMsg;
        m_strErrorMsg = "Error: in XGameEngine::Run, Draw failed. Msg=";
        m_strErrorMsg += inner;
        return false;
    }
    m_uiDrawTime = plk::TimerElapsed() - start;
    start = plk::TimerElapsed();
    m_input.Read();
    m_uiInputTime = plk::TimerElapsed() - start;
    start = plk::TimerElapsed();
    Update(quit);
    m_uiUpdateTime = plk::TimerElapsed() - start;
    ++m_uiFrameIndex;
    if (m_options.maxFrames != 0 && m_uiFrameIndex >= m_options.maxFrames)
        quit = true;
    if (quit)
        return true;

    WaitForFrameCap();
    const uint64_t nowUs = plk::MonotonicMicroseconds();
    // A frame that loaded a screen's media or held still on purpose says nothing about pacing.
    if (!m_bFrameLoaded)
        m_frameStats.Add(static_cast<double>(nowUs - m_uiLastFrameUs) / 1000.0);
    m_bFrameLoaded = false;
    m_uiLastFrameUs = nowUs;
    const unsigned now = m_options.fixedStepMs != 0 ? m_uiFrameTime + m_options.fixedStepMs : ClockNow();
    m_uiFrameDelta = now - m_uiFrameTime;
    m_uiFrameTime = now;
    return true;
}

bool XGameEngine::Draw()
{
    m_strErrorMsg = "";
    if (!m_device.IsCreated())
    {
        m_strErrorMsg = "Error: in XGameEngine::Draw, the device is not initialized.";
        return false;
    }
    if (!Clear(m_uiClearColor, 1.0f))
    {
        XString inner = m_strErrorMsg;
        m_strErrorMsg = "Error: in XGameEngine::Draw, Clear failed. Msg=";
        m_strErrorMsg += inner;
        return false;
    }
    int hr = m_device.BeginScene();
    if (hr != kOk)
    {
        m_strErrorMsg = "Error: in XGameEngine::Draw, BeginScene failed. hr=";
        m_strErrorMsg += hr;
        return false;
    }
    hr = m_device.SetTransform(kView, m_camera.GetViewMatrix());
    if (hr != kOk)
    {
        m_device.EndScene();
        m_strErrorMsg = "Error: in XGameEngine::Draw, SetTransform failed. hr=";
        m_strErrorMsg += hr;
        return false;
    }
    DrawScreens();
    if (m_pTransition && m_pTransition->IsActive() && !m_pTransition->Draw())
    {
        m_device.EndScene();
        m_strErrorMsg = "Error: in XGameEngine::Draw, Transition failed. Msg=";
        m_strErrorMsg += m_pTransition->GetErrorMsg();
        return false;
    }
    if (m_bShowStatistics && !PrintStatistics())
    {
        m_device.EndScene();
        return false;
    }
    hr = m_device.EndScene();
    if (hr != kOk)
    {
        m_strErrorMsg = "Error: in XGameEngine::Draw, EndScene failed. hr=";
        m_strErrorMsg += hr;
        return false;
    }
    if (m_input.KeyReleased(plk::kKeyPrintScreen) || m_bShotRequested)
    {
        m_bShotRequested = false;
        if (!m_screenShot.TakeScreenShot())
        {
            m_strErrorMsg = "Error: in XGameEngine::Draw, TakeScreenShot failed. Msg=";
            m_strErrorMsg += m_screenShot.GetErrorMsg();
        }
    }
    hr = m_device.Present();
    if (hr != kOk)
    {
        m_strErrorMsg = "Error: in XGameEngine::Draw, Present failed. hr=";
        m_strErrorMsg += hr;
        return false;
    }
    return true;
}

bool XGameEngine::PrintStatistics()
{
    struct Line
    {
        const char* failure;
        XString text;
    };
    Line lines[4] = {
        {"Error: in XGameEngine::Draw, print FPS failed. Msg=", XString()},
        {"Error: in XGameEngine::Draw, print draw time failed. Msg=", XString()},
        {"Error: in XGameEngine::Draw, print update time failed. Msg=", XString()},
        {"Error: in XGameEngine::Draw, print read devices time failed. Msg=", XString()},
    };
    lines[0].text.Format("FPS: %.2f", static_cast<double>(m_fFrameRate));
    lines[1].text.Format("Draw: %i ms", static_cast<int>(m_uiDrawTime));
    lines[2].text.Format("Updt: %i ms", static_cast<int>(m_uiUpdateTime));
    lines[3].text.Format("Inpt: %i ms", static_cast<int>(m_uiInputTime));
    const int x = static_cast<int>(m_uiWidth) - kOverlayRightOffset;
    for (int i = 0; i < 4; ++i)
    {
        if (!m_font.Print(lines[i].text, x, kOverlayTop + i * kOverlayLineStep, 0, 0, kOverlayColor, 0))
        {
            m_strErrorMsg = lines[i].failure;
            m_strErrorMsg += m_font.GetErrorMsg();
            return false;
        }
    }
    return true;
}

bool XGameEngine::Free()
{
    // Active screens were initialised, so they release what MyInit loaded; pending ones never were.
    while (m_llActive.GetCount() > 0)
        m_llDelete.AddTail(m_llActive.RemoveHead());
    DeleteDoomed();
    DeleteAll(m_llPending);
    delete m_pTransition;
    m_pTransition = nullptr;
    m_font.Release();
    XDXTexture::ReleaseSprite();
    XDXSound::Shutdown();
    m_input.Free();
    m_device.Release();
    return true;
}
