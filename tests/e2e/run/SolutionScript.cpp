#include "tests/e2e/run/SolutionScript.h"

#include "game/CBoard.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "tests/e2e/run/BoardView.h"
#include "tests/e2e/run/RunScript.h"
#include "tests/e2e/run/ScreenPoints.h"
#include "tests/e2e/run/TitleRun.h"

#include <cstdlib>

namespace
{
// A move is clicked this many frames after the headless board came to rest, so that the real
// program, which may start play a frame or two later than the script assumes, is at rest too.
const int kRestFrames = 25;
// The cube is selected on the release of the first click and pushed on the release of the
// second, this many frames later.
const int kArrowDelay = 4;
// Headless frames a level may run: ten minutes.
const int kMaxFrames = 30000;
// Name under which a plain document is played: one that needs no origin mark.
const char* const kDocumentName = "Solve_Document";
// The play view takes the key that closes the start card on its release, a frame after it.
const int kPlayAfterCard = 2;
// The level-complete card is up this long after the level's end, and the next screen this long
// after the card was dismissed (a full change fades out and in).
const int kSummaryUp = 60;
const int kNextScreenUp = 100;

std::string CellText(const SolutionMove& move)
{
    return std::to_string(move.gx) + " " + std::to_string(move.gy) + " " + std::to_string(move.gz);
}
} // namespace

SolutionScript::SolutionScript(const XString& dataFolder)
    : m_replay(dataFolder, static_cast<float>(TitleRun::kFrameMs))
{
}

bool SolutionScript::Fail(const std::string& why)
{
    m_strError = why;
    return false;
}

bool SolutionScript::LoadLevel(const XString& levelName, int playStart)
{
    m_iPlayStart = playStart;
    m_iFrame = 0;
    return m_replay.Load(levelName, 1) || Fail(m_replay.GetErrorMsg().GetBuffer());
}

bool SolutionScript::LoadDocument(const XString& document, int playStart)
{
    m_iPlayStart = playStart;
    m_iFrame = 0;
    return m_replay.LoadDocument(XString(kDocumentName), document, 1) || Fail(m_replay.GetErrorMsg().GetBuffer());
}

bool SolutionScript::WaitForRest()
{
    for (int rested = 0; rested < kRestFrames;)
    {
        if (m_iFrame >= kMaxFrames || !m_replay.Frame())
            return false;
        ++m_iFrame;
        rested = m_replay.IsAtRest() ? rested + 1 : 0;
    }
    return true;
}

bool SolutionScript::AppendMoves(const CLevelSolution& solution, RunScript& script)
{
    BoardView view(m_replay.GetLevel(), RunScript::kWidth, RunScript::kHeight);
    for (const SolutionMove& move : solution.GetMoves())
    {
        if (!WaitForRest())
            return Fail("the level ended with moves left");
        // Both kinds of move happen on the release of a click, one frame after it.
        const int actFrame = GetRunFrame();
        if (move.kind == SolutionMove::kDrop)
        {
            script.Click(actFrame - 1, ScreenPoints::SpareX(move.slot), ScreenPoints::SpareY(move.slot));
            if (!m_replay.DropSpare(move.slot))
                return Fail("spare " + std::to_string(move.slot) + " cannot be dropped");
            continue;
        }
        view.SetCubes(CubesOnBoard());
        const BoardView::Cell cell{move.gx, move.gy, move.gz};
        int cubeX, cubeY, arrowX, arrowY;
        if (!view.CubeTop(cell, cubeX, cubeY) || !view.Arrow(cell, move.dx, move.dz, arrowX, arrowY))
            return Fail("cell " + CellText(move) + " or its arrow cannot be seen");
        script.ClickPixel(actFrame - 1 - kArrowDelay, cubeX, cubeY);
        script.ClickPixel(actFrame - 1, arrowX, arrowY);
        if (!m_replay.Push(move.gx, move.gy, move.gz, move.dx, move.dz))
            return Fail("no arrow " + std::string(CLevelSolution::DirectionName(move.dx, move.dz)) + " for cell " +
                        CellText(move));
    }
    return true;
}

std::vector<BoardView::Cell> SolutionScript::CubesOnBoard()
{
    std::vector<BoardView::Cell> cubes;
    CGameLevel& level = m_replay.GetLevel();
    for (int i = 0; i < level.GetNumPlayBlocks(); ++i)
    {
        const CPlayBlock& block = level.GetPlayBlock(i);
        if (block.GetState() != CPlayBlock::kStateOnBoard)
            continue;
        BoardView::Cell cell;
        CBoard::CellOf(block.GetPosition(), cell[0], cell[1], cell[2]);
        cubes.push_back(cell);
    }
    return cubes;
}

bool SolutionScript::PlayToEnd()
{
    while (m_iFrame < kMaxFrames && m_replay.Frame())
        ++m_iFrame;
    return m_replay.GetResult().won || Fail("the moves do not win the level");
}

bool ReadShippedSolution(const std::string& levelName, CLevelSolution& solution)
{
    const char* source = std::getenv("PLK_SOURCE_DIR");
    const std::string path = std::string(source ? source : ".") + "/content/levels/solutions/" + levelName + ".sol";
    return solution.ReadFile(XString(path.c_str()));
}

int AppendLevel(const XString& dataFolder, const XString& levelName, const CLevelSolution& solution, int cardFrame,
                RunScript& script, std::string& error)
{
    SolutionScript planner(dataFolder);
    script.Key(cardFrame, "Space");
    if (!planner.LoadLevel(levelName, cardFrame + kPlayAfterCard) || !planner.AppendMoves(solution, script) ||
        !planner.PlayToEnd())
    {
        error = std::string(levelName.GetBuffer()) + ": " + planner.GetError();
        return -1;
    }
    const int summary = planner.GetRunFrame() + kSummaryUp;
    script.Shot(summary - 1);
    script.Key(summary, "Space");
    return summary + kNextScreenUp;
}
