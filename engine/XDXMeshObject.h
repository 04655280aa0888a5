// A thing placed in the 3D world: position, rotation and scale, an optional shared mesh and an
// animation clock, with the virtual slots the world's classes override.
#pragma once

#include "engine/XMeshAnimation.h"
#include "platform/gfx/Math.h"

class XBasicMesh;
class XDXTexture;

class XDXMeshObject
{
public:
    // How the mouse picks an object: against its box, against its mesh's triangles, or never.
    enum PickShape
    {
        kPickNone,
        kPickBox,
        kPickMesh,
    };

    XDXMeshObject();
    virtual ~XDXMeshObject();
    XDXMeshObject(const XDXMeshObject&) = default;
    XDXMeshObject& operator=(const XDXMeshObject&) = default;

    // Back to the starting state: no mesh, texture or effect drawable, at the origin, no rotation,
    // unit scale, a random animation start from 0 to 599 ms. Owners attach their mesh afterwards.
    virtual void Init(bool effectFlag, int kind);
    // Sets the world transform and draws the mesh, or the effect drawable when the effect flag is set.
    virtual void Draw();
    // dt: this frame's time in ms. Advances the clock and, for an animated mesh, its frames.
    virtual void Update(float dt);
    // A hook for objects that rebuild what they draw with; nothing here.
    virtual void Refresh();
    // The mesh's sphere radius times the mean scale; 0 without a mesh.
    virtual float GetRadius();
    // The mesh's box, each bound (bound + position) * scale per axis; the position when there is no mesh.
    virtual void GetBounds(plk::gfx::Vector3& min, plk::gfx::Vector3& max);
    // The same per axis; any output may be null.
    virtual void GetBoundsXYZ(float* minX, float* maxX, float* minY, float* maxY, float* minZ, float* maxZ);

    // The object's shape for the mouse; a mesh object with a mesh is picked by its triangles.
    virtual PickShape GetPickShape() const;
    // Exact hit of a world-space ray with the object's own shape; distance from the origin.
    virtual bool HitTest(const plk::gfx::Vector3& origin, const plk::gfx::Vector3& direction, float& distance);

    void SetPosition(const plk::gfx::Vector3& position);
    void SetPosition(float x, float y, float z);
    void MovePosition(float dx, float dy, float dz);
    // Radians about x, y and z.
    void SetRotation(float x, float y, float z);
    void AddRotation(float dx, float dy, float dz);
    void SetRotationDegrees(float x, float y, float z);
    void SetScale(float x, float y, float z);

    const plk::gfx::Vector3& GetPosition() const { return m_vPosition; }
    const plk::gfx::Vector3& GetRotation() const { return m_vRotation; }
    const plk::gfx::Vector3& GetScale() const { return m_vScale; }
    // Scaling x rotation x translation, as of the last setter.
    const plk::gfx::Matrix& GetWorldMatrix() const { return m_matWorld; }

    // The mesh is shared and never owned.
    void SetMesh(XBasicMesh* mesh) { m_pMesh = mesh; }
    XBasicMesh* GetMesh() const { return m_pMesh; }
    // Drawn in place of the mesh while the effect flag is set; not owned.
    void SetEffectDrawable(XDXMeshObject* drawable) { m_pEffectDrawable = drawable; }
    // Drawn on every subset instead of the mesh's own textures when set; not owned.
    void SetTexture(XDXTexture* texture) { m_pTexture = texture; }
    XDXTexture* GetTexture() const { return m_pTexture; }
    void SetOption(int value) { m_iOption = value; }
    int GetOption() const { return m_iOption; }
    bool GetEffectFlag() const { return m_bEffectFlag; }
    int GetKind() const { return m_iKind; }
    void SetKind(int kind) { m_iKind = kind; }
    float GetAnimationClock() const { return m_fAnimationClock; }
    XMeshAnimation& GetAnimation() { return m_animation; }
    const XMeshAnimation& GetAnimation() const { return m_animation; }

    // The frame that Draw shows: the animation's for an animated mesh, else the single one.
    int CurrentFrame() const;

protected:
    void RebuildWorld();

private:
    XBasicMesh* m_pMesh = nullptr;
    XDXMeshObject* m_pEffectDrawable = nullptr;
    XDXTexture* m_pTexture = nullptr;
    int m_iOption = 0;
    bool m_bEffectFlag = false;
    int m_iKind = 0;
    float m_fAnimationClock = 0.0f;
    XMeshAnimation m_animation;
    plk::gfx::Vector3 m_vPosition;
    plk::gfx::Vector3 m_vRotation;
    plk::gfx::Vector3 m_vScale{1.0f, 1.0f, 1.0f};
    plk::gfx::Matrix m_matScaling;
    plk::gfx::Matrix m_matRotation;
    plk::gfx::Matrix m_matTranslation;
    plk::gfx::Matrix m_matWorld;
};
