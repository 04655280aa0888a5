// A scenery object (rock, grass, shrub, plant, cactus, tree) around the board; cubes pass through
// it. Also its element of the level document.
#pragma once

#include "engine/XDXMeshObject.h"
#include "foundation/XString.h"

class XBasicMesh;
class XGameEngine;

class CFieldObject : public XDXMeshObject
{
public:
    // The board's kind number of a scenery object.
    static constexpr int kKind = 3;
    static constexpr int kObjTypeCount = 15;

    CFieldObject() = default;
    ~CFieldObject() override = default;
    CFieldObject(const CFieldObject&) = delete;
    CFieldObject& operator=(const CFieldObject&) = delete;

    // Loads the fifteen scenery meshes once, in ObjType order; stops at the first failure.
    static bool LoadShared(const XString& dataFolder, XString& errorMsg);
    static void FreeShared();
    // "Rock0.x" .. "Tree1.x"; "" outside 0..14.
    static const char* MeshNameOfType(int objType);
    // Share of its own height by which an object of that type stands above the terrain.
    static float SeatFraction(int objType);

    using XDXMeshObject::Init; // the base's Init stays callable beside this one
    void Init(XGameEngine* engine, int objType);
    // Skipped when its bounding sphere lies outside the view or it has no mesh.
    void Draw() override;
    int GetObjType() const { return m_iObjType; }

    void WriteXml(XString& out, int index) const;
    void ReadXml(XGameEngine* engine, const XString& document, int index);

private:
    XGameEngine* m_pGameEngine = nullptr;
    int m_iObjType = 0;
};
