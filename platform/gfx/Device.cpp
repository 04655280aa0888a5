// The Direct3D-style device on OpenGL's fixed-function pipeline.
#include "platform/gfx/Device.h"

#include "platform/gfx/GlContext.h"
#include "platform/gfx/Texture.h"
#include "platform/gfx/VertexBuffer.h"
#include "platform/window/Window.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>

namespace plk::gfx
{
namespace
{

// A context is current on the thread that made it so, and on no other: a thread without one
// sees neither a generation nor a device, so its textures and meshes never reach OpenGL or the
// sprite queue of the drawing thread.
thread_local uint64_t g_currentGeneration = 0;
thread_local Device* g_currentDevice = nullptr;
std::atomic<uint64_t> g_lastGeneration{0};

// Direct3D clips depth to 0..1, OpenGL to -1..1: this matrix after the projection makes
// clip z' = 2z - w, so the same projection matrices serve both.
// Direct3D's default largest point sprite, in pixels.
const float kDefaultPointSizeMax = 64.0f;

Matrix DepthRangeFix()
{
    Matrix fix = MatrixIdentity();
    fix.m[2][2] = 2.0f;
    fix.m[3][2] = -1.0f;
    return fix;
}

GLenum GlCompare(uint32_t func)
{
    switch (func)
    {
    case kCmpNever: return GL_NEVER;
    case kCmpLess: return GL_LESS;
    case kCmpEqual: return GL_EQUAL;
    case kCmpLessEqual: return GL_LEQUAL;
    case kCmpGreater: return GL_GREATER;
    case kCmpNotEqual: return GL_NOTEQUAL;
    case kCmpGreaterEqual: return GL_GEQUAL;
    default: return GL_ALWAYS;
    }
}

GLenum GlBlend(uint32_t blend)
{
    switch (blend)
    {
    case kBlendZero: return GL_ZERO;
    case kBlendSrcColor: return GL_SRC_COLOR;
    case kBlendInvSrcColor: return GL_ONE_MINUS_SRC_COLOR;
    case kBlendSrcAlpha: return GL_SRC_ALPHA;
    case kBlendInvSrcAlpha: return GL_ONE_MINUS_SRC_ALPHA;
    case kBlendDestAlpha: return GL_DST_ALPHA;
    case kBlendInvDestAlpha: return GL_ONE_MINUS_DST_ALPHA;
    case kBlendDestColor: return GL_DST_COLOR;
    case kBlendInvDestColor: return GL_ONE_MINUS_DST_COLOR;
    default: return GL_ONE;
    }
}

GLenum GlTextureArg(uint32_t arg)
{
    switch (arg)
    {
    case kTaDiffuse: return GL_PRIMARY_COLOR;
    case kTaTexture: return GL_TEXTURE;
    default: return GL_PREVIOUS;
    }
}

GLenum GlPrimitive(PrimitiveType type)
{
    switch (type)
    {
    case kPointList: return GL_POINTS;
    case kLineList: return GL_LINES;
    case kLineStrip: return GL_LINE_STRIP;
    case kTriangleStrip: return GL_TRIANGLE_STRIP;
    case kTriangleFan: return GL_TRIANGLE_FAN;
    default: return GL_TRIANGLES;
    }
}

int VertexCount(PrimitiveType type, int primitives)
{
    switch (type)
    {
    case kPointList: return primitives;
    case kLineList: return primitives * 2;
    case kLineStrip: return primitives + 1;
    case kTriangleList: return primitives * 3;
    default: return primitives + 2;
    }
}

void SetEnabled(GLenum capability, bool enabled)
{
    if (enabled)
        glEnable(capability);
    else
        glDisable(capability);
}

} // namespace

uint64_t CurrentContextGeneration()
{
    return g_currentGeneration;
}

void SetCurrentContextGeneration(uint64_t generation)
{
    g_currentGeneration = generation;
}

uint64_t NextContextGeneration()
{
    return ++g_lastGeneration;
}

Device* Device::Current()
{
    return g_currentDevice;
}

Device::Device() = default;

Device::~Device()
{
    Release();
}

int Device::Create(Window& window, bool depthBuffer)
{
    Release();
    m_error.clear();
    SDL_Window* sdlWindow = static_cast<SDL_Window*>(window.NativeHandle());
    if (!sdlWindow)
        return Fail(kErrInvalidCall, "the window is not open");
    m_context = SDL_GL_CreateContext(sdlWindow);
    if (!m_context)
        return Fail(kErrNoContext, std::string("SDL_GL_CreateContext failed: ") + SDL_GetError());
    if (SDL_GL_MakeCurrent(sdlWindow, m_context) < 0)
    {
        const std::string reason = std::string("SDL_GL_MakeCurrent failed: ") + SDL_GetError();
        Release();
        return Fail(kErrNoContext, reason);
    }
    int depthBits = 0;
    SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &depthBits);
    if (depthBuffer && depthBits == 0)
    {
        Release();
        return Fail(kErrNotAvailable, "the window has no depth buffer");
    }
    // Adaptive vsync waits for the retrace unless the frame is already late, which keeps a slow
    // frame from halving the rate; plain vsync where the driver lacks it; else the caller paces.
    if (SDL_GL_SetSwapInterval(-1) == 0)
        m_vsync = VSync::kAdaptive;
    else if (SDL_GL_SetSwapInterval(1) == 0)
        m_vsync = VSync::kOn;
    else
        m_vsync = VSync::kOff;
    m_window = &window;
    m_depthBuffer = depthBuffer;
    m_generation = NextContextGeneration();
    SetCurrentContextGeneration(m_generation);
    g_currentDevice = this;
    window.GetClientSize(m_backWidth, m_backHeight);
    ResetStates();
    return kOk;
}

