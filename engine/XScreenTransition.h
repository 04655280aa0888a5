// The fade through black that covers a change of screens; the engine swaps the screens at its midpoint.
#pragma once

#include "foundation/XString.h"

#include <memory>

namespace plk::gfx
{
class VertexBuffer;
}

class XScreenTransition
{
public:
    // duration: the whole fade in ms (700 for every change the game makes).
    explicit XScreenTransition(float duration);
    ~XScreenTransition();
    XScreenTransition(const XScreenTransition&) = delete;
    XScreenTransition& operator=(const XScreenTransition&) = delete;

    // Advances by the engine's frame delta and draws the black quad over the back buffer.
    bool Draw();
    // The fade's clock without drawing: advances by delta ms and returns whether the quad is
    // to be drawn this frame (false once finished).
    bool Advance(unsigned delta);

    bool IsActive() const { return !m_bFinished; }
    // True exactly once: the first call after the first half has run its course.
    bool IsHalfway();
    void StartSecondHalf();
    bool IsFinished() const { return m_bFinished; }
    // Opacity 0..255 of the current frame.
    float GetAlpha() const { return m_fAlpha; }
    const XString& GetErrorMsg() const { return m_strErrorMsg; }

private:
    std::unique_ptr<plk::gfx::VertexBuffer> m_pVertexBuffer;
    unsigned m_uiFramesDrawn = 0; // frames of the current half that drew
    bool m_bFirstHalf = true;
    float m_fAlpha = 0.0f;
    float m_fElapsed = 0.0f;
    float m_fDuration;
    bool m_bMidpointReached = false;
    bool m_bFinished = false;
    XString m_strErrorMsg;
};
