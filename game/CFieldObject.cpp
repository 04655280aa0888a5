// Scenery objects: the fifteen shared meshes, frustum-culled drawing and the object's element of
// the level document.
#include "game/CFieldObject.h"

#include "engine/XBasicMesh.h"
#include "engine/XGameEngine.h"
#include "game/CGameLevelXml.h"

#include <array>
#include <memory>

using namespace LevelXml;

namespace
{

const char* const kMeshNames[CFieldObject::kObjTypeCount] = {
    "Rock0.x",  "Rock1.x",  "BigRock0.x", "Grass0.x",   "Shrub0.x",  "Shrub1.x", "Spikes0.x", "Spikes1.x",
    "Plant0.x", "Plant1.x", "Cactus0.x",  "Cactus1.x",  "Tree0.x",   "Tree2.x",  "Tree1.x",
};
// Grass is loaded with the mesh's alternative flag, which its drawing reads.
const int kGrassType = 3;
// Rocks sit partly sunk into the ground; spikes stand on their middle; the rest on their base,
// give or take the small skirt their meshes carry.
const float kRockSeat = 0.125f;
const float kSpikesSeat = 0.5f;
const float kDefaultSeat = 0.487805f;
const int kLastRockType = 2;
const int kFirstSpikesType = 6;
const int kLastSpikesType = 7;

std::array<std::unique_ptr<XBasicMesh>, CFieldObject::kObjTypeCount>& SharedMeshes()
{
    static std::array<std::unique_ptr<XBasicMesh>, CFieldObject::kObjTypeCount> meshes;
    return meshes;
}

} // namespace

bool CFieldObject::LoadShared(const XString& dataFolder, XString& errorMsg)
{
    for (int i = 0; i < kObjTypeCount; ++i)
    {
        auto mesh = std::make_unique<XBasicMesh>();
        XString path(dataFolder);
        path += kMeshNames[i];
        if (!mesh->Load(path, nullptr, i == kGrassType, false))
        {
            errorMsg = "Error: in CFieldObject::LoadShared, loading the mesh failed. Msg=";
            errorMsg += mesh->GetErrorMsg();
            return false;
        }
        SharedMeshes()[static_cast<size_t>(i)] = std::move(mesh);
    }
    return true;
}

void CFieldObject::FreeShared()
{
    for (auto& mesh : SharedMeshes())
        mesh.reset();
}

const char* CFieldObject::MeshNameOfType(int objType)
{
    return objType >= 0 && objType < kObjTypeCount ? kMeshNames[objType] : "";
}

float CFieldObject::SeatFraction(int objType)
{
    if (objType >= 0 && objType <= kLastRockType)
        return kRockSeat;
    if (objType >= kFirstSpikesType && objType <= kLastSpikesType)
        return kSpikesSeat;
    return kDefaultSeat;
}

void CFieldObject::Init(XGameEngine* engine, int objType)
{
    XDXMeshObject::Init(false, kKind);
    m_pGameEngine = engine;
    m_iObjType = objType;
    SetMesh(objType >= 0 && objType < kObjTypeCount ? SharedMeshes()[static_cast<size_t>(objType)].get() : nullptr);
}

void CFieldObject::Draw()
{
    if (!m_pGameEngine || !GetMesh())
        return;
    const plk::gfx::Vector3& position = GetPosition();
    if (!m_pGameEngine->m_camera.GetFrustum().CheckSphere(position.x, position.y, position.z, GetRadius()))
        return;
    XDXMeshObject::Draw();
}

void CFieldObject::WriteXml(XString& out, int index) const
{
    OpenObject(out, "FieldObject", index);
    AppendInt(out, 2, "ObjType", m_iObjType);
    AppendPlacement(out, *this);
    CloseObject(out, "FieldObject", index);
}

void CFieldObject::ReadXml(XGameEngine* engine, const XString& document, int index)
{
    const Fields fields(document, "FieldObject", index);
    Init(engine, ReadInt(fields, "ObjType"));
    ReadPlacement(fields, *this);
}
