// Lights and materials as Direct3D 9 describes them, for the device's fixed-function lighting.
#pragma once

#include "platform/gfx/Math.h"

namespace plk::gfx
{

// Colour channels r, g, b, a in 0..1 (values above 1 brighten).
struct ColorValue
{
    float r = 0.0f, g = 0.0f, b = 0.0f, a = 0.0f;
};

struct Material
{
    ColorValue diffuse{1.0f, 1.0f, 1.0f, 1.0f};
    ColorValue ambient;
    ColorValue specular;
    ColorValue emissive;
    float power = 0.0f;
};

enum LightType
{
    kLightPoint = 1,
    kLightSpot = 2,
    kLightDirectional = 3,
};

struct Light
{
    LightType type = kLightDirectional;
    ColorValue diffuse{1.0f, 1.0f, 1.0f, 0.0f};
    ColorValue specular;
    ColorValue ambient;
    Vector3 position;            // world space; point and spot lights
    Vector3 direction{0, 0, 1};  // world space, the way the light travels; spot and directional lights
    float range = 1000.0f;       // point and spot lights reach no further
    float falloff = 1.0f;
    float attenuation0 = 1.0f;   // constant, linear and quadratic distance attenuation
    float attenuation1 = 0.0f;
    float attenuation2 = 0.0f;
    float theta = 0.0f;          // spot: inner and outer cone angles, radians
    float phi = 0.0f;
};

const int kMaxLights = 8;

} // namespace plk::gfx
