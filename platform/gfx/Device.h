// The drawing device: Direct3D 9's fixed-function concepts (transforms, render states, texture
// stages, viewport, clear, scenes, present) carried out by OpenGL 2.1 on the window's context.
#pragma once

#include "platform/gfx/DeviceTypes.h"
#include "platform/gfx/Lighting.h"
#include "platform/gfx/SceneLayer.h"
#include "platform/gfx/Math.h"
#include "platform/image/Image.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace plk
{
class Window;
}

namespace plk::gfx
{

class Texture;
class VertexBuffer;

class Device
{
public:
    // Everything a caller may save and restore around its own drawing.
    struct StateBlock
    {
        std::array<Matrix, kTransformStateCount> transforms;
        std::array<uint32_t, kRenderStateCount> renderStates{};
        std::array<std::array<uint32_t, kTextureStageStateCount>, kMaxTextureStages> stageStates{};
        std::array<Texture*, kMaxTextureStages> textures{};
        Viewport viewport;
        Rect scissor; // back-buffer pixels, y from the top, right and bottom exclusive
        uint32_t fvf = 0;
    };

    // One corner of a screen-space quad: back-buffer pixels, depth, 1/w, ARGB colour, texture coordinates.
    struct ScreenVertex
    {
        float x, y, z, rhw;
        uint32_t color;
        float u, v;
    };

    Device();
    ~Device();
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    enum class VSync
    {
        kOff,      // Present returns at once: the caller must pace its frames
        kOn,       // Present waits for the retrace
        kAdaptive, // Present waits for the retrace unless the frame missed it
    };

    // Creates the OpenGL context on window, with vsync where the driver offers it (adaptive
    // first), and puts every state at its default. A device created before is released.
    int Create(Window& window, bool depthBuffer);
    VSync GetVSync() const { return m_vsync; }
    // The window's drawable changed size (a resize, full screen, a scale change): the back buffer
    // follows, and a viewport that covered the whole old one covers the whole new one.
    void Resize();
    // Where pre-transformed (screen-space) drawing lands: a vertex at x, y is drawn at back-buffer
    // pixel offsetX + x * scale, offsetY + y * scale. Identity by default; sprites queued under the
    // old placement are drawn first.
    void SetScreenPlacement(float scale, float offsetX, float offsetY);
    float PlacementScale() const { return m_placementScale; }
    float PlacementX() const { return m_placementX; }
    float PlacementY() const { return m_placementY; }
    void Release();
    bool IsCreated() const { return m_context != nullptr; }
    bool HasDepthBuffer() const { return m_depthBuffer; }
    int BackBufferWidth() const { return m_backWidth; }
    int BackBufferHeight() const { return m_backHeight; }

    int SetTransform(TransformState state, const Matrix& matrix);
    const Matrix& GetTransform(TransformState state) const;
    int SetRenderState(RenderState state, uint32_t value);
    uint32_t GetRenderState(RenderState state) const;
    int SetTextureStageState(int stage, TextureStageState state, uint32_t value);
    uint32_t GetTextureStageState(int stage, TextureStageState state) const;
    // The texture is not owned; null unbinds the stage.
    int SetTexture(int stage, Texture* texture);
    int SetViewport(const Viewport& viewport);
    const Viewport& GetViewport() const { return m_state.viewport; }
    // Where drawing lands while kScissorTestEnable is on.
    int SetScissorRect(const Rect& rect);
    const Rect& GetScissorRect() const { return m_state.scissor; }

    StateBlock CaptureState() const { return m_state; }
    void ApplyState(const StateBlock& block);

    // Clears the viewport's rectangle only, whatever the depth-write state.
    int Clear(uint32_t flags, uint32_t color, float z);
    int BeginScene();
    int EndScene();
    int Present();

    int SetFVF(uint32_t fvf);
    int SetStreamSource(const VertexBuffer* buffer, int stride);
    int DrawPrimitive(PrimitiveType type, int startVertex, int primitiveCount);
    int DrawPrimitiveUP(PrimitiveType type, int primitiveCount, const void* vertices, int stride);
    // Indexed drawing from OpenGL buffer objects (a vertex and a 32-bit index buffer) of the
    // current context: primitiveCount primitives from index startIndex. contentSerial names what
    // the buffers hold (NextContentSerial), since buffer names are reused.
    int DrawIndexedBuffers(PrimitiveType type, uint32_t fvf, int stride, unsigned vertexBuffer, unsigned indexBuffer,
                           uint64_t contentSerial, uint32_t startIndex, int primitiveCount);
    // Draws what draw() draws, or copies the picture and depth it left in an earlier frame when
    // every draw it makes now (vertices, textures, transforms, lights, states) and what lay under
    // it (a clear, nothing drawn since) are those of that frame: a still scene behind moving
    // things is then drawn once. A picture is kept only after two frames alike, so while the
    // camera moves this costs only the noting of the draws. draw() may be called twice a frame,
    // and must leave the same states behind whether it drew or not. Plain drawing without the
    // shortcuts.
    void DrawKeptLayer(const std::function<void()>& draw);
    // Points with a per-vertex size (kFvfPSize) are drawn by a small vertex program: false when the
    // driver has none, and such points then take the kPointSize state.
    bool SupportsPointSizePerVertex();

