// The kept layer: a still part of the scene drawn once and copied in later frames. Its key is a
// hash of every draw it would make, with all that decides the draw's pixels, so a change of
// anything drawn (a camera turn, a light, a moved wall, a new texture) draws it anew.
#include "platform/gfx/Device.h"

#include "platform/gfx/Texture.h"

#include <algorithm>
#include <cstring>

namespace plk::gfx
{

namespace
{

class KeyHash
{
public:
    explicit KeyHash(uint64_t seed) : m_value(seed ^ 0x9E3779B97F4A7C15ull) {}

    void Add(const void* data, size_t size)
    {
        const auto* bytes = static_cast<const uint8_t*>(data);
        for (; size >= sizeof(uint64_t); size -= sizeof(uint64_t), bytes += sizeof(uint64_t))
        {
            uint64_t word;
            std::memcpy(&word, bytes, sizeof word);
            Mix(word);
        }
        uint64_t tail = 0;
        std::memcpy(&tail, bytes, size);
        Mix(tail ^ (static_cast<uint64_t>(size) << 56));
    }
    template <typename T>
    void Add(const T& value)
    {
        Add(&value, sizeof value);
    }
    uint64_t Value() const { return m_value; }

private:
    void Mix(uint64_t word)
    {
        m_value = (m_value ^ word) * 0xFF51AFD7ED558CCDull;
        m_value ^= m_value >> 29;
    }

    uint64_t m_value;
};

Rect Intersect(const Rect& a, const Rect& b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

bool IsEmpty(const Rect& r)
{
    return r.right <= r.left || r.bottom <= r.top;
}

bool Contains(const Rect& outer, const Rect& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

} // namespace

void Device::NoteDraw(int kind, uint32_t fvf, int stride, uint64_t content, int first, int count, const void* bytes,
                      size_t size)
{
    // Point sprites are laid out in the window's rows: in the layer's they would come out mirrored.
    if (kind == kPointList)
        NoteUnkeepable();
    KeyHash hash(m_note.key);
    const int args[] = {kind, stride, first, count};
    hash.Add(args);
    hash.Add(fvf);
    hash.Add(content);
    if (bytes)
        hash.Add(bytes, size);
    hash.Add(m_state.transforms);
    hash.Add(m_state.renderStates);
    for (int stage = 0; stage < kMaxTextureStages; ++stage)
    {
        const auto& states = m_state.stageStates[static_cast<size_t>(stage)];
        hash.Add(states);
        if (states[kColorOp] == kTopDisable)
            break;
        const Texture* texture = m_state.textures[static_cast<size_t>(stage)];
        hash.Add(texture ? texture->Serial() : 0);
    }
    const Viewport& v = m_state.viewport;
    const int viewport[] = {v.x, v.y, v.width, v.height};
    hash.Add(viewport);
    const float depthAndPlacement[] = {v.minZ, v.maxZ, m_placementScale, m_placementX, m_placementY};
    hash.Add(depthAndPlacement);
    hash.Add(m_lighting.lights);
    hash.Add(m_lighting.placedBy);
    hash.Add(m_lighting.enabled);
    hash.Add(m_lighting.material);
    m_note.key = hash.Value();

    // Screen-space drawing ignores the viewport.
    Rect reach = (fvf & kFvfXyzRhw) ? Rect{0, 0, m_backWidth, m_backHeight}
                                    : Rect{v.x, v.y, v.x + v.width, v.y + v.height};
    if (m_state.renderStates[kScissorTestEnable])
        reach = Intersect(reach, m_state.scissor);
    reach = Intersect(reach, Rect{0, 0, m_backWidth, m_backHeight});
    if (IsEmpty(reach))
        return;
    if (m_note.draws++ == 0)
        m_note.area = reach;
    else
        m_note.area = {std::min(m_note.area.left, reach.left), std::min(m_note.area.top, reach.top),
                       std::max(m_note.area.right, reach.right), std::max(m_note.area.bottom, reach.bottom)};
}

void Device::SetLayerRows(bool layer)
{
    m_layerRows = layer;
    ApplyViewport();
    ApplyScissor();
    ApplyRenderState(kCullMode);
    m_matricesDirty = true;
}

void Device::DrawKeptLayer(const std::function<void()>& draw)
{
    // Sprites queued before are drawn first, where they belong: on the window.
    FlushSprites();
    if (!m_shortcuts || !m_context || !m_depthBuffer || m_layer.Failed() || m_drawnSinceClear || m_noting)
    {
        draw();
        return;
    }
    KeyHash seed(static_cast<uint64_t>(m_backWidth) << 32 | static_cast<uint32_t>(m_backHeight));
    seed.Add(m_clearColor);
    seed.Add(m_clearZ);
    m_note = LayerNote{};
    m_note.key = seed.Value();
    m_noting = true;
    draw();
    // Sprites it queued are noted as they would be drawn.
    FlushSprites();
    m_noting = false;
    const LayerNote note = m_note;
    if (!note.keepable || note.draws == 0 || !Contains(m_clearArea, note.area))
    {
        draw();
        return;
    }
    const Rect area = note.area;
    KeyHash key(note.key);
    key.Add(area);
    if (key.Value() == m_layerKey && m_layer.CopyToWindow(m_backWidth, m_backHeight, area))
    {
        m_drawnSinceClear = true;
        return;
    }
    const bool keep = key.Value() == m_lastKey;
    m_lastKey = key.Value();
    m_layerKey = 0;
    if (keep && m_layer.BeginDrawing(m_backWidth, m_backHeight, area, m_clearColor, m_clearZ))
    {
        SetLayerRows(true);
        draw();
        FlushSprites();
        SetLayerRows(false);
        if (m_layer.EndDrawing(area))
        {
            m_layerKey = key.Value();
            return;
        }
    }
    draw();
}

} // namespace plk::gfx