void Device::Resize()
{
    if (!m_context || !m_window)
        return;
    FlushSprites();
    const int oldWidth = m_backWidth, oldHeight = m_backHeight;
    m_window->GetClientSize(m_backWidth, m_backHeight);
    if (m_backWidth <= 0 || m_backHeight <= 0)
    {
        // A minimised window may report no area; keep drawing into the last real one.
        m_backWidth = oldWidth;
        m_backHeight = oldHeight;
        return;
    }
    Viewport& v = m_state.viewport;
    if (v.x == 0 && v.y == 0 && v.width == oldWidth && v.height == oldHeight)
    {
        v.width = m_backWidth;
        v.height = m_backHeight;
    }
    Rect& r = m_state.scissor;
    if (r.left == 0 && r.top == 0 && r.right == oldWidth && r.bottom == oldHeight)
    {
        r.right = m_backWidth;
        r.bottom = m_backHeight;
    }
    ApplyViewport();
    ApplyScissor();
    // The screen-space matrix and the viewport are rebuilt at the next draw.
    m_screenSpace = false;
    m_matricesDirty = true;
}

void Device::SetScreenPlacement(float scale, float offsetX, float offsetY)
{
    if (scale == m_placementScale && offsetX == m_placementX && offsetY == m_placementY)
        return;
    FlushSprites();
    m_placementScale = scale;
    m_placementX = offsetX;
    m_placementY = offsetY;
    if (m_screenSpace)
    {
        m_screenSpace = false;
        m_matricesDirty = true;
    }
}

void Device::Release()
{
    ReleasePointProgram();
    m_layer.Release();
    m_layerKey = m_lastKey = 0;
    m_drawnSinceClear = true;
    m_spriteRuns.clear();
    m_spriteVertices.clear();
    if (g_currentDevice == this)
        g_currentDevice = nullptr;
    if (m_context)
    {
        if (CurrentContextGeneration() == m_generation)
            SetCurrentContextGeneration(0);
        SDL_GL_DeleteContext(static_cast<SDL_GLContext>(m_context));
    }
    m_context = nullptr;
    m_window = nullptr;
    m_inScene = false;
    m_stream = nullptr;
}

