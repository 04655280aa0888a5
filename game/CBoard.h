// The physics world of the board: 10 x 10 x 7 cells of 10 units, its fixed and movable bodies,
// the continuous sub-stepped sweep with every contact, and matching and scoring after each step.
#pragma once

#include "platform/gfx/Math.h"

#include <array>
#include <vector>

class CGameLevel;
class CPlayBlock;
class CScorePopups;
class CTeleporter;
class CWallBlock;
class XDXMeshObject;
class XGameEngine;

class CBoard
{
public:
    static constexpr int kColumns = 10;  // cells along x
    static constexpr int kRows = 10;     // cells along z
    static constexpr int kLevels = 7;    // cells along y
    static constexpr int kCells = kColumns * kRows * kLevels;
    static constexpr int kTopLevel = kLevels - 1;
    static constexpr int kMaxBlocks = 600;
    static constexpr int kMaxFixed = 610; // 600 walls and 10 teleporters
    static constexpr float kCellSize = 10.0f;
    static constexpr float kFloorY = 20.0f;
    static constexpr float kHalfWidth = 50.0f; // the board spans -50..+50 on x and z
    // From a cube's centre to each of its faces: every cube fills exactly one cell, whatever its
    // mesh's art measures.
    static constexpr float kHalfCube = kCellSize * 0.5f;
    // Height of a cube's centre resting on the floor.
    static constexpr float kRestY = kFloorY + kCellSize * 0.5f;
    // Gravity: the constant force every movable body gets when it enters the board.
    static constexpr float kGravity = -200.0f;

    // Answers of ProbeNeighbours.
    static constexpr int kProbeEdge = -1;
    static constexpr int kProbeFree = 0;
    static constexpr int kProbeWall = 1;
    static constexpr int kProbeBlock = 2;
    static constexpr int kProbeTeleporter = 3;
    // Order of ProbeNeighbours' six answers.
    enum Side { kAbove, kBelow, kPlusZ, kMinusZ, kPlusX, kMinusX, kSideCount };

    // What one step earned, before the difficulty scaling of the level.
    struct StepResult
    {
        int score = 0;     // raw points
        int removed = 0;   // cubes that started removing
        int timeBonus = 0; // seconds of extra time
    };

    CBoard();

    // Forgets every body; the fixed grid is rebuilt on the next step.
    void Clear();
    // Walls and teleporters are fixed bodies; adding one again updates its box.
    void AddBody(CWallBlock* wall);
    void AddBody(CTeleporter* teleporter);
    // A cube becomes a movable body: its position is taken, its velocity zeroed and gravity set.
    // Adding it again updates its entry. Refused (false) beyond kMaxBlocks.
    bool AddBody(CPlayBlock* block);
    // Index of a cube among the movable bodies; -1 when it is not on the board.
    int IndexOf(const CPlayBlock* block) const;
    int GetBlockCount() const { return static_cast<int>(m_blocks.size()); }
    CPlayBlock* GetBlock(int index) const;
    int GetTeleporterCount() const { return static_cast<int>(m_teleporters.size()); }

    // One frame of physics followed by matching; elapsedMs is the frame's game time. difficulty
    // scales only the floating texts (popups may be null). Returns the elapsed milliseconds.
    float Step(float elapsedMs, int difficulty, CScorePopups* popups, StepResult& result);
    // The builder's frame: takes every cube's position as it stands and rebuilds both grids.
    void SyncForBuilder();
    // Rebuilds the grids and, with a result, finds and removes the groups at rest.
    void MatchAndScore(StepResult* result);

    // Above, below, +z, -z, +x, -x of the cell holding (x, y, z): kProbe* values.
    std::array<int, kSideCount> ProbeNeighbours(float x, float y, float z) const;
    bool IsCellFree(int gx, int gy, int gz) const;
    // Sends the column standing on block's cell upward; false when it reaches the top level or a
    // wall lies in its way.
    bool Lift(CPlayBlock* block);
    // Size of the group of colour (-1: the colour of the first cube) reached from a cell, 0 for
    // nothing, -1 when a cube of the group is still moving.
    int FloodFill(int colour, int gx, int gy, int gz);
    // The blast of a bomb: every cube on the board within 20 units of it starts removing. Uses
    // the difficulty and floating texts of the last Step.
    void Explode(CPlayBlock* bomb, StepResult& result);

    // Cubes on the board (not gone) of a colour to remove, stone, bomb and smasher excepted.
    int CountBlocksLeft(const bool removeToWin[10]) const;
    // Fills every empty spare (type -1) with a drawn type; see the draw table in CBoardSpares.cpp.
    // The engine (null headless) is the one the cubes are initialised with.
    void RefillSpares(XGameEngine* engine, CPlayBlock* const spares[3]);
    // A free cell for a dropped spare: from the top level down, up to 100 random tries per level.
    bool FindDropCell(int& gx, int& gy, int& gz) const;
    // Makes block a new cube of type standing in cell (gx, gy, gz) and adds it to the board; the
    // level chooses the slot, counts the cost and shows the floating text.
    bool PlaceNewBlock(XGameEngine* engine, CPlayBlock* block, int type, int gx, int gy, int gz);

