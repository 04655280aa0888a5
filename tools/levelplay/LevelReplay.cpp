// The headless replayer: a solution's moves made through the play rules over the real level.
#include "tools/levelplay/LevelReplay.h"

#include "game/CBoard.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "game/CPlayRules.h"
#include "game/GameRandom.h"

#include <cmath>

namespace
{

// A solution's "at rest" waits until no velocity component of any cube exceeds this either way.
const float kRestingSpeed = 0.01f;

bool LoadCubeMeshesOnce(const XString& dataFolder)
{
    static bool loaded = false;
    if (!loaded)
    {
        // Without a window the textures cannot load and the loader stops there; the meshes come
        // first and are all the rules need (the lifter's morph length).
        XString ignored;
        CPlayBlock::LoadShared(dataFolder, ignored);
        loaded = true;
    }
    return loaded;
}

bool IsResting(const CPlayBlock& block)
{
    const plk::gfx::Vector3& v = block.m_vVelocity;
    return std::fabs(v.x) <= kRestingSpeed && std::fabs(v.y) <= kRestingSpeed && std::fabs(v.z) <= kRestingSpeed;
}

} // namespace

CLevelReplay::CLevelReplay(const XString& dataFolder, float frameMs)
    : m_strDataFolder(dataFolder), m_fFrameMs(frameMs), m_pLevel(std::make_unique<CGameLevel>(nullptr))
{
    m_pLevel->SetDataFolder(dataFolder);
    LoadCubeMeshesOnce(dataFolder);
}

CLevelReplay::~CLevelReplay() = default;

void CLevelReplay::Start()
{
    m_result = ReplayResult();
    m_bOver = false;
    m_result.msLeft = m_pLevel->GetTimeLeft();
    m_result.blocksLeft = static_cast<int>(m_pLevel->GetBlocksLeft());
    // The time factor applies on the status bar's first look at the clock.
    m_result.secondsLeft = m_pLevel->SecondsLeft();
    m_result.msLeft = m_pLevel->GetTimeLeft();
}

bool CLevelReplay::Load(const XString& levelName, unsigned seed)
{
    m_strErrorMsg = "";
    CGameRandom::Seed(seed);
    m_pLevel->ResetScores();
    m_pLevel->SetDifficulty(kHardest);
    if (!m_pLevel->Load(levelName, false, false))
    {
        m_strErrorMsg = "Error: in CLevelReplay::Load, the level does not load. Msg=";
        m_strErrorMsg += m_pLevel->GetErrorMsg();
        return false;
    }
    Start();
    return true;
}

bool CLevelReplay::LoadDocument(const XString& levelName, const XString& document, unsigned seed)
{
    m_strErrorMsg = "";
    CGameRandom::Seed(seed);
    m_pLevel->ResetScores();
    m_pLevel->SetDifficulty(kHardest);
    if (!m_pLevel->LoadFromDocument(levelName, document, false, false))
    {
        m_strErrorMsg = "Error: in CLevelReplay::LoadDocument, the level does not load. Msg=";
        m_strErrorMsg += m_pLevel->GetErrorMsg();
        return false;
    }
    Start();
    return true;
}

bool CLevelReplay::Frame()
{
    if (m_bOver)
        return false;
    CBoard::PlayLevelFrame(*m_pLevel, m_fFrameMs);
    CPlayRules::FollowSelection(*m_pLevel);
    ++m_result.frames;
    m_result.secondsLeft = m_pLevel->SecondsLeft();
    m_result.msLeft = m_pLevel->GetTimeLeft();
    m_result.blockScore = m_pLevel->GetBlockScore();
    m_result.blocksLeft = static_cast<int>(m_pLevel->GetBlocksLeft());
    // The status bar's end test: out of time first, then nothing left to remove.
    if (m_result.secondsLeft == 0)
        m_bOver = true;
    else if (m_result.blocksLeft == 0)
    {
        m_result.won = true;
        m_bOver = true;
    }
    return !m_bOver;
}

bool CLevelReplay::IsAtRest()
{
    CBoard& board = m_pLevel->GetBoard();
    for (int i = 0; i < board.GetBlockCount(); ++i)
    {
        const CPlayBlock& block = *board.GetBlock(i);
        if (block.GetState() == CPlayBlock::kStateRemoving)
            return false;
        if (block.GetState() == CPlayBlock::kStateOnBoard && !IsResting(block))
            return false;
    }
    return true;
}

