// Mesh loading (frames, materials, textures, bounds), drawing and ray hits.
#include "engine/XBasicMesh.h"

#include "engine/XGameEngine.h"
#include "platform/fs/Path.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/DeviceLighting.h"
#include "platform/gfx/Mesh.h"
#include "platform/gfx/TextMesh.h"

#include <cmath>
#include <filesystem>

using plk::gfx::Vector3;

namespace
{

// Rays nearly parallel to a triangle's plane cannot hit it in a meaningful place.
const float kParallelEpsilon = 1e-9f;

plk::gfx::ColorValue ToColor(const gfx::Colour4& c)
{
    return {c[0], c[1], c[2], c[3]};
}

Vector3 ToVector(const gfx::Float3& v)
{
    return {v[0], v[1], v[2]};
}

void SetError(XString& error, const char* member, const char* what)
{
    error = "Error: in XBasicMesh::";
    error += member;
    error += ", ";
    error += what;
}

bool FileExists(const XString& path)
{
    std::error_code ignored;
    return std::filesystem::is_regular_file(plk::fs::ResolvePath(path.GetBuffer()), ignored);
}

} // namespace

XBasicMesh::XBasicMesh() = default;

XBasicMesh::~XBasicMesh()
{
    Free();
}

void XBasicMesh::Free()
{
    for (auto& frame : m_frames)
        frame.reset();
    m_materials.clear();
    m_materialTextures.clear();
    m_textures.clear();
    m_iFrameCount = 0;
    m_bAnimated = false;
}

bool XBasicMesh::Load(const XString& fileName, const XArray<XTextureRename>* renames, bool flag1, bool flag2)
{
    Free();
    m_strErrorMsg = "";
    m_strFileName = fileName;
    m_bFlag1 = flag1;
    m_bFlag2 = flag2;
    return LoadFrame(0, fileName, "Load") && BuildMaterials(renames, "Load");
}

bool XBasicMesh::LoadWithMultipleMeshAnimation(const XString& baseName, int maxFrames, bool flag1, bool flag2)
{
    Free();
    m_strErrorMsg = "";
    m_strFileName = baseName;
    m_bFlag1 = flag1;
    m_bFlag2 = flag2;
    // The frame table has room for kMaxFrames: a larger request is held to it.
    const int limit = maxFrames < 0 || maxFrames > kMaxFrames ? kMaxFrames : maxFrames;
    for (int i = 0; i < limit; ++i)
    {
        XString path = baseName;
        path += i;
        path += ".x";
        if (!FileExists(path))
            break;
        if (!LoadFrame(i, path, "LoadWithMultipleMeshAnimation"))
            return false;
        if (i == 0 && !BuildMaterials(nullptr, "LoadWithMultipleMeshAnimation"))
            return false;
        ++m_iFrameCount;
    }
    m_bAnimated = true;
    return true;
}

bool XBasicMesh::LoadFontMesh(const XString& text, const XString& faceName, int pointSize, float extrusion,
                              bool bold, bool italic, bool underline, bool strikeOut)
{
    Free();
    m_strErrorMsg = "";
    m_strFileName = faceName;
    // The outline is taken at the face's own resolution: the point size, underline and
    // strike-out change only the 2D font, not the extruded glyph shapes.
    (void)pointSize;
    (void)underline;
    (void)strikeOut;
    auto frame = std::make_unique<Frame>();
    std::string reason;
    const std::string textBytes(text.GetBuffer(), text.GetLength());
    if (plk::gfx::BuildTextMesh(textBytes, faceName.GetBuffer(), bold, italic, extrusion, frame->data, &reason) != 0)
    {
        SetError(m_strErrorMsg, "LoadFontMesh", "D3DXCreateText failed. Msg=");
        m_strErrorMsg += reason.c_str();
        return false;
    }
    SetFrameBounds(*frame);
    m_frames[0] = std::move(frame);
    // One white material, so that the text draws through the same path as a loaded mesh and
    // shows the light's colour.
    m_materials.push_back(plk::gfx::Material{});
    m_materials.back().ambient = m_materials.back().diffuse;
    m_materialTextures.push_back(-1);
    return true;
}

bool XBasicMesh::LoadFrame(int index, const XString& path, const char* member)
{
    auto frame = std::make_unique<Frame>();
    std::string reason;
    const int hr = gfx::LoadMeshX(plk::fs::ResolvePath(path.GetBuffer()), frame->data, &reason);
    if (hr != 0)
    {
        SetError(m_strErrorMsg, member, "D3DXLoadMeshFromX failed. hr=");
        m_strErrorMsg += hr;
        m_strErrorMsg += " Msg=";
        m_strErrorMsg += reason.c_str();
        return false;
    }
    SetFrameBounds(*frame);
    m_frames[index] = std::move(frame);
    return true;
}

