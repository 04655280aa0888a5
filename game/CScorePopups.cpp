// The floating texts over the board: slots, rising and fading, and their extruded digits.
#include "game/CScorePopups.h"

#include "engine/XBasicMesh.h"
#include "engine/XGameEngine.h"
#include "platform/gfx/Lighting.h"

#include <cstdio>
#include <cstring>

using plk::gfx::Matrix;
using plk::gfx::Vector3;

namespace
{
const char kCharacters[] = "0123456789-+";
// The digits' face, size and depth.
const char* const kFontFace = "Arial";
const int kFontSize = 16;
const float kExtrusion = 0.1f;
// The font meshes are a world unit or two tall; five times that reads well over a 10-unit cube.
const float kCharacterScale = 5.0f;
// Texts rise this fast, in units per second.
const float kRiseSpeed = 10.0f;
// Age grows twice as fast as time, so a text lives one second (age 0 to 2).
const float kAgeRate = 2.0f;
const float kMaxAge = 2.0f;
// Opaque until this age, then opacity 1 - 0.5 x age.
const float kFadeStartAge = 1.0f;
const float kFadeSlope = 0.5f;

const uint32_t kRed = 0xFFFF3030;
const uint32_t kYellow = 0xFFFFE040;
const uint32_t kWhite = 0xFFFFFFFF;
} // namespace

CScorePopups::CScorePopups() = default;
CScorePopups::~CScorePopups() = default;

void CScorePopups::Add(const Vector3& at, int value, int flag)
{
    for (Popup& popup : m_popups)
        if (!popup.active)
        {
            popup.active = true;
            popup.position = at;
            popup.value = value;
            popup.flag = flag;
            popup.age = 0.0f;
            return;
        }
}

void CScorePopups::Update(float elapsedMs)
{
    const float seconds = elapsedMs * 0.001f;
    for (Popup& popup : m_popups)
    {
        if (!popup.active)
            continue;
        popup.position.y += kRiseSpeed * seconds;
        popup.age += kAgeRate * seconds;
        if (popup.age >= kMaxAge)
            popup.active = false;
    }
}

void CScorePopups::Clear()
{
    for (Popup& popup : m_popups)
        popup.active = false;
}

int CScorePopups::ActiveCount() const
{
    int count = 0;
    for (const Popup& popup : m_popups)
        count += popup.active ? 1 : 0;
    return count;
}

float CScorePopups::Opacity(float age)
{
    if (age < kFadeStartAge)
        return 1.0f;
    float opacity = 1.0f - kFadeSlope * age;
    return opacity < 0.0f ? 0.0f : opacity;
}

uint32_t CScorePopups::Colour(const Popup& popup)
{
    if (popup.value < 0)
        return kRed;
    return popup.flag == kFlagSeconds ? kYellow : kWhite;
}

bool CScorePopups::MakeMeshes()
{
    m_bMeshesTried = true;
    for (size_t i = 0; i < m_characters.size(); ++i)
    {
        m_characters[i] = std::make_unique<XBasicMesh>();
        char text[2] = {kCharacters[i], 0};
        if (!m_characters[i]->LoadFontMesh(XString(text), XString(kFontFace), kFontSize, kExtrusion, false, false,
                                           false, false))
        {
            m_characters[i].reset();
            return false;
        }
    }
    m_bMeshesReady = true;
    return true;
}

void CScorePopups::Draw(XGameEngine* engine)
{
    plk::gfx::Device* device = engine ? engine->GetDevice() : nullptr;
    if (!device || ActiveCount() == 0)
        return;
    if (!m_bMeshesTried)
        MakeMeshes();
    if (!m_bMeshesReady)
        return;

    // Each character's advance, from its mesh's width.
    float widths[sizeof(kCharacters) - 1];
    for (size_t i = 0; i < m_characters.size(); ++i)
    {
        float minX = 0.0f, maxX = 0.0f;
        m_characters[i]->GetBoundingBox(0, &minX, nullptr, nullptr, &maxX, nullptr, nullptr);
        widths[i] = (maxX > minX ? maxX - minX : 0.5f) * kCharacterScale;
    }

    // The texts turn with the camera so that they always face the player.
    const Matrix facing = plk::gfx::MatrixRotationY(engine->m_camera.GetAngleY());
    const Matrix scaling = plk::gfx::MatrixScaling(kCharacterScale, kCharacterScale, kCharacterScale);
    const uint32_t oldBlend = device->GetRenderState(plk::gfx::kAlphaBlendEnable);
    const Matrix oldWorld = device->GetTransform(plk::gfx::kWorld);
    device->SetRenderState(plk::gfx::kAlphaBlendEnable, 1);
    device->SetRenderState(plk::gfx::kSrcBlend, plk::gfx::kBlendSrcAlpha);
    device->SetRenderState(plk::gfx::kDestBlend, plk::gfx::kBlendInvSrcAlpha);

    for (const Popup& popup : m_popups)
    {
        if (!popup.active)
            continue;
        char text[16];
        std::snprintf(text, sizeof(text), "%d", popup.value);
        const size_t length = std::strlen(text);
        int glyphs[16];
        float rowWidth = 0.0f;
        for (size_t c = 0; c < length; ++c)
        {
            glyphs[c] = static_cast<int>(std::strchr(kCharacters, text[c]) - kCharacters);
            rowWidth += widths[glyphs[c]];
        }
        uint32_t colour = Colour(popup);
        plk::gfx::Material material;
        material.diffuse = {((colour >> 16) & 0xFF) / 255.0f, ((colour >> 8) & 0xFF) / 255.0f, (colour & 0xFF) / 255.0f,
                            Opacity(popup.age)};
        material.ambient = material.diffuse;
        material.emissive = {material.diffuse.r * 0.6f, material.diffuse.g * 0.6f, material.diffuse.b * 0.6f, 0.0f};
        const Matrix place = facing * plk::gfx::MatrixTranslation(popup.position.x, popup.position.y, popup.position.z);
        float x = -rowWidth * 0.5f;
        for (size_t c = 0; c < length; ++c)
        {
            XBasicMesh& mesh = *m_characters[glyphs[c]];
            device->SetTransform(plk::gfx::kWorld, scaling * plk::gfx::MatrixTranslation(x, 0.0f, 0.0f) * place);
            mesh.SetMaterialOverride(&material, 0);
            mesh.DrawFrame(0);
            mesh.SetMaterialOverride(nullptr, 0);
            x += widths[glyphs[c]];
        }
    }
    device->SetTransform(plk::gfx::kWorld, oldWorld);
    device->SetRenderState(plk::gfx::kAlphaBlendEnable, oldBlend);
}