void Device::ResetStates()
{
    StateBlock& s = m_state;
    m_lighting = LightingRecord{};
    s.transforms.fill(MatrixIdentity());
    s.renderStates[kZEnable] = m_depthBuffer ? 1 : 0;
    s.renderStates[kZWriteEnable] = 1;
    s.renderStates[kZFunc] = kCmpLessEqual;
    s.renderStates[kLighting] = 1;
    s.renderStates[kCullMode] = kCullCCW;
    s.renderStates[kAlphaBlendEnable] = 0;
    s.renderStates[kSrcBlend] = kBlendOne;
    s.renderStates[kDestBlend] = kBlendZero;
    s.renderStates[kAlphaTestEnable] = 0;
    s.renderStates[kAlphaRef] = 0;
    s.renderStates[kAlphaFunc] = kCmpAlways;
    s.renderStates[kFogEnable] = 0;
    s.renderStates[kFogColor] = 0;
    s.renderStates[kFogVertexMode] = kFogNone;
    s.renderStates[kFogTableMode] = kFogNone;
    s.renderStates[kFogStart] = FloatBits(0.0f);
    s.renderStates[kFogEnd] = FloatBits(1.0f);
    s.renderStates[kFogDensity] = FloatBits(1.0f);
    s.renderStates[kRangeFogEnable] = 0;
    s.renderStates[kAmbient] = 0;
    s.renderStates[kSpecularEnable] = 0;
    s.renderStates[kNormalizeNormals] = 0;
    s.renderStates[kPointSpriteEnable] = 0;
    s.renderStates[kPointScaleEnable] = 0;
    s.renderStates[kPointSize] = FloatBits(1.0f);
    s.renderStates[kPointSizeMin] = FloatBits(1.0f);
    s.renderStates[kPointSizeMax] = FloatBits(kDefaultPointSizeMax);
    s.renderStates[kPointScaleA] = FloatBits(1.0f);
    s.renderStates[kPointScaleB] = FloatBits(0.0f);
    s.renderStates[kPointScaleC] = FloatBits(0.0f);
    s.renderStates[kScissorTestEnable] = 0;
    for (int stage = 0; stage < kMaxTextureStages; ++stage)
    {
        auto& st = s.stageStates[stage];
        st[kColorOp] = stage == 0 ? kTopModulate : kTopDisable;
        st[kColorArg1] = kTaTexture;
        st[kColorArg2] = kTaCurrent;
        st[kAlphaOp] = stage == 0 ? kTopSelectArg1 : kTopDisable;
        st[kAlphaArg1] = kTaTexture;
        st[kAlphaArg2] = kTaCurrent;
        st[kMinFilter] = kFilterPoint;
        st[kMagFilter] = kFilterPoint;
        st[kMipFilter] = kFilterNone;
        st[kAddressU] = kAddressWrap;
        st[kAddressV] = kAddressWrap;
    }
    s.textures.fill(nullptr);
    s.viewport = Viewport{0, 0, m_backWidth, m_backHeight, 0.0f, 1.0f};
    s.scissor = Rect{0, 0, m_backWidth, m_backHeight};
    s.fvf = 0;

    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_TRUE);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    for (int i = 0; i < kRenderStateCount; ++i)
        ApplyRenderState(static_cast<RenderState>(i));
    for (int stage = 0; stage < kMaxTextureStages; ++stage)
        ApplyStage(stage);
    ApplyViewport();
    ApplyScissor();
    m_screenSpace = false;
    m_matricesDirty = true;
}

int Device::SetTransform(TransformState state, const Matrix& matrix)
{
    if (state < 0 || state >= kTransformStateCount)
        return Fail(kErrInvalidCall, "SetTransform: no such transform");
    m_state.transforms[state] = matrix;
    m_matricesDirty = true;
    return kOk;
}

const Matrix& Device::GetTransform(TransformState state) const
{
    return m_state.transforms[state < 0 || state >= kTransformStateCount ? kWorld : state];
}

int Device::SetRenderState(RenderState state, uint32_t value)
{
    if (state < 0 || state >= kRenderStateCount)
        return Fail(kErrInvalidCall, "SetRenderState: no such state");
    if (m_state.renderStates[state] == value)
        return kOk;
    // Sprites queued under the old scissor setting must land under it.
    if (state == kScissorTestEnable)
        FlushSprites();
    m_state.renderStates[state] = value;
    if (m_context)
        ApplyRenderState(state);
    return kOk;
}

uint32_t Device::GetRenderState(RenderState state) const
{
    if (state < 0 || state >= kRenderStateCount)
        return 0;
    return m_state.renderStates[state];
}

int Device::SetTextureStageState(int stage, TextureStageState state, uint32_t value)
{
    if (stage < 0 || stage >= kMaxTextureStages || state < 0 || state >= kTextureStageStateCount)
        return Fail(kErrInvalidCall, "SetTextureStageState: no such stage or state");
    if (m_state.stageStates[stage][state] == value)
        return kOk;
    m_state.stageStates[stage][state] = value;
    if (m_context)
        ApplyStage(stage);
    return kOk;
}

uint32_t Device::GetTextureStageState(int stage, TextureStageState state) const
{
    if (stage < 0 || stage >= kMaxTextureStages || state < 0 || state >= kTextureStageStateCount)
        return 0;
    return m_state.stageStates[stage][state];
}

int Device::SetTexture(int stage, Texture* texture)
{
    if (stage < 0 || stage >= kMaxTextureStages)
        return Fail(kErrInvalidCall, "SetTexture: no such stage");
    m_state.textures[stage] = texture;
    return kOk;
}