void XBasicMesh::SetFrameBounds(Frame& frame)
{
    frame.data.ComputeBounds();
    frame.bounds.boxMin = ToVector(frame.data.boxMin);
    frame.bounds.boxMax = ToVector(frame.data.boxMax);
    frame.bounds.sphereCentre = ToVector(frame.data.sphereCentre);
    frame.bounds.sphereRadius = frame.data.sphereRadius;
}

bool XBasicMesh::BuildMaterials(const XArray<XTextureRename>* renames, const char* member)
{
    const gfx::MeshData& data = m_frames[0]->data;
    for (const gfx::MeshMaterial& source : data.materials)
    {
        plk::gfx::Material material;
        material.diffuse = ToColor(source.diffuse);
        material.ambient = material.diffuse;
        material.specular = ToColor(source.specular);
        material.emissive = ToColor(source.emissive);
        material.power = source.power;
        m_materials.push_back(material);
        m_materialTextures.push_back(-1);
        if (source.textureFile.empty())
            continue;
        XString name = source.textureFile.c_str();
        const int slash = name.FindRev('\\');
        if (slash >= 0)
            name = XString(name.GetBuffer(static_cast<unsigned>(slash + 1)));
        if (renames)
        {
            for (unsigned i = 0; i < renames->GetCount(); ++i)
            {
                if (renames->Get(i).name.CompareNoCase(name) == 0)
                {
                    name = renames->Get(i).replacement;
                    break;
                }
            }
        }
        const int slot = FindOrAddTexture(name, member);
        if (slot < 0)
            return false;
        m_materialTextures.back() = slot;
    }
    return true;
}

int XBasicMesh::FindOrAddTexture(const XString& name, const char* member)
{
    XGameEngine* engine = XGameEngine::GetEngine();
    XString fileName = engine ? engine->GetPath() : XString();
    fileName += name;
    for (size_t i = 0; i < m_textures.size(); ++i)
    {
        if (m_textures[i]->fileName.CompareNoCase(fileName) == 0)
            return static_cast<int>(i);
    }
    if (static_cast<int>(m_textures.size()) >= kMaxTextures)
    {
        SetError(m_strErrorMsg, member, "the mesh names more than 64 textures. File=");
        m_strErrorMsg += fileName;
        return -1;
    }
    auto slot = std::make_unique<TextureSlot>();
    slot->fileName = fileName;
    if (engine && engine->GetDevice())
    {
        if (!slot->texture.Load(name, 0, 0))
        {
            SetError(m_strErrorMsg, member, "texture.Load failed. Msg=");
            m_strErrorMsg += slot->texture.GetErrorMsg();
            return -1;
        }
        slot->loaded = true;
    }
    else if (!FileExists(fileName))
    {
        // Without a device the pixels wait for the first draw, but a missing file is reported now.
        SetError(m_strErrorMsg, member, "texture.Load failed. Msg=Error: in XDXTexture::Load, the specified filename =");
        m_strErrorMsg += fileName;
        m_strErrorMsg += ", does not exist.";
        return -1;
    }
    m_textures.push_back(std::move(slot));
    return static_cast<int>(m_textures.size()) - 1;
}

bool XBasicMesh::EnsureTexture(TextureSlot& slot)
{
    if (slot.loaded)
        return true;
    if (slot.failed)
        return false;
    const int slash = slot.fileName.FindRev('\\');
    const XString name = slash >= 0 ? XString(slot.fileName.GetBuffer(static_cast<unsigned>(slash + 1))) : slot.fileName;
    slot.loaded = slot.texture.Load(name, 0, 0);
    // A texture that fails once is not read from disk again every frame.
    slot.failed = !slot.loaded;
    return slot.loaded;
}

XDXTexture* XBasicMesh::GetMaterialTexture(unsigned i) const
{
    if (i >= m_materialTextures.size() || m_materialTextures[i] < 0)
        return nullptr;
    return &m_textures[m_materialTextures[i]]->texture;
}

bool XBasicMesh::HasFrame(int frame) const
{
    return frame >= 0 && frame < kMaxFrames && m_frames[frame] != nullptr;
}

const gfx::MeshData* XBasicMesh::GetFrameData(int frame) const
{
    return HasFrame(frame) ? &m_frames[frame]->data : nullptr;
}