CPlayBlock* CLevelReplay::CubeAt(int gx, int gy, int gz)
{
    CBoard& board = m_pLevel->GetBoard();
    for (int i = 0; i < board.GetBlockCount(); ++i)
    {
        CPlayBlock* block = board.GetBlock(i);
        if (block->GetState() != CPlayBlock::kStateOnBoard || block->GetType() == CPlayBlock::kTypeNone)
            continue;
        int x, y, z;
        CBoard::CellOf(block->GetPosition(), x, y, z);
        if (x == gx && y == gy && z == gz)
            return CPlayRules::CanPick(*block) ? block : nullptr;
    }
    return nullptr;
}

bool CLevelReplay::CanPush(int gx, int gy, int gz, int dx, int dz)
{
    const CPlayBlock* block = CubeAt(gx, gy, gz);
    const CPlayRules::Arrow arrow = CPlayRules::ArrowOf(dx, dz);
    return block && arrow != CPlayRules::kArrowCount && CPlayRules::OfferedArrows(*m_pLevel, *block)[arrow];
}

bool CLevelReplay::Push(int gx, int gy, int gz, int dx, int dz)
{
    if (!CanPush(gx, gy, gz, dx, dz))
        return false;
    m_pLevel->SetSelected(CubeAt(gx, gy, gz));
    return CPlayRules::Push(*m_pLevel, CPlayRules::ArrowOf(dx, dz));
}

bool CLevelReplay::DropSpare(int slot)
{
    return CPlayRules::DropSpare(*m_pLevel, slot);
}

bool CLevelReplay::ApplyMove(const SolutionMove& move)
{
    if (move.kind == SolutionMove::kDrop)
    {
        if (DropSpare(move.slot))
            return true;
        m_strErrorMsg = "Error: in CLevelReplay::Play, spare ";
        m_strErrorMsg += move.slot;
        m_strErrorMsg += " cannot be dropped on frame ";
        m_strErrorMsg += m_result.frames;
        return false;
    }
    if (Push(move.gx, move.gy, move.gz, move.dx, move.dz))
        return true;
    m_strErrorMsg = "Error: in CLevelReplay::Play, no arrow ";
    m_strErrorMsg += CLevelSolution::DirectionName(move.dx, move.dz);
    m_strErrorMsg += " for a cube in cell ";
    m_strErrorMsg += move.gx;
    m_strErrorMsg += " ";
    m_strErrorMsg += move.gy;
    m_strErrorMsg += " ";
    m_strErrorMsg += move.gz;
    m_strErrorMsg += " on frame ";
    m_strErrorMsg += m_result.frames;
    return false;
}

bool CLevelReplay::PlayMoves(const CLevelSolution& solution, int maxFrames)
{
    m_strErrorMsg = "";
    const std::vector<SolutionMove>& moves = solution.GetMoves();
    size_t next = 0;
    while (next < moves.size() && m_result.frames < maxFrames && Frame())
    {
        // The player acts after the frame's update, on what is on the screen.
        while (next < moves.size())
        {
            const SolutionMove& move = moves[next];
            const bool due = move.frame == SolutionMove::kWhenAtRest ? IsAtRest() : m_result.frames >= move.frame;
            if (!due)
                break;
            if (!ApplyMove(move))
                return false;
            ++next;
            // What a move sets off shows only after a frame: a dropped cube has not started to fall.
            if (next < moves.size() && moves[next].frame == SolutionMove::kWhenAtRest)
                break;
        }
    }
    if (next < moves.size())
    {
        m_strErrorMsg = "Error: in CLevelReplay::Play, the level ended with ";
        m_strErrorMsg += static_cast<unsigned>(moves.size() - next);
        m_strErrorMsg += " moves left.";
        return false;
    }
    return true;
}

bool CLevelReplay::Play(const CLevelSolution& solution, int maxFrames)
{
    if (!PlayMoves(solution, maxFrames))
        return false;
    while (m_result.frames < maxFrames && Frame())
    {
    }
    return true;
}
