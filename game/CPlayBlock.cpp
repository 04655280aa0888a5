// A cube of the board: types and colours, the shared meshes and textures, the removal fade,
// colour cycling, the lifter morph, drawing and the cube's element of the level document.
#include "game/CPlayBlock.h"

#include "engine/XBasicMesh.h"
#include "engine/XDXTexture.h"
#include "engine/XGameEngine.h"
#include "engine/XParticleSystem.h"
#include "engine/XRandom.h"
#include "game/CGameLevelXml.h"
#include "game/GameRandom.h"
#include "platform/gfx/Device.h"

#include <array>
#include <memory>

using namespace LevelXml;
using namespace plk::gfx;

namespace
{

const char* const kColourWords[CPlayBlock::kColourCount] = {
    "Blue", "DarkBlue", "DarkGreen", "Green", "LightVanilla", "Orange", "Pink", "Purple", "Red", "Yellow",
};
// Texture name endings of the five textured variants, in the order the loader reads them.
const char* const kVariantEndings[] = {"Cube.bmp", "CubeX2.bmp", "CubeX3.bmp", "CubeExTime.bmp", "CubeZap.bmp"};
const int kTexturedVariants = 5;

enum SharedMesh
{
    kMeshBlock,
    kMeshSmasher,
    kMeshBombCube,
    kMeshBombStd,
    kMeshStone,
    kMeshCount,
};
const char* const kMeshNames[kMeshCount] = {"Block", "SmasherCube", "BombCube", "BombStd", "StoneBlock"};

// Frame rates of the cube animations.
const float kBlockFramesPerSecond = 34.0f;
const float kBombFramesPerSecond = 20.0f;
const float kStoneFramesPerSecond = 20.0f;
// Without its mesh (rules run headless) a lifter's morph lasts as long as the shipped ten-frame
// Block set takes at 34 frames per second, so that the lift plays out the same way.
const float kHeadlessMorphMs = 10.0f * 1000.0f / 34.0f;
// Colour cycling changes a cube's colour this often.
const unsigned kColourCycleMs = 2000;

struct SharedResources
{
    std::array<std::unique_ptr<XBasicMesh>, kMeshCount> meshes;
    std::array<std::unique_ptr<XDXTexture>, kTexturedVariants * CPlayBlock::kColourCount> textures;
};

SharedResources& Shared()
{
    static SharedResources resources;
    return resources;
}

XBasicMesh* SharedMeshOf(SharedMesh which)
{
    return Shared().meshes[which].get();
}

XDXTexture* SharedTextureOf(int variant, int colour)
{
    if (variant < 0 || variant >= kTexturedVariants || colour < 0 || colour >= CPlayBlock::kColourCount)
        return nullptr;
    return Shared().textures[static_cast<size_t>(variant * CPlayBlock::kColourCount + colour)].get();
}

int FrameCountOf(const XBasicMesh* mesh)
{
    return mesh ? mesh->GetFrameCount() : 0;
}

int Wrap10(int value)
{
    return ((value % CPlayBlock::kColourCount) + CPlayBlock::kColourCount) % CPlayBlock::kColourCount;
}

} // namespace

bool CPlayBlock::LoadShared(const XString& dataFolder, XString& errorMsg)
{
    SharedResources& shared = Shared();
    for (int i = 0; i < kMeshCount; ++i)
    {
        auto mesh = std::make_unique<XBasicMesh>();
        XString base(dataFolder);
        base += kMeshNames[i];
        if (!mesh->LoadWithMultipleMeshAnimation(base, -1, false, false) || mesh->GetFrameCount() == 0)
        {
            errorMsg = "Error: in CPlayBlock::LoadShared, loading the mesh failed. File=";
            errorMsg += base;
            if (!mesh->GetErrorMsg().IsEmpty())
            {
                errorMsg += " Msg=";
                errorMsg += mesh->GetErrorMsg();
            }
            else
            {
                // The animation stops at the first frame file missing: name the one that is.
                errorMsg += " Msg=there is no ";
                errorMsg += base;
                errorMsg += "0.x";
            }
            return false;
        }
        shared.meshes[static_cast<size_t>(i)] = std::move(mesh);
    }
    for (int variant = 0; variant < kTexturedVariants; ++variant)
        for (int colour = 0; colour < kColourCount; ++colour)
        {
            auto texture = std::make_unique<XDXTexture>();
            const XString name = TextureNameOfType(variant * 10 + colour);
            if (!texture->Load(name, 0, 0))
            {
                errorMsg = "Error: in CPlayBlock::LoadShared, texture.Load failed. Msg=";
                errorMsg += texture->GetErrorMsg();
                return false;
            }
            shared.textures[static_cast<size_t>(variant * kColourCount + colour)] = std::move(texture);
        }
    return true;
}

