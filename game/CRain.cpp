// The rain's drops: respawning, falling, splashing and drawing.
#include "game/CRain.h"

#include "engine/XGameEngine.h"
#include "engine/XRandom.h"
#include "platform/gfx/Device.h"

using namespace plk::gfx;

namespace
{

// A drop is a short streak, pale blue, half transparent at its head and fading toward its tail.
const float kStreakLength = 4.0f;
const uint32_t kHeadColour = 0x99C8DCFFu;
const uint32_t kTailColour = 0x20C8DCFFu;
const float kMsPerSecond = 1000.0f;

} // namespace

void CRain::Create()
{
    m_drops.assign(kDropCount, Drop());
    for (Drop& drop : m_drops)
        Respawn(drop);
    m_vertices.reserve(static_cast<size_t>(kDropCount) * 2);
}

void CRain::Respawn(Drop& drop)
{
    XRandom& random = XRandom::Effects();
    drop.position = {(random.Unit() - 0.5f) * kBoxWidth, kFloorY + random.Unit() * kBoxHeight,
                     (random.Unit() - 0.5f) * kBoxDepth};
    drop.speed = kFallSpeed;
    drop.state = kFalling;
    drop.splashLeft = 0.0f;
}

void CRain::Update(float dt)
{
    for (Drop& drop : m_drops)
    {
        if (drop.state == kFinished)
            Respawn(drop);
        else if (drop.state == kFalling)
        {
            drop.position.y -= drop.speed * dt / kMsPerSecond;
            if (drop.position.y < kFloorY)
            {
                drop.state = kSplashing;
                drop.splashLeft = kSplashMs;
            }
        }
        else
        {
            drop.splashLeft -= dt;
            if (drop.splashLeft <= 0.0f)
                drop.state = kFinished;
        }
    }
}

void CRain::Draw(XGameEngine* engine)
{
    Device* device = engine ? engine->GetDevice() : nullptr;
    if (!device || m_drops.empty())
        return;
    m_vertices.clear();
    for (const Drop& drop : m_drops)
    {
        if (drop.state == kFinished)
            continue;
        const Vector3& p = drop.position;
        m_vertices.push_back({p.x, p.y, p.z, kHeadColour});
        m_vertices.push_back({p.x, p.y + kStreakLength, p.z, kTailColour});
    }
    if (m_vertices.empty())
        return;
    device->SetTransform(kWorld, MatrixIdentity());
    device->SetRenderState(kLighting, 0);
    device->SetRenderState(kAlphaBlendEnable, 1);
    device->SetRenderState(kSrcBlend, kBlendSrcAlpha);
    device->SetRenderState(kDestBlend, kBlendInvSrcAlpha);
    device->SetTexture(0, nullptr);
    device->SetFVF(kFvfXyz | kFvfDiffuse);
    device->DrawPrimitiveUP(kLineList, static_cast<int>(m_vertices.size() / 2), m_vertices.data(),
                            static_cast<int>(sizeof(LineVertex)));
    device->SetRenderState(kAlphaBlendEnable, 0);
    device->SetRenderState(kLighting, 1);
}
