// The level object: construction, the fixed object arrays, selection, camera, background, status
// message and the file paths of levels and saved games.
#include "game/CGameLevel.h"

#include "engine/XBasicMesh.h"
#include "engine/XGameEngine.h"
#include "game/CBoard.h"
#include "game/CFieldObject.h"
#include "game/CPlayBlock.h"
#include "game/CScorePopups.h"
#include "game/CTeleporter.h"
#include "game/CWallBlock.h"
#include "game/Difficulty.h"
#include "game/Points.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace
{

// Camera limits: below 10 degrees the board is seen edge-on, at 90 the view matrix degenerates.
const float kMinTilt = 10.0f;
const float kMaxTilt = 89.5f;
const float kMinZoom = 130.0f;
const float kMaxZoom = 300.0f;
const float kFullTurn = 360.0f;
const float kDegreesToRadians = 0.017453292f;
// One press of a background button moves a channel by this much.
const int kBackgroundStep = 5;
const int kMaxChannel = 255;
// Floating texts appear this far above the cube they belong to.
const float kPopupHeight = 8.0f;

int ClampChannel(int value)
{
    return std::clamp(value, 0, kMaxChannel);
}

} // namespace

const char* const CGameLevel::kSignature = "Vantorel Software";
const char* const CGameLevel::kDefaultMusic = "Music0.wav";

CGameLevel::CGameLevel(XGameEngine* engine)
    : m_pEngine(engine)
    , m_pWalls(new CWallBlock[kMaxWalls])
    , m_pPlayBlocks(new CPlayBlock[kMaxPlayBlocks])
    , m_pTeleporters(new CTeleporter[kMaxTeleporters])
    , m_pFieldObjects(new CFieldObject[kMaxFieldObjects])
    , m_pSpares(new CPlayBlock[kSpareCount])
    , m_pBoard(std::make_unique<CBoard>())
    , m_pScorePopups(std::make_unique<CScorePopups>())
{
    m_abRemoveToWin.fill(true);
    m_strLevelMusic = kDefaultMusic;
}

CGameLevel::~CGameLevel() = default;

XString CGameLevel::BuildPath(const XString& name, bool isSavedGame) const
{
    XString path(m_strDataFolder);
    path += isSavedGame ? "savedgames\\" : "levels\\";
    path += FileName(name);
    return path;
}

XString CGameLevel::FileName(const XString& name)
{
    XString fileName(name);
    if (!name.EndsWithNoCase(".dat"))
        fileName += ".dat";
    return fileName;
}

unsigned CGameLevel::FirstNumberIn(const XString& name)
{
    const char* text = name.GetBuffer();
    const unsigned length = name.GetLength();
    unsigned i = 0;
    while (i < length && (text[i] < '0' || text[i] > '9'))
        ++i;
    unsigned value = 0;
    for (; i < length && text[i] >= '0' && text[i] <= '9'; ++i)
    {
        // A run of digits too long for 32 bits cannot name a level; it saturates rather than wraps.
        const unsigned digit = static_cast<unsigned>(text[i] - '0');
        value = value > (UINT32_MAX - digit) / 10 ? UINT32_MAX : value * 10 + digit;
    }
    return value;
}

void CGameLevel::ResetScores()
{
    m_iTotalScore = 0;
    m_iBlockScore = 0;
    m_iNumBlocksRemoved = 0;
    m_iDifficulty = 0;
}

const plk::gfx::Vector3 CGameLevel::kCameraTarget{0.0f, 20.0f, 0.0f};

plk::gfx::Vector3 CGameLevel::GetCameraEye() const
{
    const float tilt = m_fCameraTilt * kDegreesToRadians;
    const float angle = m_fCameraAngle * kDegreesToRadians;
    return {kCameraTarget.x + m_fCameraZoom * std::cos(tilt) * std::sin(angle),
            kCameraTarget.y + m_fCameraZoom * std::sin(tilt),
            kCameraTarget.z - m_fCameraZoom * std::cos(tilt) * std::cos(angle)};
}

void CGameLevel::AdjustCamera(float dTilt, float dAngle, float dZoom)
{
    m_fCameraTilt = std::clamp(m_fCameraTilt + dTilt, kMinTilt, kMaxTilt);
    m_fCameraZoom = std::clamp(m_fCameraZoom + dZoom, kMinZoom, kMaxZoom);
    m_fCameraAngle += dAngle;
    if (m_fCameraAngle >= kFullTurn)
        m_fCameraAngle -= kFullTurn;
    else if (m_fCameraAngle < 0.0f)
        m_fCameraAngle += kFullTurn;
}

void CGameLevel::AdjustBgRed(int step)
{
    m_iBgRed = ClampChannel(m_iBgRed + kBackgroundStep * step);
}

void CGameLevel::AdjustBgGreen(int step)
{
    m_iBgGreen = ClampChannel(m_iBgGreen + kBackgroundStep * step);
}

void CGameLevel::AdjustBgBlue(int step)
{
    m_iBgBlue = ClampChannel(m_iBgBlue + kBackgroundStep * step);
}

void CGameLevel::SetBackground(int red, int green, int blue)
{
    m_iBgRed = ClampChannel(red);
    m_iBgGreen = ClampChannel(green);
    m_iBgBlue = ClampChannel(blue);
}

uint32_t CGameLevel::GetBackgroundColour() const
{
    return 0xFF000000u | (static_cast<uint32_t>(m_iBgRed) << 16) | (static_cast<uint32_t>(m_iBgGreen) << 8) |
           static_cast<uint32_t>(m_iBgBlue);
}