void CPlayBlock::FreeShared()
{
    for (auto& texture : Shared().textures)
        texture.reset();
    for (auto& mesh : Shared().meshes)
        mesh.reset();
}

const char* CPlayBlock::ColourWord(int colour)
{
    return colour >= 0 && colour < kColourCount ? kColourWords[colour] : "";
}

int CPlayBlock::ColourOfType(int type)
{
    if (type >= 0 && type < kTypeSmasher)
        return type % kColourCount;
    if (type >= kTypeSmasher && type < kTypeCount)
        return kColourSmasher + (type - kTypeSmasher);
    return -1;
}

XString CPlayBlock::TextureNameOfType(int type)
{
    if (type < 0 || type >= kVariantLifter * 10)
        return XString();
    XString name("Solid");
    name += kColourWords[type % kColourCount];
    name += kVariantEndings[type / 10];
    return name;
}

CPlayBlock::CPlayBlock() = default;

CPlayBlock::~CPlayBlock() = default;

int CPlayBlock::GetMultiplier() const
{
    if (m_iType >= 10 && m_iType <= 19)
        return 2;
    if (m_iType >= 20 && m_iType <= 29)
        return 3;
    return 1;
}

void CPlayBlock::Init(XGameEngine* engine, int type, bool colourCycle)
{
    XDXMeshObject::Init(false, kKind);
    m_pGameEngine = engine;
    m_iType = type;
    m_bColourCycle = colourCycle;
    m_iColourOffset = CGameRandom::Below(kColourCount);
    m_iStateChangeMaxTime = 0;
    m_iStateChangeTimeLeft = 0;
    m_iLiftTarget = -1;
    m_iCurState = kStateOnBoard;
    m_bUsed = false;
    m_bRunEffect = false;
    m_bMorphing = false;
    m_fMorphMs = 0.0f;
    m_iBounceCount = 0;
    m_vVelocity = Vector3();
    m_vConstantForce = Vector3();
    m_vFrameForce = Vector3();
    m_pFireEffect.reset();
    m_pFuseEffect.reset();
    AttachTypeResources();
    ApplyTexture();
    LoadSounds();
}

void CPlayBlock::AttachTypeResources()
{
    XMeshAnimation& animation = GetAnimation();
    XBasicMesh* mesh = nullptr;
    if (m_iType >= 0 && m_iType < 50)
    {
        mesh = SharedMeshOf(kMeshBlock);
        animation.SetRate(kBlockFramesPerSecond);
        animation.Hold(0);
    }
    else if (IsLifter())
    {
        mesh = SharedMeshOf(kMeshBlock);
        animation.SetRate(kBlockFramesPerSecond);
        animation.Hold(FrameCountOf(mesh) - 1);
    }
    else if (m_iType == kTypeSmasher)
    {
        mesh = SharedMeshOf(kMeshSmasher);
        const int frames = FrameCountOf(mesh);
        animation.SetRate(kBlockFramesPerSecond);
        animation.PlayForward(frames > 0 ? XRandom::Effects().Below(frames) : 0, true);
    }
    else if (m_iType == kTypeBomb)
    {
        mesh = SharedMeshOf(kMeshBombStd);
        animation.SetRate(kBombFramesPerSecond);
        animation.Hold(0);
        StartFuseEffect();
    }
    else if (m_iType == kTypeStone)
    {
        mesh = SharedMeshOf(kMeshStone);
        animation.SetRate(kStoneFramesPerSecond);
        animation.PlayForward(0, true);
    }
    SetMesh(mesh);
}

void CPlayBlock::ApplyTexture()
{
    if (m_iType >= 0 && m_iType < 50)
        SetTexture(SharedTextureOf(m_iType / 10, m_iType % kColourCount));
    else if (IsLifter())
        SetTexture(SharedTextureOf(kVariantPlain, m_iType % kColourCount));
    else
        SetTexture(nullptr);
}

void CPlayBlock::LoadSounds()
{
    if (m_iType < 0 || m_iType >= kTypeCount)
    {
        m_sndRemove.Unload();
        m_sndMorph.Unload();
        m_sndWall.Unload();
        m_sndThump.Unload();
        m_sndSlide.Unload();
        m_sndCrash.Unload();
        return;
    }
    // Built once: every cube of a level asks for them on each load and each undo in the builder.
    static const XString explodeBomb("SndExplodeBomb.wav"), explodeBlock("SndExplodeBlock.wav"),
        lifterMorph("SndLifterMorph.wav"), hitWall("SndBlockHitWall.wav"), thump("SndBlockThump.wav"),
        slide("SndBlockSlide.wav"), crash("SndBlockCrash.wav");
    // Without audio every Load answers false and the cube stays silent, which is all we want.
    m_sndRemove.Load(m_iType == kTypeBomb ? explodeBomb : explodeBlock, XDXSound::kSoundEffect);
    if (IsLifter())
        m_sndMorph.Load(lifterMorph, XDXSound::kSoundEffect);
    m_sndWall.Load(hitWall, XDXSound::kSoundEffect);
    m_sndThump.Load(thump, XDXSound::kSoundEffect);
    m_sndSlide.Load(slide, XDXSound::kSoundEffect);
    m_sndCrash.Load(crash, XDXSound::kSoundEffect);
}

