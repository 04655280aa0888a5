// A board built in a test: cubes, walls and teleporters placed in cells, stepped at a fixed
// frame time without a window.
#pragma once

#include "game/CBoard.h"
#include "game/CPlayBlock.h"
#include "game/CScorePopups.h"
#include "game/CTeleporter.h"
#include "game/CWallBlock.h"

#include <memory>
#include <vector>

// Copies of the cube's state numbers that GoogleTest may take by reference.
constexpr int kStateOnBoard = CPlayBlock::kStateOnBoard;
constexpr int kStateRemoving = CPlayBlock::kStateRemoving;
constexpr int kStateGone = CPlayBlock::kStateGone;
constexpr int kNoType = CPlayBlock::kTypeNone;

struct BoardWorld
{
    static constexpr float kFrameMs = 25.0f; // 40 frames a second, a slow machine's frame

    CBoard board;
    CScorePopups popups;
    std::vector<std::unique_ptr<CPlayBlock>> blocks;
    std::vector<std::unique_ptr<CWallBlock>> walls;
    std::vector<std::unique_ptr<CTeleporter>> teleporters;
    int difficulty = 2;
    CBoard::StepResult total;

    CPlayBlock& Cube(int type, int gx, int gy, int gz)
    {
        blocks.push_back(std::make_unique<CPlayBlock>());
        CPlayBlock& block = *blocks.back();
        block.Init(nullptr, type, false);
        block.SetPosition(CBoard::CellCentre(gx, gy, gz));
        board.AddBody(&block);
        return block;
    }
    CWallBlock& Wall(int gx, int gy, int gz)
    {
        walls.push_back(std::make_unique<CWallBlock>());
        CWallBlock& wall = *walls.back();
        wall.Init(nullptr, 0);
        wall.SetPosition(CBoard::CellCentre(gx, gy, gz));
        board.AddBody(&wall);
        return wall;
    }
    CTeleporter& Teleporter(int gx, int gy, int gz)
    {
        teleporters.push_back(std::make_unique<CTeleporter>());
        CTeleporter& teleporter = *teleporters.back();
        teleporter.Init(nullptr);
        teleporter.SetPosition(CBoard::CellCentre(gx, gy, gz));
        board.AddBody(&teleporter);
        return teleporter;
    }
    // Steps frames and sums what they earned.
    void Run(int frames)
    {
        for (int i = 0; i < frames; ++i)
        {
            CBoard::StepResult step;
            board.Step(kFrameMs, difficulty, &popups, step);
            total.score += step.score;
            total.removed += step.removed;
            total.timeBonus += step.timeBonus;
        }
    }
    // One frame with nothing moving yet, so that the grids know every body.
    void Settle() { Run(1); }
    void Push(CPlayBlock& block, float dx, float dz)
    {
        block.m_vVelocity.x = 8.0f * dx;
        block.m_vVelocity.z = 8.0f * dz;
    }
};

// Cell of a cube's centre.
inline void CellOfBlock(const CPlayBlock& block, int& gx, int& gy, int& gz)
{
    CBoard::CellOf(block.GetPosition(), gx, gy, gz);
}
