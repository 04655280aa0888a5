// The play demo's hand-made level.
#include "DemoLevel.h"

#include "game/CBoard.h"
#include "game/CFieldObject.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "game/CTeleporter.h"
#include "game/CWallBlock.h"

namespace playdemo
{
const char* const kLevelName = "PlayDemo";

namespace
{
struct CubeSpot
{
    int type, gx, gy, gz;
};
// Two red cubes at rest and a third above the cell beside them: it falls and the three go.
const CubeSpot kCubes[] = {
    {8, 3, 0, 4},  {8, 4, 0, 4},  {8, 5, 2, 4},  {0, 2, 0, 6},  {10, 3, 0, 6}, {23, 4, 0, 6},
    {35, 6, 0, 6}, {41, 7, 0, 2}, {55, 2, 0, 2}, {60, 8, 0, 8}, {61, 1, 0, 8}, {62, 6, 0, 1},
    {6, 5, 0, 7},  {9, 6, 0, 3},  {7, 7, 1, 3},  {1, 2, 0, 3},  {4, 4, 0, 2},  {3, 5, 0, 2}};
struct WallSpot
{
    int type, gx, gy, gz;
};
const WallSpot kWalls[] = {{0, 7, 0, 3}, {2, 0, 0, 5}, {2, 0, 1, 5}, {5, 9, 0, 5}};
struct SceneryPlace
{
    int type;
    float x, z;
};
const SceneryPlace kScenery[] = {{12, -85.0f, 60.0f}, {14, 90.0f, 70.0f}, {2, -80.0f, -40.0f}, {4, 75.0f, -60.0f},
                                 {8, -70.0f, 10.0f},  {13, 20.0f, 95.0f}, {0, 65.0f, 10.0f},  {3, -20.0f, -80.0f}};
const float kSceneryY = 20.0f;
} // namespace

void BuildDemoLevel(CGameLevel& level, XGameEngine* engine)
{
    level.SetLevelName("Play demo");
    level.SetObjective("Clear the red cubes.");
    level.SetTimeLeft(120000.0f);
    level.SetBackground(120, 170, 230);
    for (int colour = 0; colour < CGameLevel::kColourCount; ++colour)
        level.SetRemoveToWin(colour, colour == 8);

    const int walls = static_cast<int>(sizeof(kWalls) / sizeof(kWalls[0]));
    level.SetNumWalls(walls);
    for (int i = 0; i < walls; ++i)
    {
        CWallBlock& wall = level.GetWall(i);
        wall.Init(engine, kWalls[i].type);
        wall.SetPosition(CBoard::CellCentre(kWalls[i].gx, kWalls[i].gy, kWalls[i].gz));
    }
    const int cubes = static_cast<int>(sizeof(kCubes) / sizeof(kCubes[0]));
    level.SetNumPlayBlocks(cubes);
    for (int i = 0; i < cubes; ++i)
    {
        CPlayBlock& block = level.GetPlayBlock(i);
        block.Init(engine, kCubes[i].type, false);
        block.SetPosition(CBoard::CellCentre(kCubes[i].gx, kCubes[i].gy, kCubes[i].gz));
    }
    level.SetNumTeleporters(2);
    level.GetTeleporter(0).Init(engine);
    level.GetTeleporter(0).SetPosition(CBoard::CellCentre(0, 0, 0));
    level.GetTeleporter(1).Init(engine);
    level.GetTeleporter(1).SetPosition(CBoard::CellCentre(9, 0, 9));
    const int scenery = static_cast<int>(sizeof(kScenery) / sizeof(kScenery[0]));
    level.SetNumFieldObjects(scenery);
    for (int i = 0; i < scenery; ++i)
    {
        CFieldObject& object = level.GetFieldObject(i);
        object.Init(engine, kScenery[i].type);
        object.SetPosition(kScenery[i].x, kSceneryY, kScenery[i].z);
    }
    level.SetBoardTop(1);
    level.SetTerrain(1);
}
} // namespace playdemo
