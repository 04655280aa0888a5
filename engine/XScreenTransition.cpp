// The screen transition: black quad rising to opaque, held until the swap, then falling away.
#include "engine/XScreenTransition.h"

#include "engine/XGameEngine.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/VertexBuffer.h"

#include <cstring>

namespace
{

struct TransitionVertex
{
    float x, y, z, rhw;
    uint32_t color;
};

const int kVertexCount = 6;
const uint32_t kFvf = plk::gfx::kFvfXyzRhw | plk::gfx::kFvfDiffuse;
const float kQuadDepth = 0.5f;
// The orthographic projection's depth range: wide enough for any z the quad could carry.
const float kOrthoDepth = 10000.0f;

} // namespace

XScreenTransition::XScreenTransition(float duration) : m_fDuration(duration)
{
}

XScreenTransition::~XScreenTransition() = default;

bool XScreenTransition::Advance(unsigned delta)
{
    if (m_bFinished)
        return false;
    if (!m_bFirstHalf && m_uiFramesDrawn == 0)
        m_fElapsed = 0.0f;
    else
        m_fElapsed += static_cast<float>(delta);
    const float half = m_fDuration * 0.5f;
    if (m_bFirstHalf && m_fElapsed > half)
        m_fElapsed = half;
    // A zero duration has no halves to spread the fade over: it is opaque at once.
    const float progress = half > 0.0f ? m_fElapsed / half : 1.0f;
    m_fAlpha = m_bFirstHalf ? 255.0f * progress : 255.0f * (1.0f - progress);
    if (!m_bFirstHalf && m_fElapsed >= half)
    {
        m_bFinished = true;
        return false;
    }
    ++m_uiFramesDrawn;
    return true;
}

bool XScreenTransition::IsHalfway()
{
    if (m_bMidpointReached || !m_bFirstHalf || m_fElapsed < m_fDuration * 0.5f)
        return false;
    m_bMidpointReached = true;
    return true;
}

void XScreenTransition::StartSecondHalf()
{
    m_bFirstHalf = false;
    m_fElapsed = 0.0f;
    m_uiFramesDrawn = 0;
}

bool XScreenTransition::Draw()
{
    using namespace plk::gfx;
    m_strErrorMsg = "";
    XGameEngine* engine = XGameEngine::GetEngine();
    Device* device = engine ? engine->GetDevice() : nullptr;
    if (!m_pVertexBuffer)
    {
        if (!device)
        {
            m_strErrorMsg = "Error: in XScreenTransition::Draw, CreateVertexBuffer failed. hr=";
            m_strErrorMsg += kErrInvalidCall;
            return false;
        }
        m_pVertexBuffer = std::make_unique<VertexBuffer>(kVertexCount * sizeof(TransitionVertex), kFvf);
    }
    if (!Advance(engine->GetFrameDelta()))
        return true;

    const float w = static_cast<float>(engine->GetWidth());
    const float h = static_cast<float>(engine->GetHeight());
    const uint32_t color = static_cast<uint32_t>(m_fAlpha) << 24;
    const TransitionVertex vertices[kVertexCount] = {
        {0, 0, kQuadDepth, 1, color}, {w, h, kQuadDepth, 1, color}, {0, h, kQuadDepth, 1, color},
        {0, 0, kQuadDepth, 1, color}, {w, 0, kQuadDepth, 1, color}, {w, h, kQuadDepth, 1, color},
    };
    void* data = nullptr;
    int hr = m_pVertexBuffer->Lock(0, 0, &data);
    if (hr != kOk)
    {
        m_strErrorMsg = "Error: in XScreenTransition::Draw, the vertex buffer could not be locked. hr=";
        m_strErrorMsg += hr;
        return false;
    }
    std::memcpy(data, vertices, sizeof vertices);
    hr = m_pVertexBuffer->Unlock();
    if (hr != kOk)
    {
        m_strErrorMsg = "Error: in XScreenTransition::Draw, failed to unlock the vertex buffer. hr=";
        m_strErrorMsg += hr;
        return false;
    }

    const Device::StateBlock saved = device->CaptureState();
    if (!engine->SetViewport(0, engine->GetWidth() - 1, 0, engine->GetHeight() - 1))
    {
        m_strErrorMsg = "Error: in XScreenTransition::Draw, SetViewport failed. Msg=";
        m_strErrorMsg += engine->GetErrorMsg();
        return false;
    }
    device->SetTransform(kProjection, MatrixOrthoLH(1.0f, 1.0f, -kOrthoDepth, kOrthoDepth));
    device->SetTransform(kWorld, MatrixIdentity());
    device->SetTransform(kView, MatrixIdentity());
    device->SetRenderState(kZEnable, 0);
    device->SetRenderState(kAlphaBlendEnable, 1);
    device->SetRenderState(kSrcBlend, kBlendSrcAlpha);
    device->SetRenderState(kDestBlend, kBlendInvSrcAlpha);
    device->SetTexture(0, nullptr);
    device->SetFVF(kFvf);
    device->SetStreamSource(m_pVertexBuffer.get(), sizeof(TransitionVertex));
    hr = device->DrawPrimitive(kTriangleList, 0, 2);
    device->SetStreamSource(nullptr, 0);
    // Transforms, states and viewport go back as they were, the texture binding with them.
    device->ApplyState(saved);
    if (hr != kOk)
    {
        m_strErrorMsg = "Error: in XScreenTransition::Draw, DrawPrimitive failed. hr=";
        m_strErrorMsg += hr;
        return false;
    }
    return true;
}
