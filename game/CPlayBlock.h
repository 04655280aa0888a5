// A cube of the board: its type (colour, bonus or special), removal fade, colour cycling, lifter
// morph, sounds and particle effects, and its element of the level document.
#pragma once

#include "engine/XDXMeshObject.h"
#include "engine/XDXSound.h"
#include "foundation/XString.h"
#include "platform/gfx/Math.h"

#include <memory>

class XBasicMesh;
class XDXTexture;
class XGameEngine;
class XParticleSystem;

class CPlayBlock : public XDXMeshObject
{
public:
    // The board's kind number of a play block.
    static constexpr int kKind = 2;

    static constexpr int kTypeNone = -1;
    static constexpr int kColourCount = 10;
    // Types 0..59 are six variants of ten colours: variant = type / 10, colour = type % 10.
    static constexpr int kVariantPlain = 0;
    static constexpr int kVariantX2 = 1;
    static constexpr int kVariantX3 = 2;
    static constexpr int kVariantExTime = 3;
    static constexpr int kVariantZap = 4;
    static constexpr int kVariantLifter = 5;
    static constexpr int kTypeSmasher = 60;
    static constexpr int kTypeBomb = 61;
    static constexpr int kTypeStone = 62;
    static constexpr int kTypeCount = 63;
    // Colours of the three special cubes: above 9, so they never match.
    static constexpr int kColourSmasher = 10;
    static constexpr int kColourBomb = 11;
    static constexpr int kColourStone = 12;

    static constexpr int kStateOnBoard = 0;
    static constexpr int kStateRemoving = 1;
    static constexpr int kStateGone = 2;

    // Removal fades, in milliseconds.
    static constexpr int kFadeMs = 300;
    static constexpr int kBombFadeMs = 700;

    CPlayBlock();
    ~CPlayBlock() override;
    CPlayBlock(const CPlayBlock&) = delete;
    CPlayBlock& operator=(const CPlayBlock&) = delete;

    // Loads the five cube meshes and fifty colour textures from the data folder once for all
    // cubes. Stops at the first failure and answers false; cubes then draw without what is missing.
    static bool LoadShared(const XString& dataFolder, XString& errorMsg);
    static void FreeShared();
    // Colour word of a colour index 0..9 ("Blue" .. "Yellow"); "" outside.
    static const char* ColourWord(int colour);
    // Colour of a type: type % 10 below 60, then 10, 11, 12; -1 outside the table.
    static int ColourOfType(int type);
    // Texture file of a colour-cube type 0..49 ("SolidRedCubeX3.bmp"); "" for other types.
    static XString TextureNameOfType(int type);

    using XDXMeshObject::Init; // the base's Init stays callable beside this one
    // (Re)initialises as a new cube of that type; type -1 empties the slot.
    void Init(XGameEngine* engine, int type, bool colourCycle);

    void Draw() override;
    // dt in milliseconds.
    void Update(float dt) override;

    int GetType() const { return m_iType; }
    int GetColour() const { return ColourOfType(m_iType); }
    int GetMultiplier() const;
    bool IsLifter() const { return m_iType >= 50 && m_iType <= 59; }
    bool IsExTime() const { return m_iType >= 30 && m_iType <= 39; }
    bool IsZap() const { return m_iType >= 40 && m_iType <= 49; }
    // Types 0..59: a colour with its variants; special cubes and empty slots have none.
    bool HasColourVariants() const { return m_iType >= 0 && m_iType < kTypeSmasher; }
    bool IsUsed() const { return m_bUsed; }
    bool IsColourCycling() const { return m_bColourCycle; }
    int GetColourOffset() const { return m_iColourOffset; }
    int GetState() const { return m_iCurState; }
    int GetStateChangeMaxTime() const { return m_iStateChangeMaxTime; }
    int GetStateChangeTimeLeft() const { return m_iStateChangeTimeLeft; }
    bool IsEffectRunning() const { return m_bRunEffect; }
    // A bomb on the board shows its burning fuse.
    bool FuseBurns() const { return m_iType == kTypeBomb && m_iCurState == kStateOnBoard; }
    // Whether drawing it draws particles too, which change every frame.
    bool DrawsEffects() const { return m_bRunEffect || FuseBurns(); }

    // 1 starts the removal fade (and its sound), 2 makes the cube gone at once, 0 puts it back.
    void SetState(int state);
    // Only for types 0..29: the type becomes colour + (m - 1) * 10.
    void SetMultiplier(int multiplier);
    // Only for types 0..59: keeps the variant, changes the colour.
    void SetColour(int colour);
    // Only for types 0..59: the cube becomes the extra-time, zap or lifter cube of its colour, or
    // the plain cube of its colour when it already is one.
    void ToggleExTime();
    void ToggleZap();
    void ToggleLifter();
    void ToggleColourCycle();
    // Marks the cube used and starts the smasher's debris or the bomb's explosion.
    void Fire();
    // A lifter that lifts: marks it used, plays its morph backward and its morph sound; when the
    // morph is back at its first frame the lifter becomes the plain cube of its colour.
    void StartLifterMorph();
    // Colour cycling at engine clock clockMs (Update calls it with the engine's time).
    void UpdateColourCycle(unsigned clockMs);

    void PlayWallSound();
    void PlayThumpSound();
    void PlaySlideSound();
    void PlayCrashSound();

    // Physics state of the board (the board moves the cube; the screen reads whether it rests).
    plk::gfx::Vector3 m_vVelocity;
    plk::gfx::Vector3 m_vPrevPosition;
    plk::gfx::Vector3 m_vConstantForce;
    plk::gfx::Vector3 m_vFrameForce;
    int m_iBounceCount = 0;
    // Index of the cube a lifter lifted; -1 when none.
    int m_iLiftTarget = -1;

    // Appends the PlayBlock_N element (tab-indented, CR LF lines).
    void WriteXml(XString& out, int index) const;
    // Reads the PlayBlock_N element of document: re-initialises the cube with the stored type and
    // then restores the stored state fields and placement. A missing element reads as zeros.
    void ReadXml(XGameEngine* engine, const XString& document, int index);

private:
    void AttachTypeResources();
    void ApplyTexture();
    void LoadSounds();
    // Changes the type and re-attaches mesh animation and texture.
    void ChangeType(int type);
    void FinishLifterReturn();
    void AdvanceFade(float dt);
    // Particle effects (CPlayBlockEffects.cpp).
    void StartFireEffect();
    void StartFuseEffect();
    void StopFireEmission();
    // Moves and advances the running effects; clears RunEffect when the last particle is gone.
    void UpdateEffects(float dt);
    void DrawEffects();

    XGameEngine* m_pGameEngine = nullptr;
    int m_iType = kTypeNone;
    bool m_bColourCycle = false;
    int m_iColourOffset = 0;
    int m_iStateChangeMaxTime = 0;
    int m_iStateChangeTimeLeft = 0;
    int m_iCurState = kStateOnBoard;
    bool m_bUsed = false;
    bool m_bRunEffect = false;
    // The lifter morph was started and has not yet played back to its first frame.
    bool m_bMorphing = false;
    float m_fMorphMs = 0.0f;

    XDXSound m_sndRemove;
    XDXSound m_sndMorph;
    XDXSound m_sndWall;
    XDXSound m_sndThump;
    XDXSound m_sndSlide;
    XDXSound m_sndCrash;
    std::unique_ptr<XParticleSystem> m_pFireEffect;
    std::unique_ptr<XParticleSystem> m_pFuseEffect;
};