int Device::SetViewport(const Viewport& viewport)
{
    if (viewport.width <= 0 || viewport.height <= 0 || viewport.x < 0 || viewport.y < 0 ||
        viewport.minZ < 0.0f || viewport.maxZ > 1.0f || viewport.minZ > viewport.maxZ)
        return Fail(kErrInvalidCall, "SetViewport: the viewport is empty or out of range");
    m_state.viewport = viewport;
    if (m_context && !m_screenSpace)
        ApplyViewport();
    return kOk;
}

int Device::SetScissorRect(const Rect& rect)
{
    if (rect.right < rect.left || rect.bottom < rect.top)
        return Fail(kErrInvalidCall, "SetScissorRect: the rectangle is turned inside out");
    FlushSprites();
    m_state.scissor = rect;
    if (m_context)
        ApplyScissor();
    return kOk;
}

void Device::ApplyState(const StateBlock& block)
{
    for (int i = 0; i < kTransformStateCount; ++i)
        SetTransform(static_cast<TransformState>(i), block.transforms[i]);
    for (int i = 0; i < kRenderStateCount; ++i)
        SetRenderState(static_cast<RenderState>(i), block.renderStates[i]);
    for (int stage = 0; stage < kMaxTextureStages; ++stage)
    {
        for (int i = 0; i < kTextureStageStateCount; ++i)
            SetTextureStageState(stage, static_cast<TextureStageState>(i), block.stageStates[stage][i]);
        m_state.textures[stage] = block.textures[stage];
    }
    SetViewport(block.viewport);
    SetScissorRect(block.scissor);
    m_state.fvf = block.fvf;
}

void Device::ApplyRenderState(RenderState state)
{
    const uint32_t v = m_state.renderStates[state];
    switch (state)
    {
    case kZEnable:
        SetEnabled(GL_DEPTH_TEST, v != 0 && m_depthBuffer);
        break;
    case kZWriteEnable:
        glDepthMask(v ? GL_TRUE : GL_FALSE);
        break;
    case kZFunc:
        glDepthFunc(GlCompare(v));
        break;
    case kCullMode:
        // Direct3D culls counter-clockwise triangles by default: OpenGL's back faces once
        // clockwise ones are declared the front.
        SetEnabled(GL_CULL_FACE, v != kCullNone);
        glFrontFace((v == kCullCW) != m_layerRows ? GL_CCW : GL_CW);
        glCullFace(GL_BACK);
        break;
    case kAlphaBlendEnable:
        SetEnabled(GL_BLEND, v != 0);
        break;
    case kSrcBlend:
    case kDestBlend:
        glBlendFunc(GlBlend(m_state.renderStates[kSrcBlend]), GlBlend(m_state.renderStates[kDestBlend]));
        break;
    case kAlphaTestEnable:
        SetEnabled(GL_ALPHA_TEST, v != 0);
        break;
    case kAlphaRef:
    case kAlphaFunc:
        glAlphaFunc(GlCompare(m_state.renderStates[kAlphaFunc]),
                    static_cast<float>(m_state.renderStates[kAlphaRef] & 0xFF) / 255.0f);
        break;
    case kAmbient:
    {
        float color[4];
        ColorToFloats(v, color);
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, color);
        break;
    }
    case kSpecularEnable:
        glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, v ? GL_SEPARATE_SPECULAR_COLOR : GL_SINGLE_COLOR);
        break;
    case kNormalizeNormals:
        SetEnabled(GL_NORMALIZE, v != 0);
        break;
    case kPointSpriteEnable:
    case kPointScaleEnable:
    case kPointSize:
    case kPointSizeMin:
    case kPointSizeMax:
    case kPointScaleA:
    case kPointScaleB:
    case kPointScaleC:
        ApplyPointStates();
        break;
    case kScissorTestEnable:
        SetEnabled(GL_SCISSOR_TEST, v != 0);
        break;
    case kFogColor:
    case kFogVertexMode:
    case kFogTableMode:
    case kFogStart:
    case kFogEnd:
    case kFogDensity:
    case kRangeFogEnable:
        ApplyFog();
        break;
    default:
        // Lighting and fog enable depend on the vertex layout: PrepareDraw sets them.
        break;
    }
}

