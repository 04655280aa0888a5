// A 3D model from .x files (or extruded 3D text): up to 128 frames, its materials, its textures
// (each distinct file once) and per-frame bounds. The arrays load into CPU memory without a window;
// GPU buffers and textures are made at the first draw, on the drawing thread.
#pragma once

#include "engine/XDXTexture.h"
#include "foundation/XArray.h"
#include "foundation/XString.h"
#include "platform/gfx/Lighting.h"
#include "platform/gfx/Math.h"
#include "platform/mesh/MeshData.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace plk::gfx
{
class Mesh;
}

// A texture name as written in a mesh file and the name to load instead.
struct XTextureRename
{
    XString name;
    XString replacement;
};

class XBasicMesh
{
public:
    static const int kMaxFrames = 128;
    static const int kMaxTextures = 64;

    struct Bounds
    {
        plk::gfx::Vector3 boxMin;
        plk::gfx::Vector3 boxMax;
        plk::gfx::Vector3 sphereCentre;
        float sphereRadius = 0.0f;
    };

    XBasicMesh();
    virtual ~XBasicMesh();
    XBasicMesh(const XBasicMesh&) = delete;
    XBasicMesh& operator=(const XBasicMesh&) = delete;

    // fileName is a full path. renames may be null. The flags are kept for the objects that draw the mesh.
    bool Load(const XString& fileName, const XArray<XTextureRename>* renames, bool flag1, bool flag2);
    // Loads baseName0.x, baseName1.x, ... up to maxFrames (-1 = 128) until a file is missing; true
    // also when not even the first exists. Materials and textures come from frame 0.
    bool LoadWithMultipleMeshAnimation(const XString& baseName, int maxFrames, bool flag1, bool flag2);
    // Extruded 3D text of a font face (found by family name) as frame 0; depth in em units
    // along +z, the face at z = 0 looking towards -z.
    bool LoadFontMesh(const XString& text, const XString& faceName, int pointSize, float extrusion, bool bold,
                      bool italic, bool underline, bool strikeOut);
    void Free();

    // False (outputs untouched) for a frame that holds no mesh. Any output may be null.
    bool GetBoundingBox(int frame, float* minX, float* minY, float* minZ, float* maxX, float* maxY,
                        float* maxZ) const;
    bool GetBoundingSphere(int frame, plk::gfx::Vector3* centre, float* radius) const;

    // Null removes the override; while set, every subset draws with that material.
    void SetMaterialOverride(const plk::gfx::Material* material, uint32_t value);
    bool HasMaterialOverride() const { return m_bMaterialOverride; }
    const plk::gfx::Material& GetMaterialOverride() const { return m_materialOverride; }
    uint32_t GetMaterialOverrideValue() const { return m_uiMaterialOverrideValue; }

    // Draws a frame with the device's current transforms: each subset with its material and
    // texture, or with texture instead of every subset's own when it is given. Drawing thread only.
    bool DrawFrame(int frame, XDXTexture* texture = nullptr);

    // Nearest hit of the ray origin + t * direction (t >= 0) with the frame's triangles, in the
    // mesh's own space; both faces count. distance receives t.
    bool Intersect(int frame, const plk::gfx::Vector3& origin, const plk::gfx::Vector3& direction,
                   float& distance) const;
    // The same against any triangle list.
    static bool IntersectData(const gfx::MeshData& data, const plk::gfx::Vector3& origin,
                              const plk::gfx::Vector3& direction, float& distance);

    bool IsAnimated() const { return m_bAnimated; }
    int GetFrameCount() const { return m_iFrameCount; }
    bool HasFrame(int frame) const;
    const gfx::MeshData* GetFrameData(int frame) const;
    bool GetFlag1() const { return m_bFlag1; }
    bool GetFlag2() const { return m_bFlag2; }
    unsigned GetMaterialCount() const { return static_cast<unsigned>(m_materials.size()); }
    const plk::gfx::Material& GetMaterial(unsigned i) const { return m_materials[i]; }
    // Null for an untextured material.
    XDXTexture* GetMaterialTexture(unsigned i) const;
    int GetTextureCount() const { return static_cast<int>(m_textures.size()); }
    // Media folder + name, as compared to find a texture already loaded.
    const XString& GetTextureFileName(int i) const { return m_textures[i]->fileName; }
    const XString& GetFileName() const { return m_strFileName; }
    const XString& GetErrorMsg() const { return m_strErrorMsg; }

private:
    struct Frame
    {
        gfx::MeshData data;
        std::unique_ptr<plk::gfx::Mesh> gpu;
        Bounds bounds;
    };

    struct TextureSlot
    {
        XString fileName;
        XDXTexture texture;
        bool loaded = false;
        bool failed = false;
    };

    bool LoadFrame(int frame, const XString& path, const char* member);
    bool BuildMaterials(const XArray<XTextureRename>* renames, const char* member);
    int FindOrAddTexture(const XString& name, const char* member);
    bool EnsureTexture(TextureSlot& slot);
    void SetFrameBounds(Frame& frame);

    XString m_strErrorMsg;
    bool m_bAnimated = false;
    bool m_bFlag1 = false;
    bool m_bFlag2 = false;
    int m_iFrameCount = 0;
    std::array<std::unique_ptr<Frame>, kMaxFrames> m_frames;
    std::vector<plk::gfx::Material> m_materials;
    std::vector<std::unique_ptr<TextureSlot>> m_textures;
    std::vector<int> m_materialTextures; // slot per material, -1 = untextured
    XString m_strFileName;
    bool m_bMaterialOverride = false;
    plk::gfx::Material m_materialOverride;
    uint32_t m_uiMaterialOverrideValue = 0;
};
