// The base class of every screen: the four slots the engine calls and the flags of the screen stack.
#pragma once

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

    // The engine removes the screen at its next removal point.
    void Close() { m_bClosed = true; }
    bool IsClosed() const { return m_bClosed; }
    bool IsExclusive() const { return m_bExclusive; }
    bool KeepsOthers() const { return m_bKeepOthers; }

protected:
    XGameEngine* m_pEngine = nullptr;

private:
    friend class XGameEngine;

    bool m_bKeepOthers = false; // stacked over the active screens instead of replacing them
    bool m_bUnused = false;     // stored by AddScreen, read by nobody
    bool m_bExclusive = true;   // no screen below is updated while this one is active
    bool m_bClosed = false;
};
