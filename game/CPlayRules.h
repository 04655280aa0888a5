// What the player may do in play and what it does to the level: which cube can be picked, which
// arrows a cube offers, a push, a spare drop, and how the selection follows a pushed cube. The
// play screen calls these with the mouse's answers and the headless replay with a solution's
// moves, so both play by the same rules.
#pragma once

#include "platform/gfx/Math.h"

#include <array>

class CGameLevel;
class CPlayBlock;

class CPlayRules
{
public:
    // The six arrows, in the order of kDirections.
    enum Arrow { kArrowUp, kArrowDown, kArrowPlusX, kArrowMinusX, kArrowPlusZ, kArrowMinusZ, kArrowCount };
    using Arrows = std::array<bool, kArrowCount>;
    // Unit steps of the arrows (length 10, one cell): up, down, +x, -x, +z, -z.
    static const std::array<plk::gfx::Vector3, kArrowCount> kDirections;

    // A cube on the board may be picked while no velocity component exceeds 0.01. The test is
    // signed, so a cube falling, or sliding toward -x or -z, can be picked too.
    static bool CanPick(const CPlayBlock& block);
    // The arrows a cube offers: none unless it is on the board, none while a cube lies on top of
    // it, never up or down; each sideways arrow whose neighbour cell is free or a teleporter.
    static Arrows OfferedArrows(CGameLevel& level, const CPlayBlock& block);
    // The sideways arrow of a step (dx, dz) with exactly one of them +1 or -1; kArrowCount otherwise.
    static Arrow ArrowOf(int dx, int dz);

    // The selected object when it is one of the level's cubes, else null.
    static CPlayBlock* SelectedBlock(CGameLevel& level);
    // Pushes the selected cube along the arrow (kArrowCount: none) when the cube offers it: its x
    // and z velocity become 8 times the arrow's direction (80 units a second) and the selection is
    // cleared, so the cube becomes the previous selection. False, and nothing changes, otherwise.
    static bool Push(CGameLevel& level, Arrow arrow);
    // What a push does to the cube itself, for a board played without a level (the solver).
    static void Launch(CPlayBlock& block, Arrow arrow);
    // Drops spare `index` into a random free cell, the highest level first, as a new selected cube
    // that costs its drop price; the spare is then drawn again. False, and nothing changes or
    // costs, when the spare is empty, no cell is free or the level holds no more cubes.
    static bool DropSpare(CGameLevel& level, int index);
    // Once a frame after the level's update: a selected cube that left the board clears both
    // selections; with nothing selected, the previous cube is selected again once it rests exactly.
    static void FollowSelection(CGameLevel& level);
};