void CPlayBlock::ChangeType(int type)
{
    m_iType = type;
    AttachTypeResources();
    ApplyTexture();
    LoadSounds();
}

void CPlayBlock::SetState(int state)
{
    if (state == kStateRemoving)
    {
        const int fade = m_iType == kTypeBomb ? kBombFadeMs : kFadeMs;
        m_iStateChangeMaxTime = fade;
        m_iStateChangeTimeLeft = fade;
        m_iCurState = kStateRemoving;
        if (m_iType != kTypeBomb)
            StopFireEmission();
        m_sndRemove.Play(false);
    }
    else if (state == kStateGone)
    {
        m_iCurState = kStateGone;
        m_iStateChangeMaxTime = 0;
        m_iStateChangeTimeLeft = 0;
    }
    else
        m_iCurState = kStateOnBoard;
}

void CPlayBlock::SetMultiplier(int multiplier)
{
    if (m_iType < 0 || m_iType > 29 || multiplier < 1 || multiplier > 3)
        return;
    ChangeType(m_iType % kColourCount + (multiplier - 1) * 10);
}

void CPlayBlock::SetColour(int colour)
{
    if (m_iType < 0 || m_iType > 59 || colour < 0 || colour >= kColourCount)
        return;
    ChangeType(m_iType / 10 * 10 + colour);
}

// The three toggles switch a colour cube between its plain type and one variant of the same
// colour. Special cubes, an empty slot and a type outside the table have no colour variants: a
// smasher's table colour (10) would otherwise make it a blue lifter, a stone an extra-time cube.
void CPlayBlock::ToggleExTime()
{
    if (HasColourVariants())
        ChangeType(IsExTime() ? GetColour() : GetColour() + kVariantExTime * 10);
}

void CPlayBlock::ToggleZap()
{
    if (HasColourVariants())
        ChangeType(IsZap() ? GetColour() : GetColour() + kVariantZap * 10);
}

void CPlayBlock::ToggleLifter()
{
    if (HasColourVariants())
        ChangeType(IsLifter() ? GetColour() : GetColour() + kVariantLifter * 10);
}

void CPlayBlock::ToggleColourCycle()
{
    m_bColourCycle = !m_bColourCycle;
    m_iColourOffset = CGameRandom::Below(kColourCount);
}

void CPlayBlock::Fire()
{
    m_bUsed = true;
    if (m_bRunEffect)
        return;
    if (m_iType == kTypeSmasher)
    {
        StartFireEffect();
        m_bRunEffect = true;
    }
    else if (m_iType == kTypeBomb)
    {
        SetMesh(SharedMeshOf(kMeshBombCube));
        GetAnimation().SetRate(kBombFramesPerSecond);
        GetAnimation().PlayForward(0, false);
        StartFireEffect();
        m_bRunEffect = true;
    }
}

void CPlayBlock::StartLifterMorph()
{
    if (!IsLifter())
        return;
    m_bUsed = true;
    m_bMorphing = true;
    m_fMorphMs = 0.0f;
    XMeshAnimation& animation = GetAnimation();
    animation.SetRate(kBlockFramesPerSecond);
    animation.PlayBackward(FrameCountOf(GetMesh()) - 1, false);
    m_sndMorph.Play(false);
}

void CPlayBlock::FinishLifterReturn()
{
    m_bMorphing = false;
    ChangeType(m_iType % kColourCount);
}

void CPlayBlock::UpdateColourCycle(unsigned clockMs)
{
    if (!m_bColourCycle || m_iType < 0 || m_iType >= 50)
        return;
    const int colour = Wrap10(static_cast<int>(clockMs / kColourCycleMs % kColourCount) + m_iColourOffset);
    if (colour == m_iType % kColourCount)
        return;
    m_iType = m_iType / 10 * 10 + colour;
    ApplyTexture();
}

void CPlayBlock::AdvanceFade(float dt)
{
    if (m_iStateChangeTimeLeft < 0 || m_iCurState == kStateGone)
        return;
    // In double: a float rounds a saved time near the int limit up past it.
    const double left = static_cast<double>(m_iStateChangeTimeLeft) - dt;
    m_iStateChangeTimeLeft = left < 1.0 ? 0 : static_cast<int>(left);
    if (m_iStateChangeTimeLeft == 0 && m_iCurState == kStateRemoving && !m_bRunEffect)
    {
        m_iCurState = kStateGone;
        m_iStateChangeMaxTime = 0;
    }
}