void Device::ApplyFog()
{
    const auto& rs = m_state.renderStates;
    float color[4];
    ColorToFloats(rs[kFogColor], color);
    glFogfv(GL_FOG_COLOR, color);
    const uint32_t mode = rs[kFogTableMode] != kFogNone ? rs[kFogTableMode] : rs[kFogVertexMode];
    glFogi(GL_FOG_MODE, mode == kFogLinear ? GL_LINEAR : mode == kFogExp2 ? GL_EXP2 : GL_EXP);
    glFogf(GL_FOG_START, BitsFloat(rs[kFogStart]));
    glFogf(GL_FOG_END, BitsFloat(rs[kFogEnd]));
    glFogf(GL_FOG_DENSITY, BitsFloat(rs[kFogDensity]));
    // Range fog measures the distance to the eye, plain fog the depth along the view.
    glFogi(GL_FOG_DISTANCE_MODE_NV, rs[kRangeFogEnable] ? GL_EYE_RADIAL_NV : GL_EYE_PLANE_ABSOLUTE_NV);
}

void Device::ApplyStage(int stage)
{
    const auto& st = m_state.stageStates[stage];
    glActiveTexture(GL_TEXTURE0 + stage);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    auto setCombine = [](GLenum combine, GLenum source0, GLenum source1, GLenum scale, uint32_t op, uint32_t arg1,
                         uint32_t arg2) {
        GLenum mode = GL_MODULATE;
        float factor = 1.0f;
        GLenum first = GlTextureArg(arg1);
        GLenum second = GlTextureArg(arg2);
        switch (op)
        {
        case kTopSelectArg1: mode = GL_REPLACE; break;
        case kTopSelectArg2: mode = GL_REPLACE; first = second; break;
        case kTopModulate2x: factor = 2.0f; break;
        case kTopModulate4x: factor = 4.0f; break;
        case kTopAdd: mode = GL_ADD; break;
        case kTopAddSigned: mode = GL_ADD_SIGNED; break;
        case kTopSubtract: mode = GL_SUBTRACT; break;
        default: break;
        }
        glTexEnvi(GL_TEXTURE_ENV, combine, mode);
        glTexEnvi(GL_TEXTURE_ENV, source0, first);
        glTexEnvi(GL_TEXTURE_ENV, source1, second);
        glTexEnvf(GL_TEXTURE_ENV, scale, factor);
    };
    setCombine(GL_COMBINE_RGB, GL_SRC0_RGB, GL_SRC1_RGB, GL_RGB_SCALE, st[kColorOp], st[kColorArg1], st[kColorArg2]);
    // A disabled alpha operation passes the alpha from before the stage on.
    const uint32_t alphaOp = st[kAlphaOp] == kTopDisable ? kTopSelectArg1 : st[kAlphaOp];
    const uint32_t alphaArg1 = st[kAlphaOp] == kTopDisable ? kTaCurrent : st[kAlphaArg1];
    setCombine(GL_COMBINE_ALPHA, GL_SRC0_ALPHA, GL_SRC1_ALPHA, GL_ALPHA_SCALE, alphaOp, alphaArg1, st[kAlphaArg2]);
    glActiveTexture(GL_TEXTURE0);
}

void Device::ApplyViewport()
{
    const Viewport& v = m_state.viewport;
    // Direct3D counts y from the top, OpenGL from the bottom; a layer keeps its rows top first.
    glViewport(v.x, m_layerRows ? v.y : m_backHeight - v.y - v.height, v.width, v.height);
    glDepthRange(v.minZ, v.maxZ);
}

void Device::ApplyScissor()
{
    const Rect& r = m_state.scissor;
    // Direct3D counts y from the top, OpenGL from the bottom; a layer keeps its rows top first.
    glScissor(r.left, m_layerRows ? r.top : m_backHeight - r.bottom, r.right - r.left, r.bottom - r.top);
}