bool XBasicMesh::GetBoundingBox(int frame, float* minX, float* minY, float* minZ, float* maxX, float* maxY,
                                float* maxZ) const
{
    if (!HasFrame(frame))
        return false;
    const Bounds& b = m_frames[frame]->bounds;
    if (minX) *minX = b.boxMin.x;
    if (minY) *minY = b.boxMin.y;
    if (minZ) *minZ = b.boxMin.z;
    if (maxX) *maxX = b.boxMax.x;
    if (maxY) *maxY = b.boxMax.y;
    if (maxZ) *maxZ = b.boxMax.z;
    return true;
}

bool XBasicMesh::GetBoundingSphere(int frame, Vector3* centre, float* radius) const
{
    if (!HasFrame(frame))
        return false;
    if (centre)
        *centre = m_frames[frame]->bounds.sphereCentre;
    if (radius)
        *radius = m_frames[frame]->bounds.sphereRadius;
    return true;
}

void XBasicMesh::SetMaterialOverride(const plk::gfx::Material* material, uint32_t value)
{
    m_bMaterialOverride = material != nullptr;
    if (material)
        m_materialOverride = *material;
    m_uiMaterialOverrideValue = value;
}

bool XBasicMesh::DrawFrame(int frame, XDXTexture* texture)
{
    XGameEngine* engine = XGameEngine::GetEngine();
    plk::gfx::Device* device = engine ? engine->GetDevice() : nullptr;
    if (!device)
    {
        m_strErrorMsg = "Error: in XBasicMesh::DrawFrame, the engine or device is NULL.";
        return false;
    }
    if (!HasFrame(frame))
        return true;
    Frame& f = *m_frames[frame];
    if (!f.gpu)
    {
        f.gpu = std::make_unique<plk::gfx::Mesh>();
        f.gpu->SetData(f.data);
    }
    for (const gfx::MeshSubset& subset : f.data.subsets)
    {
        const bool known = subset.material < m_materials.size();
        plk::gfx::SetMaterial(*device, m_bMaterialOverride ? m_materialOverride
                                                : known ? m_materials[subset.material] : plk::gfx::Material{});
        XDXTexture* own = known ? GetMaterialTexture(subset.material) : nullptr;
        if (own && !EnsureTexture(*m_textures[m_materialTextures[subset.material]]))
            own = nullptr;
        XDXTexture* chosen = texture ? texture : own;
        device->SetTexture(0, chosen ? chosen->GetTexture() : nullptr);
        const int hr = f.gpu->Draw(*device, subset.indexStart, subset.indexCount);
        if (hr != plk::gfx::kOk)
        {
            m_strErrorMsg = "Error: in XBasicMesh::DrawFrame, DrawSubset failed. hr=";
            m_strErrorMsg += hr;
            device->SetTexture(0, nullptr);
            return false;
        }
    }
    device->SetTexture(0, nullptr);
    return true;
}

bool XBasicMesh::Intersect(int frame, const Vector3& origin, const Vector3& direction, float& distance) const
{
    return HasFrame(frame) && IntersectData(m_frames[frame]->data, origin, direction, distance);
}

bool XBasicMesh::IntersectData(const gfx::MeshData& data, const Vector3& origin, const Vector3& direction,
                               float& distance)
{
    bool hit = false;
    float nearest = 0.0f;
    for (size_t i = 0; i + 2 < data.indices.size(); i += 3)
    {
        const Vector3 v0 = ToVector(data.positions[data.indices[i]]);
        const Vector3 e1 = ToVector(data.positions[data.indices[i + 1]]) - v0;
        const Vector3 e2 = ToVector(data.positions[data.indices[i + 2]]) - v0;
        const Vector3 p = plk::gfx::Cross(direction, e2);
        const float det = plk::gfx::Dot(e1, p);
        if (std::fabs(det) < kParallelEpsilon)
            continue;
        const float inverse = 1.0f / det;
        const Vector3 s = origin - v0;
        const float u = plk::gfx::Dot(s, p) * inverse;
        if (u < 0.0f || u > 1.0f)
            continue;
        const Vector3 q = plk::gfx::Cross(s, e1);
        const float v = plk::gfx::Dot(direction, q) * inverse;
        if (v < 0.0f || u + v > 1.0f)
            continue;
        const float t = plk::gfx::Dot(e2, q) * inverse;
        if (t >= 0.0f && (!hit || t < nearest))
        {
            hit = true;
            nearest = t;
        }
    }
    if (hit)
        distance = nearest;
    return hit;
}