void CPlayBlock::Update(float dt)
{
    if (m_iCurState == kStateGone || m_iType == kTypeNone)
        return;
    XDXMeshObject::Update(dt);
    if (m_pGameEngine)
        UpdateColourCycle(m_pGameEngine->GetTime());
    UpdateEffects(dt);
    if (m_bMorphing && IsLifter())
    {
        m_fMorphMs += dt;
        const int frames = FrameCountOf(GetMesh());
        const XMeshAnimation& animation = GetAnimation();
        const bool played = frames > 0 ? !animation.IsPlaying() && animation.GetFrame(frames) == 0
                                       : m_fMorphMs >= kHeadlessMorphMs;
        if (played)
            FinishLifterReturn();
    }
    AdvanceFade(dt);
}

void CPlayBlock::Draw()
{
    if (m_iCurState == kStateGone || m_iType == kTypeNone || !m_pGameEngine)
        return;
    Device* device = m_pGameEngine->GetDevice();
    XBasicMesh* mesh = GetMesh();
    if (device && mesh && (m_iStateChangeMaxTime <= 0 || m_iStateChangeTimeLeft != 0))
    {
        device->SetTransform(kWorld, GetWorldMatrix());
        const int frame = CurrentFrame();
        if (m_iCurState == kStateRemoving && m_iStateChangeMaxTime > 0)
        {
            Material fade;
            fade.diffuse.a = static_cast<float>(m_iStateChangeTimeLeft) / static_cast<float>(m_iStateChangeMaxTime);
            fade.ambient = fade.diffuse;
            mesh->SetMaterialOverride(&fade, 0);
            device->SetRenderState(kAlphaBlendEnable, 1);
            device->SetRenderState(kSrcBlend, kBlendSrcAlpha);
            device->SetRenderState(kDestBlend, kBlendInvSrcAlpha);
            // Back faces first, then front faces, so the fading cube shows its far side through itself.
            device->SetRenderState(kCullMode, kCullCW);
            mesh->DrawFrame(frame, GetTexture());
            device->SetRenderState(kCullMode, kCullCCW);
            mesh->DrawFrame(frame, GetTexture());
            device->SetRenderState(kAlphaBlendEnable, 0);
            mesh->SetMaterialOverride(nullptr, 0);
        }
        else
            mesh->DrawFrame(frame, GetTexture());
    }
    DrawEffects();
}

void CPlayBlock::WriteXml(XString& out, int index) const
{
    OpenObject(out, "PlayBlock", index);
    AppendInt(out, 2, "BlockType", m_iType);
    AppendBool(out, 2, "ColorCycle", m_bColourCycle);
    AppendInt(out, 2, "ColorOffset", m_iColourOffset);
    AppendInt(out, 2, "StateChangeMaxTime", m_iStateChangeMaxTime);
    AppendInt(out, 2, "StateChangeTimeLeft", m_iStateChangeTimeLeft);
    AppendInt(out, 2, "CurState", m_iCurState);
    AppendBool(out, 2, "Used", m_bUsed);
    AppendBool(out, 2, "RunEffect", m_bRunEffect);
    AppendPlacement(out, *this);
    CloseObject(out, "PlayBlock", index);
}

void CPlayBlock::ReadXml(XGameEngine* engine, const XString& document, int index)
{
    const Fields fields(document, "PlayBlock", index);
    Init(engine, ReadInt(fields, "BlockType"), ReadBool(fields, "ColorCycle"));
    // A damaged offset or state would index past the colour tables or leave a cube in limbo.
    m_iColourOffset = Wrap10(ReadInt(fields, "ColorOffset"));
    m_iStateChangeMaxTime = ReadInt(fields, "StateChangeMaxTime");
    m_iStateChangeTimeLeft = ReadInt(fields, "StateChangeTimeLeft");
    const int state = ReadInt(fields, "CurState");
    m_iCurState = state >= kStateOnBoard && state <= kStateGone ? state : kStateOnBoard;
    m_bUsed = ReadBool(fields, "Used");
    m_bRunEffect = ReadBool(fields, "RunEffect");
    ReadPlacement(fields, *this);
}

void CPlayBlock::PlayWallSound()
{
    m_sndWall.Play(false);
}

void CPlayBlock::PlayThumpSound()
{
    m_sndThump.Play(false);
}

void CPlayBlock::PlaySlideSound()
{
    m_sndSlide.Play(false);
}

void CPlayBlock::PlayCrashSound()
{
    m_sndCrash.Play(false);
}
