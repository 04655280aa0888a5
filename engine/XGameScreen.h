// The base class of every screen: the four slots the engine calls and the flags of the screen stack.
#pragma once

#include "engine/XLayout2D.h"

class XGameEngine;

class XGameScreen
{
public:
    XGameScreen() = default;
    virtual ~XGameScreen() = default;
    XGameScreen(const XGameScreen&) = delete;
    XGameScreen& operator=(const XGameScreen&) = delete;

    // Called once when the engine activates the screen; m_pEngine is set by then.
    virtual void MyInit() {}
    // Every frame while the screen is active, closed or not, bottom screen first.
    virtual void MyDraw() {}
    // Every frame from the top down, until the first exclusive screen.
    virtual void MyUpdate() {}
    // Just before the engine deletes a screen closed during play; never on shutdown.
    virtual void MyFree() {}
    // The back buffer changed size (m_pEngine->GetWidth and GetHeight tell the new one) and the
    // engine has put the default projection back: a screen with a projection of its own sets it again.
    virtual void MyResize() {}

    // The engine removes the screen at its next removal point.
    void Close() { m_bClosed = true; }
    bool IsClosed() const { return m_bClosed; }
    bool IsExclusive() const { return m_bExclusive; }
    bool KeepsOthers() const { return m_bKeepOthers; }
    // Where the screen's 2D drawing and click rectangles sit in a window of another shape than the
    // design's.
    XAnchor2D GetAnchor2D() const { return m_anchor2D; }

protected:
    XGameEngine* m_pEngine = nullptr;
    XAnchor2D m_anchor2D = XAnchor2D::kCentre;

private:
    friend class XGameEngine;

    bool m_bKeepOthers = false; // stacked over the active screens instead of replacing them
    bool m_bUnused = false;     // stored by AddScreen, read by nobody
    bool m_bExclusive = true;   // no screen below is updated while this one is active
    bool m_bClosed = false;
};
