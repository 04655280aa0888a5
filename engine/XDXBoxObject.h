// A scene object shaped as a textured box of width, height and depth (the walls).
#pragma once

#include "engine/XDXMeshObject.h"
#include "platform/mesh/MeshData.h"

#include <memory>

namespace plk::gfx
{
class Mesh;
}

class XDXBoxObject : public XDXMeshObject
{
public:
    XDXBoxObject();
    ~XDXBoxObject() override;
    XDXBoxObject(const XDXBoxObject&) = delete;
    XDXBoxObject& operator=(const XDXBoxObject&) = delete;

    // Draws the box with its texture (white, lit when the device lights) at the object's place.
    void Draw() override;
    // Position -/+ half the size on each axis; scale and rotation do not enter.
    void GetBounds(plk::gfx::Vector3& min, plk::gfx::Vector3& max) override;
    PickShape GetPickShape() const override { return kPickBox; }
    // The box's faces, turned and scaled with the object.
    bool HitTest(const plk::gfx::Vector3& origin, const plk::gfx::Vector3& direction, float& distance) override;
    // Rebuilds the box centred on the object's origin. textureUnits world units take one repeat of
    // the texture (the walls use 20); the texture is not owned and may be null.
    virtual bool Build(float width, float height, float depth, XDXTexture* texture, float textureUnits);

    float GetWidth() const { return m_fWidth; }
    float GetHeight() const { return m_fHeight; }
    float GetDepth() const { return m_fDepth; }
    XDXTexture* GetBoxTexture() const { return m_pBoxTexture; }
    const gfx::MeshData& GetBoxData() const { return m_boxData; }

private:
    float m_fWidth = 0.0f;
    float m_fHeight = 0.0f;
    float m_fDepth = 0.0f;
    XDXTexture* m_pBoxTexture = nullptr;
    gfx::MeshData m_boxData;
    std::unique_ptr<plk::gfx::Mesh> m_pGpu;
};