    // One frame of a level in play: spares, time, terrain, physics and matching, scores, extra
    // time and the count of cubes left; elapsedMs is the frame's game time.
    static void PlayLevelFrame(CGameLevel& level, float elapsedMs);
    // One frame of a level in the builder: no time, physics or scoring; the grids follow the
    // objects so that the builder's probes work, and every object animates.
    static void BuilderLevelFrame(CGameLevel& level, float elapsedMs);

    // Cell of a world position, truncated toward zero; may lie outside the grid.
    static void CellOf(const plk::gfx::Vector3& p, int& gx, int& gy, int& gz);
    static plk::gfx::Vector3 CellCentre(int gx, int gy, int gz);
    static bool InGrid(int gx, int gy, int gz)
    {
        return gx >= 0 && gx < kColumns && gy >= 0 && gy < kLevels && gz >= 0 && gz < kRows;
    }
    static int CellIndex(int gx, int gy, int gz) { return (gx * kRows + gz) * kLevels + gy; }
    // Rounds a coordinate to the centre of the 10-unit cell it lies in.
    static float SnapToCell(float v);

    // How a moving cube met something (see the contact resolution).
    enum ContactKind { kFloor, kSidePlane, kFixedVertical, kFixedSide, kBlockVertical, kBlockSide };

private:
    static constexpr int kEmpty = -1;

    // Component 0 (x), 1 (y) or 2 (z), so that one sweep serves every axis.
    static float& Axis(plk::gfx::Vector3& v, int axis) { return axis == 0 ? v.x : (axis == 1 ? v.y : v.z); }
    static float Axis(const plk::gfx::Vector3& v, int axis) { return axis == 0 ? v.x : (axis == 1 ? v.y : v.z); }

    struct FixedBody
    {
        XDXMeshObject* object = nullptr; // the wall or teleporter
        CTeleporter* teleporter = nullptr;  // set for a teleporter
        plk::gfx::Vector3 min, max;
    };
    // Enters the body, or refreshes the one of the same object; true only when newly entered.
    bool AddFixed(const FixedBody& body);

    struct Contact
    {
        int block = 0;          // the moving cube
        ContactKind kind = kFloor;
        int other = kEmpty;     // fixed body or cube index; kEmpty for planes
        int axis = 0;           // 0 x, 1 y, 2 z
        float direction = 0.0f; // sign of the motion along axis
        float face = 0.0f;      // coordinate of the obstacle's face along axis
    };
    struct Cell
    {
        int fixed = kEmpty;
        int block = kEmpty;
        bool visited = false;
    };

    // Bodies and grids (CBoard.cpp).
    void RebuildFixedCells();
    void BucketActive();
    // Cells (clipped to the grid) that the box [lo, hi] covers; false when none.
    static bool CellRange(const plk::gfx::Vector3& lo, const plk::gfx::Vector3& hi, int range[6]);
    // Physics (CBoardPhysics.cpp).
    void ApplyForces(float dt);
    static bool IsStill(const CPlayBlock& block);
    bool IsSupported(int index) const;
    // Every active cube to its previous position plus t times its velocity.
    void MoveActive(float t);
    void Sweep(float remaining, float& earliest);
    void SweepBlock(int index, float remaining, float& earliest);
    void SweepAxis(int index, int axis, float remaining, float& earliest);
    void OfferContact(const Contact& contact, float t, float& earliest);
    // Contacts (CBoardContacts.cpp).
    void Resolve(const Contact& contact, float t, StepResult& result);
    void Land(CPlayBlock& block, const Contact& contact, float t);
    void StopFlush(CPlayBlock& block, const Contact& contact);
    void Teleport(CPlayBlock& block, int touchedFixed);
    void HitBlock(const Contact& contact, StepResult& result);
    void RemoveFiredSmasher(CPlayBlock& block, StepResult& result);
    // Matching (CBoardMatching.cpp).
    void RebuildGrids();
    void ScoreGroup(int size, StepResult& result);
    void ShowPoints(const plk::gfx::Vector3& at, int value, int flag);
    bool IsMoving(const CPlayBlock& block) const;

    std::vector<FixedBody> m_fixed;
    std::vector<CTeleporter*> m_teleporters;
    std::vector<CPlayBlock*> m_blocks;
    std::vector<int> m_active;     // cubes taking part in the current step
    std::vector<char> m_still;     // per cube: no velocity and no one-frame force before the step
    std::vector<Contact> m_contacts;
    std::array<Cell, kCells> m_cells;
    std::vector<int> m_matchList;  // cell indices of the group being examined
    // Broad phase: fixed bodies per cell (offsets into m_fixedCellList) and the active cubes per
    // cell of their centre (linked through m_bucketNext, the last bucket for those outside).
    std::array<int, kCells + 1> m_fixedCellStart{};
    std::vector<int> m_fixedCellList;
    std::vector<unsigned> m_fixedStamp;
    unsigned m_uiStamp = 0;
    std::array<int, kCells + 1> m_bucketHead{};
    std::vector<int> m_bucketNext;
    int m_iMatchColour = -1;
    bool m_bFixedDirty = true;
    int m_iDifficulty = 0;
    CScorePopups* m_pPopups = nullptr;
};
