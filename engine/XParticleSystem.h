// A CPU-simulated particle emitter drawn as point sprites: timed emission with randomised position,
// velocity, colour and size; gravity, drag toward a wind, an attractor; planes that bounce, stop
// or kill; colour and size interpolated over a fixed lifetime. Configure the public parameters,
// then call Update and Render each frame.
#pragma once

#include "engine/XDXMeshObject.h"
#include "engine/XDXTexture.h"
#include "foundation/XString.h"
#include "platform/gfx/Math.h"

#include <cstdint>
#include <memory>

namespace plk::gfx
{
class VertexBuffer;
}

struct XParticle
{
    plk::gfx::Vector3 position;
    plk::gfx::Vector3 velocity;
    plk::gfx::Vector3 attraction;
    float color[4] = {0, 0, 0, 0};      // r, g, b, a in 0..1
    float colorDelta[4] = {0, 0, 0, 0}; // per ms
    float size = 0.0f;
    float sizeDelta = 0.0f; // per ms
    float birth = 0.0f;     // clock at emission, ms
    XParticle* next = nullptr;
};

struct XParticlePlane
{
    plk::gfx::Vector3 normal;
    plk::gfx::Vector3 point;
    float restitution = 0.0f;
    int kind = 0;
    XParticlePlane* next = nullptr;
};

class XParticleSystem : public XDXMeshObject
{
public:
    enum PlaneKind
    {
        kPlaneBounce = 0,
        kPlaneStop = 1,
        kPlaneKill = 2,
    };

    enum BlendMode
    {
        kBlendAdditive = 0,
        kBlendAlphaTested = 1,
    };

    // Result codes of Restore, UpdateParticles and Render: 0 success.
    static constexpr int kOk = 0;
    static constexpr int kErrFail = -1;
    static constexpr int kErrOutOfMemory = -3;

    XParticleSystem();
    ~XParticleSystem() override;
    XParticleSystem(const XParticleSystem&) = delete;
    XParticleSystem& operator=(const XParticleSystem&) = delete;

    // Creates the vertex buffer, reads the device's point limits and loads the texture.
    int Restore();
    void SetTextureName(const XString& name) { m_strTextureName = name; }
    // Planes are tested in reverse order of adding.
    void AddPlane(float nx, float ny, float nz, float px, float py, float pz, float restitution, int kind);
    // Every live particle goes back to the free list.
    void KillAll();
    // Advances by dt ms: ageing, motion, planes, then emission. kErrOutOfMemory when a new
    // particle could not be made (the others carry on).
    int UpdateParticles(float dt);
    // The scene-object update: UpdateParticles, its failure kept in the error text.
    void Update(float dt) override;
    // Draws every live particle at the object's world transform: 0 additive, 1 alpha-tested,
    // other values with the device's blending as it is.
    int Render(int blendMode);
    // The scene-object draw: additive.
    void Draw() override;

    int GetLiveCount() const { return m_iLiveCount; }
    int GetAllocatedCount() const { return m_iAllocated; }
    // What Restore learnt of the device: each particle can have its own size, and the largest size.
    bool HasPointSizePerVertex() const { return m_bPerVertexSize; }
    float GetMaxPointSize() const { return m_fMaxPointSize; }
    float GetClock() const { return m_fClock; }
    const XParticle* GetLiveList() const { return m_pLive; }
    const XString& GetErrorMsg() const { return m_strErrorMsg; }

    // Parameters, set by the game.
    int m_iMaxParticles = 1;
    int m_iParticlesPerEmission = 1;
    float m_fEmissionInterval = 1.0f; // ms; emit once more than this has passed
    float m_fLifetime = 1.0f;         // ms
    float m_fStartSize = 1.0f;
    float m_fEndSize = 1.0f;
    float m_fStartSizeRange = 1.0f;
    float m_startColor[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float m_startColorRange[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float m_endColor[4] = {1.0f, 1.0f, 1.0f, 0.1f};
    float m_endColorRange[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    plk::gfx::Vector3 m_vPositionBase;
    plk::gfx::Vector3 m_vPositionRange;
    // Shape emission: an axis takes part when both its radii are 0 or more.
    plk::gfx::Vector3 m_vShapeMin{-1.0f, -1.0f, -1.0f};
    plk::gfx::Vector3 m_vShapeMax{-1.0f, -1.0f, -1.0f};
    // Forces the side of the shape offset per axis: negative, positive, or 0 for either.
    plk::gfx::Vector3 m_vShapeSign;
    plk::gfx::Vector3 m_vVelocityBase;
    plk::gfx::Vector3 m_vVelocityRange{1.0f, 1.0f, 1.0f};
    plk::gfx::Vector3 m_vGravity; // per ms
    plk::gfx::Vector3 m_vWind;
    bool m_bWind = true;
    plk::gfx::Vector3 m_vAttractor;
    plk::gfx::Vector3 m_vAttractorStrength;
    plk::gfx::Vector3 m_vAttractorRandomStrength;

private:
    XParticle* NewParticle();
    void Emit(XParticle& p);
    void EmitPosition(XParticle& p);
    void FreePlanes();
    int RenderBatches();

    static const int kBatchSize = 512;
    static const int kBufferSize = 2048;

    std::unique_ptr<plk::gfx::VertexBuffer> m_pBuffer;
    int m_iBatchOffset = 0;
    XParticle* m_pLive = nullptr;
    XParticle* m_pFree = nullptr;
    XParticlePlane* m_pPlanes = nullptr;
    int m_iLiveCount = 0;
    int m_iAllocated = 0;
    float m_fClock = 0.0f;
    float m_fLastEmission = 0.0f;
    XString m_strTextureName;
    XDXTexture m_texture;
    bool m_bPerVertexSize = false;
    float m_fMaxPointSize = 0.0f;
    XString m_strErrorMsg;
};