int Device::Clear(uint32_t flags, uint32_t color, float z)
{
    if (!m_context)
        return Fail(kErrInvalidCall, "Clear: no device");
    if (m_noting)
    {
        NoteUnkeepable();
        return kOk;
    }
    FlushSprites();
    GLbitfield mask = 0;
    if (flags & kClearTarget)
    {
        float c[4];
        ColorToFloats(color, c);
        glClearColor(c[0], c[1], c[2], c[3]);
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if ((flags & kClearZBuffer) && m_depthBuffer)
    {
        glClearDepth(z);
        glDepthMask(GL_TRUE);
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    if (mask == 0)
        return kOk;
    // A clear fills the viewport, and of that only the scissor rectangle while its test is on.
    const Viewport& v = m_state.viewport;
    Rect area{v.x, v.y, v.x + v.width, v.y + v.height};
    const bool scissored = m_state.renderStates[kScissorTestEnable] != 0;
    if (scissored)
    {
        const Rect& r = m_state.scissor;
        area = {std::max(area.left, r.left), std::max(area.top, r.top), std::min(area.right, r.right),
                std::min(area.bottom, r.bottom)};
    }
    // A layer kept over a clear needs the clear of both, and nothing drawn over it since.
    m_drawnSinceClear = mask != (GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    m_clearArea = area;
    m_clearColor = color;
    m_clearZ = z;
    if (area.right > area.left && area.bottom > area.top)
    {
        glEnable(GL_SCISSOR_TEST);
        glScissor(area.left, m_backHeight - area.bottom, area.right - area.left, area.bottom - area.top);
        glClear(mask);
    }
    if (scissored)
        ApplyScissor();
    else
        glDisable(GL_SCISSOR_TEST);
    glDepthMask(m_state.renderStates[kZWriteEnable] ? GL_TRUE : GL_FALSE);
    return kOk;
}

int Device::BeginScene()
{
    if (!m_context || m_inScene)
        return Fail(kErrInvalidCall, "BeginScene: no device or already in a scene");
    m_inScene = true;
    return kOk;
}

int Device::EndScene()
{
    if (!m_inScene)
        return Fail(kErrInvalidCall, "EndScene without BeginScene");
    FlushSprites();
    m_inScene = false;
    const GLenum error = glGetError();
    if (error != GL_NO_ERROR)
        return Fail(kErrInvalidCall, "OpenGL error " + std::to_string(error) + " while drawing the scene");
    return kOk;
}

int Device::Present()
{
    if (!m_context || !m_window)
        return Fail(kErrInvalidCall, "Present: no device");
    FlushSprites();
    SDL_GL_SwapWindow(static_cast<SDL_Window*>(m_window->NativeHandle()));
    m_drawnSinceClear = true;
    return kOk;
}

int Device::SetFVF(uint32_t fvf)
{
    m_state.fvf = fvf;
    return kOk;
}

int Device::SetStreamSource(const VertexBuffer* buffer, int stride)
{
    if (stride < 0)
        return Fail(kErrInvalidCall, "SetStreamSource: negative stride");
    m_stream = buffer;
    m_streamStride = stride;
    return kOk;
}

void Device::PrepareDraw(uint32_t fvf)
{
    const bool screenSpace = (fvf & kFvfXyzRhw) != 0;
    if (screenSpace != m_screenSpace || m_matricesDirty)
    {
        if (screenSpace)
        {
            // Pre-transformed vertices are back-buffer pixels, y down, with depth 0..1 as given.
            Matrix screen = MatrixIdentity();
            screen.m[0][0] = 2.0f * m_placementScale / m_backWidth;
            screen.m[1][1] = -2.0f * m_placementScale / m_backHeight;
            screen.m[2][2] = 2.0f;
            screen.m[3][0] = 2.0f * m_placementX / m_backWidth - 1.0f;
            screen.m[3][1] = 1.0f - 2.0f * m_placementY / m_backHeight;
            screen.m[3][2] = -1.0f;
            if (m_layerRows)
                screen = screen * MatrixScaling(1.0f, -1.0f, 1.0f);
            glMatrixMode(GL_PROJECTION);
            glLoadMatrixf(screen.Data());
            glMatrixMode(GL_MODELVIEW);
            glLoadIdentity();
            glViewport(0, 0, m_backWidth, m_backHeight);
            glDepthRange(0.0, 1.0);
        }
        else
        {
            Matrix projection = m_state.transforms[kProjection] * DepthRangeFix();
            if (m_layerRows)
                projection = projection * MatrixScaling(1.0f, -1.0f, 1.0f);
            const Matrix modelView = m_state.transforms[kWorld] * m_state.transforms[kView];
            glMatrixMode(GL_PROJECTION);
            glLoadMatrixf(projection.Data());
            glMatrixMode(GL_MODELVIEW);
            glLoadMatrixf(modelView.Data());
            if (m_screenSpace)
                ApplyViewport();
            m_matricesDirty = false;
        }
        m_screenSpace = screenSpace;
    }
    UsePointProgram((fvf & kFvfPSize) != 0 && !screenSpace);
    const auto& rs = m_state.renderStates;
    SetEnabled(GL_LIGHTING, rs[kLighting] != 0 && !screenSpace);
    const bool fogMode = rs[kFogVertexMode] != kFogNone || rs[kFogTableMode] != kFogNone;
    SetEnabled(GL_FOG, rs[kFogEnable] != 0 && fogMode && !screenSpace);
    // Stages draw in order until the first disabled one, as in Direct3D.
    bool enabled = true;
    for (int stage = 0; stage < kMaxTextureStages; ++stage)
    {
        enabled = enabled && m_state.stageStates[stage][kColorOp] != kTopDisable;
        Texture* texture = enabled ? m_state.textures[stage] : nullptr;
        glActiveTexture(GL_TEXTURE0 + stage);
        if (texture && texture->Bind() != 0)
        {
            const auto& st = m_state.stageStates[stage];
            if (st[kMipFilter] != kFilterNone)
                texture->MakeMipmaps();
            const bool linearMin = st[kMinFilter] == kFilterLinear;
            GLenum minFilter = linearMin ? GL_LINEAR : GL_NEAREST;
            if (st[kMipFilter] == kFilterPoint)
                minFilter = linearMin ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
            else if (st[kMipFilter] == kFilterLinear)
                minFilter = linearMin ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER,
                            st[kMagFilter] == kFilterLinear ? GL_LINEAR : GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S,
                            st[kAddressU] == kAddressClamp ? GL_CLAMP_TO_EDGE : GL_REPEAT);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T,
                            st[kAddressV] == kAddressClamp ? GL_CLAMP_TO_EDGE : GL_REPEAT);
            glEnable(GL_TEXTURE_2D);
        }
        else
        {
            glDisable(GL_TEXTURE_2D);
        }
    }
    glActiveTexture(GL_TEXTURE0);
}

void Device::BindVertexArrays(const uint8_t* data, uint32_t fvf, int stride)
{
    // With a buffer object bound, data is null and the pointers are offsets into the buffer.
    const auto at = [data](int offset) {
        return reinterpret_cast<const void*>(reinterpret_cast<uintptr_t>(data) + static_cast<uintptr_t>(offset));
    };
    // The reciprocal w of pre-transformed vertices is skipped: 2D quads need no perspective.
    glVertexPointer(3, GL_FLOAT, stride, at(0));
    glEnableClientState(GL_VERTEX_ARRAY);
    int offset = (fvf & kFvfXyzRhw) ? 16 : 12;
    if (fvf & kFvfNormal)
    {
        glNormalPointer(GL_FLOAT, stride, at(offset));
        glEnableClientState(GL_NORMAL_ARRAY);
        offset += 12;
    }
    else
    {
        glDisableClientState(GL_NORMAL_ARRAY);
        glNormal3f(0.0f, 0.0f, -1.0f);
    }
    if (m_pointSizeAttribute >= 0)
    {
        if ((fvf & kFvfPSize) && m_pointProgramActive)
        {
            glVertexAttribPointer(m_pointSizeAttribute, 1, GL_FLOAT, GL_FALSE, stride, at(offset));
            glEnableVertexAttribArray(m_pointSizeAttribute);
        }
        else
        {
            glDisableVertexAttribArray(m_pointSizeAttribute);
        }
    }
    if (fvf & kFvfPSize)
        offset += 4;
    if (fvf & kFvfDiffuse)
    {
        // ARGB in a little-endian word is the byte order B, G, R, A.
        glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, stride, at(offset));
        glEnableClientState(GL_COLOR_ARRAY);
        offset += 4;
    }
    else
    {
        glDisableClientState(GL_COLOR_ARRAY);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    }
    if (fvf & kFvfSpecular)
        offset += 4;
    glClientActiveTexture(GL_TEXTURE0);
    if (fvf & kFvfTex1)
    {
        glTexCoordPointer(2, GL_FLOAT, stride, at(offset));
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    else
    {
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
}

int Device::DrawPrimitive(PrimitiveType type, int startVertex, int primitiveCount)
{
    if (!m_context || !m_stream || m_streamStride <= 0 || !m_stream->Data())
        return Fail(kErrInvalidCall, "DrawPrimitive: no device, no stream or a locked stream");
    const int vertices = VertexCount(type, primitiveCount);
    const size_t end = static_cast<size_t>(startVertex + vertices) * m_streamStride;
    if (startVertex < 0 || primitiveCount <= 0 || end > m_stream->Length())
        return Fail(kErrInvalidCall, "DrawPrimitive: the vertices lie outside the stream");
    if (m_noting)
    {
        NoteDraw(type, m_state.fvf, m_streamStride, m_stream->Serial(), startVertex, primitiveCount, nullptr, 0);
        return kOk;
    }
    FlushSprites();
    m_drawnSinceClear = true;
    PrepareDraw(m_state.fvf);
    BindVertexArrays(m_stream->Data() + static_cast<size_t>(startVertex) * m_streamStride, m_state.fvf,
                     m_streamStride);
    glDrawArrays(GlPrimitive(type), 0, vertices);
    return kOk;
}

int Device::DrawPrimitiveUP(PrimitiveType type, int primitiveCount, const void* vertices, int stride)
{
    if (!m_context || !vertices || stride <= 0 || primitiveCount <= 0)
        return Fail(kErrInvalidCall, "DrawPrimitiveUP: no device or no vertices");
    if (m_noting)
    {
        NoteDraw(type, m_state.fvf, stride, 0, 0, primitiveCount, vertices,
                 static_cast<size_t>(VertexCount(type, primitiveCount)) * static_cast<size_t>(stride));
        return kOk;
    }
    FlushSprites();
    m_drawnSinceClear = true;
    PrepareDraw(m_state.fvf);
    BindVertexArrays(static_cast<const uint8_t*>(vertices), m_state.fvf, stride);
    glDrawArrays(GlPrimitive(type), 0, VertexCount(type, primitiveCount));
    return kOk;
}

int Device::DrawIndexedBuffers(PrimitiveType type, uint32_t fvf, int stride, unsigned vertexBuffer,
                               unsigned indexBuffer, uint64_t contentSerial, uint32_t startIndex, int primitiveCount)
{
    if (!m_context || vertexBuffer == 0 || indexBuffer == 0 || stride <= 0 || primitiveCount <= 0)
        return Fail(kErrInvalidCall, "DrawIndexedBuffers: no device, no buffers or nothing to draw");
    if (m_noting)
    {
        NoteDraw(type, fvf, stride, contentSerial, static_cast<int>(startIndex), primitiveCount, nullptr, 0);
        return kOk;
    }
    FlushSprites();
    m_drawnSinceClear = true;
    PrepareDraw(fvf);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    BindVertexArrays(nullptr, fvf, stride);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glDrawElements(GlPrimitive(type), VertexCount(type, primitiveCount), GL_UNSIGNED_INT,
                   reinterpret_cast<const void*>(static_cast<uintptr_t>(startIndex) * sizeof(uint32_t)));
    // Client-side arrays of the other draw calls need both bindings cleared.
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    return kOk;
}

int Device::ReadBackBuffer(std::vector<uint8_t>& pixels, int& width, int& height)
{
    width = height = 0;
    if (!m_context)
        return Fail(kErrInvalidCall, "ReadBackBuffer: no device");
    if (m_noting)
        NoteUnkeepable();
    FlushSprites();
    const size_t rowBytes = (static_cast<size_t>(m_backWidth) * 3 + 3) & ~static_cast<size_t>(3);
    // Padding bytes stay zero: OpenGL skips them.
    pixels.assign(rowBytes * m_backHeight, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, m_backWidth, m_backHeight, GL_BGR, GL_UNSIGNED_BYTE, pixels.data());
    const GLenum error = glGetError();
    if (error != GL_NO_ERROR)
        return Fail(kErrNotAvailable, "glReadPixels failed with OpenGL error " + std::to_string(error));
    width = m_backWidth;
    height = m_backHeight;
    return kOk;
}

int Device::ReadRect(const Rect& area, Image& image)
{
    if (!m_context)
        return Fail(kErrInvalidCall, "ReadRect: no device");
    if (m_noting)
        NoteUnkeepable();
    if (area.left < 0 || area.top < 0 || area.right > m_backWidth || area.bottom > m_backHeight ||
        area.left >= area.right || area.top >= area.bottom)
        return Fail(kErrInvalidCall, "ReadRect: the area is not inside the back buffer");
    FlushSprites();
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    Image read(width, height);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(area.left, m_backHeight - area.bottom, width, height, GL_RGBA, GL_UNSIGNED_BYTE,
                 read.pixels.data());
    const GLenum error = glGetError();
    if (error != GL_NO_ERROR)
        return Fail(kErrNotAvailable, "glReadPixels failed with OpenGL error " + std::to_string(error));
    // OpenGL's rows come bottom-up.
    image = Image(width, height);
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    for (int y = 0; y < height; ++y)
        std::copy_n(read.At(0, height - 1 - y), rowBytes, image.At(0, y));
    return kOk;
}

int Device::Fail(int code, const std::string& what)
{
    m_error = what;
    return code;
}

} // namespace plk::gfx
