// Walls: the seven shared textures, resizing in cell steps, the two drawing passes and the
// wall's element of the level document.
#include "game/CWallBlock.h"

#include "engine/XDXTexture.h"
#include "engine/XGameEngine.h"
#include "game/CGameLevelXml.h"
#include "platform/gfx/Device.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

using namespace LevelXml;

namespace
{

// One repeat of a wall texture covers this many world units.
const float kTextureUnits = 20.0f;
// Moving a wall by half a cell keeps it on the cell grid after a one-cell size change.
const float kHalfCell = 5.0f;
const float kCell = 10.0f;

std::array<std::unique_ptr<XDXTexture>, CWallBlock::kWallTypeCount>& SharedTextures()
{
    static std::array<std::unique_ptr<XDXTexture>, CWallBlock::kWallTypeCount> textures;
    return textures;
}

XDXTexture* TextureOf(int wallType)
{
    if (wallType < 0 || wallType >= CWallBlock::kWallTypeCount)
        return nullptr;
    return SharedTextures()[static_cast<size_t>(wallType)].get();
}

// Half a cell toward -axis when the new size spans an even number of cells, else toward +axis.
float AlignmentShift(float newSize)
{
    return (static_cast<int>(newSize) / static_cast<int>(kCell)) % 2 == 0 ? -kHalfCell : kHalfCell;
}

} // namespace

bool CWallBlock::LoadShared(const XString& dataFolder, XString& errorMsg)
{
    (void)dataFolder; // textures resolve in the engine's media folder, which is the data folder
    for (int i = 0; i < kWallTypeCount; ++i)
    {
        auto texture = std::make_unique<XDXTexture>();
        if (!texture->Load(TextureNameOfType(i), 0, 0))
        {
            errorMsg = "Error: in CWallBlock::LoadShared, texture.Load failed. Msg=";
            errorMsg += texture->GetErrorMsg();
            return false;
        }
        SharedTextures()[static_cast<size_t>(i)] = std::move(texture);
    }
    return true;
}

void CWallBlock::FreeShared()
{
    for (auto& texture : SharedTextures())
        texture.reset();
}

XString CWallBlock::TextureNameOfType(int wallType)
{
    if (wallType < 0 || wallType >= kWallTypeCount)
        return XString();
    XString name;
    name.Format("Wall%02d.png", wallType + 1);
    return name;
}

CWallBlock::CWallBlock() = default;

CWallBlock::~CWallBlock() = default;

void CWallBlock::Init(XGameEngine* engine, int wallType)
{
    XDXMeshObject::Init(false, kKind);
    m_pGameEngine = engine;
    m_iWallType = wallType;
    m_bAlphaBlend = false;
    Rebuild(kMinSize, kMinSize, kMinSize);
}

void CWallBlock::Rebuild(float width, float height, float depth)
{
    Build(width, height, depth, TextureOf(m_iWallType), kTextureUnits);
}

void CWallBlock::Draw(int pass)
{
    if (m_bAlphaBlend != (pass == 1) || !m_pGameEngine)
        return;
    plk::gfx::Device* device = m_pGameEngine->GetDevice();
    if (!device)
        return;
    if (m_bAlphaBlend)
    {
        device->SetRenderState(plk::gfx::kAlphaBlendEnable, 1);
        device->SetRenderState(plk::gfx::kSrcBlend, plk::gfx::kBlendSrcAlpha);
        device->SetRenderState(plk::gfx::kDestBlend, plk::gfx::kBlendInvSrcAlpha);
    }
    XDXBoxObject::Draw();
    if (m_bAlphaBlend)
        device->SetRenderState(plk::gfx::kAlphaBlendEnable, 0);
}

void CWallBlock::Resize(float dWidth, float dHeight, float dDepth)
{
    const float width = std::max(GetWidth() + dWidth, kMinSize);
    const float height = std::max(GetHeight() + dHeight, kMinSize);
    const float depth = std::max(GetDepth() + dDepth, kMinSize);
    plk::gfx::Vector3 position = GetPosition();
    if (std::fabs(width - GetWidth()) > kHalfCell)
        position.x += AlignmentShift(width);
    if (std::fabs(depth - GetDepth()) > kHalfCell)
        position.z += AlignmentShift(depth);
    const float heightChange = std::fabs(height - GetHeight());
    if (heightChange > kHalfCell && (static_cast<int>(heightChange) / static_cast<int>(kCell)) % 2 == 1)
        position.y += kHalfCell;
    Rebuild(width, height, depth);
    SetPosition(position);
}

void CWallBlock::WriteXml(XString& out, int index) const
{
    OpenObject(out, "WallBlock", index);
    AppendInt(out, 2, "WallType", m_iWallType);
    AppendFloat(out, 2, "Width", GetWidth());
    AppendFloat(out, 2, "Height", GetHeight());
    AppendFloat(out, 2, "Depth", GetDepth());
    AppendBool(out, 2, "AlphaBlend", m_bAlphaBlend);
    AppendPlacement(out, *this);
    CloseObject(out, "WallBlock", index);
}

void CWallBlock::ReadXml(XGameEngine* engine, const XString& document, int index)
{
    const Fields fields(document, "WallBlock", index);
    Init(engine, ReadInt(fields, "WallType"));
    // A wall thinner than a cell would let cubes stop inside it; sizes below 10 read as 10, and no
    // wall outgrows the world.
    Rebuild(ReadFloat(fields, "Width", kMinSize, kWorldReach), ReadFloat(fields, "Height", kMinSize, kWorldReach),
            ReadFloat(fields, "Depth", kMinSize, kWorldReach));
    m_bAlphaBlend = ReadBool(fields, "AlphaBlend");
    ReadPlacement(fields, *this);
}
