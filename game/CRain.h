// The rain: a thousand drops falling through a box around the board, splashing on the floor
// and starting again from a random place, drawn as short blended lines.
#pragma once

#include "platform/gfx/Math.h"

#include <cstdint>
#include <vector>

class XGameEngine;

class CRain
{
public:
    static constexpr int kDropCount = 1000;
    static constexpr int kFalling = 0;
    static constexpr int kSplashing = 1;
    static constexpr int kFinished = 2;
    // The rain box around the board: 400 wide, 200 high above the floor, 400 deep.
    static constexpr float kBoxWidth = 400.0f;
    static constexpr float kBoxHeight = 200.0f;
    static constexpr float kBoxDepth = 400.0f;
    static constexpr float kFloorY = 20.0f;
    static constexpr float kFallSpeed = 100.0f; // units per second, downward
    static constexpr float kSplashMs = 300.0f;

    struct Drop
    {
        plk::gfx::Vector3 position;
        float speed = kFallSpeed;
        int state = kFalling;
        float splashLeft = 0.0f;
    };

    // Places every drop at a random place in the box, falling.
    void Create();
    // dt in milliseconds: falling drops move, drops below the floor splash for 300 ms, finished
    // drops start again from a random place.
    void Update(float dt);
    // Draws every unfinished drop as a line, blended.
    void Draw(XGameEngine* engine);

    const std::vector<Drop>& GetDrops() const { return m_drops; }

private:
    void Respawn(Drop& drop);

    struct LineVertex
    {
        float x, y, z;
        uint32_t colour;
    };

    std::vector<Drop> m_drops;
    std::vector<LineVertex> m_vertices; // reused every frame
};
