// A teleporter: a column of particles filling one board cell that sends cubes to another one,
// with its idle and warp effects, and its element of the level document.
#pragma once

#include "engine/XDXMeshObject.h"
#include "engine/XDXSound.h"
#include "foundation/XString.h"

#include <memory>

class XGameEngine;
class XParticleSystem;

class CTeleporter : public XDXMeshObject
{
public:
    // The board's kind number of a teleporter.
    static constexpr int kKind = 1;
    // A teleporter fills exactly one 10-unit cell.
    static constexpr float kHalfSize = 5.0f;

    CTeleporter();
    ~CTeleporter() override;
    CTeleporter(const CTeleporter&) = delete;
    CTeleporter& operator=(const CTeleporter&) = delete;

    using XDXMeshObject::Init; // the base's Init stays callable beside this one
    void Init(XGameEngine* engine);
    void Draw() override;
    void Update(float dt) override;
    float GetRadius() override;
    void GetBounds(plk::gfx::Vector3& min, plk::gfx::Vector3& max) override;

    void PlayWarpSound();
    void StartWarpEffect();
    bool IsWarpRunning() const { return m_bWarpRunning; }

    void WriteXml(XString& out, int index) const;
    void ReadXml(XGameEngine* engine, const XString& document, int index);

private:
    XGameEngine* m_pGameEngine = nullptr;
    std::unique_ptr<XParticleSystem> m_pIdleEffect;
    std::unique_ptr<XParticleSystem> m_pWarpEffect;
    XDXSound m_sndWarp;
    bool m_bWarpRunning = false;
};