    // The back buffer as a bottom-up 24-bit BMP pixel array: blue, green, red, each row padded
    // with zeros to a multiple of 4 bytes. Call after drawing and before Present.
    int ReadBackBuffer(std::vector<uint8_t>& pixels, int& width, int& height);
    // A rectangle of the back buffer (pixels, y from the top, right and bottom exclusive) as an
    // RGBA image, top row first. Call after drawing and before Present.
    int ReadRect(const Rect& area, Image& image);

    // Sprites are drawn late and in as few batches as possible, in their order, with states of
    // their own (blend by alpha when asked, no depth, no lighting, linear filtering unless each
    // texel lands on one pixel, clamped edges): any drawing, clear, read-back, scene end or present draws
    // them first. vertices = six a sprite, two triangles.
    void QueueSprites(Texture* texture, bool alphaBlend, const ScreenVertex* vertices, size_t count);
    void FlushSprites();
    // Called by a texture that goes away: sprites queued with it are drawn now.
    void ForgetTexture(const Texture* texture);
    // Ways of drawing the same pixels for less work, here and in the drawing above (nearest
    // sampling where a sprite puts one texel on each pixel, panels kept from an earlier frame,
    // opaque scenery front to back): on by default. Off draws every frame the plain way, which
    // image comparisons hold the shortcuts against.
    void SetShortcuts(bool on) { m_shortcuts = on; }
    bool Shortcuts() const { return m_shortcuts; }
    // The device whose context is current on the calling thread; null on every other thread.
    static Device* Current();
    // What the lighting functions set, so that a kept layer knows its lights: each light with the
    // view it was placed by, the enabled ones as bits, the material.
    struct LightingRecord
    {
        std::array<Light, kMaxLights> lights{};
        std::array<Matrix, kMaxLights> placedBy{};
        uint32_t enabled = 0;
        Material material;
    };
    LightingRecord& Lighting() { return m_lighting; }

    // SDL's or OpenGL's words on the last failure.
    const std::string& Error() const { return m_error; }

private:
    void ResetStates();
    void ApplyRenderState(RenderState state);
    void ApplyStage(int stage);
    void ApplyViewport();
    void ApplyScissor();
    void ApplyFog();
    void PrepareDraw(uint32_t fvf);
    void BindVertexArrays(const uint8_t* data, uint32_t fvf, int stride);
    void ApplyPointStates();
    void SetEnabledPointSprite(bool enabled);
    // Selects the point-size program for kFvfPSize layouts and fixed function otherwise.
    void UsePointProgram(bool use);
    bool BuildPointProgram();
    void ReleasePointProgram();
    int Fail(int code, const std::string& what);
    // While a kept layer's draws are noted: adds a draw to the note instead of drawing it.
    void NoteDraw(int kind, uint32_t fvf, int stride, uint64_t content, int first, int count, const void* bytes,
                  size_t size);
    void NoteUnkeepable() { m_note.keepable = false; }
    // Lays rows out top first for the kept layer, or bottom first for the window.
    void SetLayerRows(bool layer);

    static constexpr size_t kQuadVertices = 6;
    struct SpriteRun
    {
        Texture* texture;
        bool alphaBlend;
        bool exact; // one texel a pixel: sampled nearest
        size_t first;
        size_t count;
    };

    Window* m_window = nullptr;
    void* m_context = nullptr;
    uint64_t m_generation = 0;
    bool m_depthBuffer = false;
    VSync m_vsync = VSync::kOff;
    int m_backWidth = 0;
    int m_backHeight = 0;
    bool m_inScene = false;
    bool m_shortcuts = true;
    StateBlock m_state;
    const VertexBuffer* m_stream = nullptr;
    int m_streamStride = 0;
    // What OpenGL holds now, so that states switch only when they change.
    bool m_screenSpace = false;
    bool m_matricesDirty = true;
    float m_placementScale = 1.0f;
    float m_placementX = 0.0f;
    float m_placementY = 0.0f;
    unsigned m_pointProgram = 0;
    int m_pointSizeAttribute = -1;
    bool m_pointProgramFailed = false;
    bool m_pointProgramActive = false;
    std::vector<ScreenVertex> m_spriteVertices;
    std::vector<SpriteRun> m_spriteRuns;
    std::vector<ScreenVertex> m_flushVertices; // what a flush draws, apart from what it queues anew
    std::vector<SpriteRun> m_flushRuns;
    std::string m_error;
    LightingRecord m_lighting;
    // The last clear that filled colour and depth, and whether anything was drawn since.
    Rect m_clearArea;
    uint32_t m_clearColor = 0;
    float m_clearZ = 1.0f;
    bool m_drawnSinceClear = true;
    struct LayerNote
    {
        uint64_t key = 0;
        Rect area; // every pixel the draws may touch
        int draws = 0;
        bool keepable = true;
    };
    bool m_noting = false;
    LayerNote m_note;
    SceneLayer m_layer;
    uint64_t m_layerKey = 0; // what the layer holds; 0 none
    uint64_t m_lastKey = 0;  // the layer's draws of the frame before
    // Drawing goes to the layer, whose rows lie top first as the window's do in the driver's
    // memory: the layer is then copied row for row rather than drawn upside down.
    bool m_layerRows = false;
};

} // namespace plk::gfx
