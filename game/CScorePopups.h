// The floating texts over the board: points and seconds that rise, fade and vanish within a
// second, drawn as extruded digits.
#pragma once

#include "platform/gfx/Math.h"

#include <array>
#include <memory>

class XBasicMesh;
class XGameEngine;

class CScorePopups
{
public:
    static constexpr int kSlots = 20;
    static constexpr int kFlagPoints = 0;
    static constexpr int kFlagSeconds = 1;

    struct Popup
    {
        bool active = false;
        plk::gfx::Vector3 position;
        int value = 0;
        int flag = kFlagPoints;
        float age = 0.0f; // 0 when added, 2 one second later
    };

    CScorePopups();
    ~CScorePopups();
    CScorePopups(const CScorePopups&) = delete;
    CScorePopups& operator=(const CScorePopups&) = delete;

    // Takes the first free slot; dropped when all 20 are showing.
    void Add(const plk::gfx::Vector3& at, int value, int flag);
    // Rises and ages every text by the frame time (milliseconds).
    void Update(float elapsedMs);
    void Clear();
    // Draws the texts; the character meshes are made on first use (drawing thread only).
    void Draw(XGameEngine* engine);

    const Popup& Get(int slot) const { return m_popups[slot]; }
    int ActiveCount() const;
    // Opacity of a text of that age: opaque for half a second, then fading to nothing.
    static float Opacity(float age);
    // Colour as opaque RGB: red when negative, yellow for seconds, white for points.
    static uint32_t Colour(const Popup& popup);

private:
    bool MakeMeshes();

    std::array<Popup, kSlots> m_popups;
    std::array<std::unique_ptr<XBasicMesh>, 12> m_characters;
    bool m_bMeshesTried = false;
    bool m_bMeshesReady = false;
};