bool CGameLevel::GetRemoveToWin(int colour) const
{
    return colour >= 0 && colour < kColourCount && m_abRemoveToWin[static_cast<size_t>(colour)];
}

void CGameLevel::SetRemoveToWin(int colour, bool on)
{
    if (colour >= 0 && colour < kColourCount)
        m_abRemoveToWin[static_cast<size_t>(colour)] = on;
}

void CGameLevel::ToggleRemoveToWin(int colour)
{
    SetRemoveToWin(colour, !GetRemoveToWin(colour));
}

void CGameLevel::SetStatusMessage(const XString& text)
{
    m_strStatusMessage = text;
    m_uiStatusMessageTime = m_pEngine ? m_pEngine->GetTime() : 0;
}

bool CGameLevel::IsStatusMessageShown(unsigned now) const
{
    return !m_strStatusMessage.IsEmpty() && now - m_uiStatusMessageTime < kStatusMessageMs;
}

void CGameLevel::SetSelected(XDXMeshObject* object)
{
    m_pPreviousSelected = m_pSelected;
    m_pSelected = object;
}

void CGameLevel::ClearSelection()
{
    m_pSelected = nullptr;
    m_pPreviousSelected = nullptr;
}

CPlayBlock& CGameLevel::GetSpare(int i)
{
    assert(i >= 0 && i < kSpareCount && "spare block index out of range");
    return m_pSpares[static_cast<size_t>(i)];
}

void CGameLevel::EmptySpares()
{
    for (int i = 0; i < kSpareCount; ++i)
        m_pSpares[static_cast<size_t>(i)].Init(m_pEngine, CPlayBlock::kTypeNone, false);
}

void CGameLevel::Update()
{
    const float elapsedMs = m_pEngine ? static_cast<float>(m_pEngine->GetFrameDelta()) : 0.0f;
    if (m_bBuilderMode)
        CBoard::BuilderLevelFrame(*this, elapsedMs);
    else
        CBoard::PlayLevelFrame(*this, elapsedMs);
}

void CGameLevel::RefillSpares()
{
    CPlayBlock* spares[kSpareCount] = {&GetSpare(0), &GetSpare(1), &GetSpare(2)};
    m_pBoard->RefillSpares(m_pEngine, spares);
}

bool CGameLevel::AddBlock(int type, int gx, int gy, int gz)
{
    int slot = -1;
    for (int i = 0; i < m_iNumPlayBlocks && slot < 0; ++i)
        if (GetPlayBlock(i).GetState() == CPlayBlock::kStateGone)
            slot = i;
    if (slot < 0)
    {
        // Appending stops at 599 cubes, as adding walls does.
        if (m_iNumPlayBlocks >= kMaxPlayBlocks - 1)
            return false;
        slot = m_iNumPlayBlocks;
        SetNumPlayBlocks(m_iNumPlayBlocks + 1);
    }
    CPlayBlock& block = GetPlayBlock(slot);
    if (!m_pBoard->PlaceNewBlock(m_pEngine, &block, type, gx, gy, gz))
        return false;
    // A damaged saved game may carry a count at the top of the range already.
    m_iExBlocksAdded = Points::Add(m_iExBlocksAdded, 1);
    const plk::gfx::Vector3& p = block.GetPosition();
    m_pScorePopups->Add(plk::gfx::Vector3{p.x, p.y + kPopupHeight, p.z}, ScaleByDifficulty(-Difficulty::kSpareCost),
                        CScorePopups::kFlagPoints);
    m_pSelected = &block;
    m_pPreviousSelected = nullptr;
    return true;
}

CWallBlock& CGameLevel::GetWall(int i)
{
    assert(i >= 0 && i < kMaxWalls && "wall index out of range");
    return m_pWalls[static_cast<size_t>(i)];
}

CPlayBlock& CGameLevel::GetPlayBlock(int i)
{
    assert(i >= 0 && i < kMaxPlayBlocks && "play block index out of range");
    return m_pPlayBlocks[static_cast<size_t>(i)];
}

CTeleporter& CGameLevel::GetTeleporter(int i)
{
    assert(i >= 0 && i < kMaxTeleporters && "teleporter index out of range");
    return m_pTeleporters[static_cast<size_t>(i)];
}

CFieldObject& CGameLevel::GetFieldObject(int i)
{
    assert(i >= 0 && i < kMaxFieldObjects && "scenery index out of range");
    return m_pFieldObjects[static_cast<size_t>(i)];
}

void CGameLevel::SetNumWalls(int n)
{
    m_iNumWalls = std::clamp(n, 0, kMaxWalls);
}

void CGameLevel::SetNumPlayBlocks(int n)
{
    m_iNumPlayBlocks = std::clamp(n, 0, kMaxPlayBlocks);
}

void CGameLevel::SetNumTeleporters(int n)
{
    m_iNumTeleporters = std::clamp(n, 0, kMaxTeleporters);
}

void CGameLevel::SetNumFieldObjects(int n)
{
    m_iNumFieldObjects = std::clamp(n, 0, kMaxFieldObjects);
}

int CGameLevel::IndexOfPlayBlock(const XDXMeshObject* object) const
{
    const CPlayBlock* first = m_pPlayBlocks.get();
    for (int i = 0; i < kMaxPlayBlocks; ++i)
        if (static_cast<const XDXMeshObject*>(first + i) == object)
            return i;
    return -1;
}
