// The device's vocabulary: transforms, render states, texture stages, vertex formats and their values,
// numbered as Direct3D 9 numbers them so that stored values keep their meaning.
#pragma once

#include <cstdint>

namespace plk::gfx
{

// Result codes: 0 success, negative failure; printed after "hr=".
const int kOk = 0;
const int kErrInvalidCall = -1;   // bad argument or call in the wrong state
const int kErrNotAvailable = -2;  // the system cannot do what was asked
const int kErrOutOfMemory = -3;
const int kErrNoContext = -4;     // no OpenGL context could be created or made current

enum TransformState
{
    kWorld,
    kView,
    kProjection,
    kTransformStateCount,
};

enum RenderState
{
    kZEnable,
    kZWriteEnable,
    kZFunc,
    kLighting,
    kCullMode,
    kAlphaBlendEnable,
    kSrcBlend,
    kDestBlend,
    kAlphaTestEnable,
    kAlphaRef, // 0..255
    kAlphaFunc,
    kFogEnable,
    kFogColor,
    kFogVertexMode,
    kFogTableMode,
    kFogStart,   // float bits
    kFogEnd,     // float bits
    kFogDensity, // float bits
    kRangeFogEnable,
    kAmbient,
    kSpecularEnable,
    kNormalizeNormals,
    kPointSpriteEnable, // points draw as squares textured corner to corner
    kPointScaleEnable,  // point size shrinks with eye distance by the scale factors A, B, C
    kPointSize,         // float bits, pixels (or world size when scaling)
    kPointSizeMin,      // float bits
    kPointSizeMax,      // float bits
    kPointScaleA,       // float bits
    kPointScaleB,       // float bits
    kPointScaleC,       // float bits
    kScissorTestEnable, // pixels outside the scissor rectangle are left as they are
    kRenderStateCount,
};

enum CullMode : uint32_t
{
    kCullNone = 1,
    kCullCW = 2,
    kCullCCW = 3,
};

enum Blend : uint32_t
{
    kBlendZero = 1,
    kBlendOne = 2,
    kBlendSrcColor = 3,
    kBlendInvSrcColor = 4,
    kBlendSrcAlpha = 5,
    kBlendInvSrcAlpha = 6,
    kBlendDestAlpha = 7,
    kBlendInvDestAlpha = 8,
    kBlendDestColor = 9,
    kBlendInvDestColor = 10,
};

enum CompareFunc : uint32_t
{
    kCmpNever = 1,
    kCmpLess = 2,
    kCmpEqual = 3,
    kCmpLessEqual = 4,
    kCmpGreater = 5,
    kCmpNotEqual = 6,
    kCmpGreaterEqual = 7,
    kCmpAlways = 8,
};

enum FogMode : uint32_t
{
    kFogNone = 0,
    kFogExp = 1,
    kFogExp2 = 2,
    kFogLinear = 3,
};

enum TextureStageState
{
    kColorOp,
    kColorArg1,
    kColorArg2,
    kAlphaOp,
    kAlphaArg1,
    kAlphaArg2,
    kMinFilter,
    kMagFilter,
    kMipFilter,
    kAddressU,
    kAddressV,
    kTextureStageStateCount,
};

enum TextureOp : uint32_t
{
    kTopDisable = 1,
    kTopSelectArg1 = 2,
    kTopSelectArg2 = 3,
    kTopModulate = 4,
    kTopModulate2x = 5,
    kTopModulate4x = 6,
    kTopAdd = 7,
    kTopAddSigned = 8,
    kTopSubtract = 10,
};

enum TextureArg : uint32_t
{
    kTaDiffuse = 0,
    kTaCurrent = 1,
    kTaTexture = 2,
};

enum TextureFilter : uint32_t
{
    kFilterNone = 0,
    kFilterPoint = 1,
    kFilterLinear = 2,
};

enum TextureAddress : uint32_t
{
    kAddressWrap = 1,
    kAddressClamp = 3,
};

const int kMaxTextureStages = 8;

// Vertex layout flags; components follow in memory in this order.
enum VertexFormat : uint32_t
{
    kFvfXyz = 0x002,
    kFvfXyzRhw = 0x004, // already in back-buffer pixels: x right, y down, z depth 0..1
    kFvfNormal = 0x010,
    kFvfPSize = 0x020,   // one float: the point's size
    kFvfDiffuse = 0x040, // 32-bit ARGB
    kFvfSpecular = 0x080,
    kFvfTex1 = 0x100,
};

enum PrimitiveType
{
    kPointList = 1,
    kLineList = 2,
    kLineStrip = 3,
    kTriangleList = 4,
    kTriangleStrip = 5,
    kTriangleFan = 6,
};

enum ClearFlags : uint32_t
{
    kClearTarget = 1,
    kClearZBuffer = 2,
};

// Origin top-left of the back buffer, in pixels; depth range 0..1.
struct Viewport
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    float minZ = 0.0f;
    float maxZ = 1.0f;
};

struct Rect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Float render-state values travel as their bits.
uint32_t FloatBits(float value);
float BitsFloat(uint32_t bits);
// An ARGB colour as red, green, blue and alpha from 0 to 1.
void ColorToFloats(uint32_t argb, float out[4]);
// Bytes per vertex of a layout.
int VertexSize(uint32_t fvf);
// A number no content (a texture's texels, a mesh's or vertex buffer's vertices) had before: a kept
// picture names what it was drawn from by these, since addresses and OpenGL names are reused.
uint64_t NextContentSerial();

} // namespace plk::gfx
