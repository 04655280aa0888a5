// The device's fixed-function lights and material, and its point-sprite limits.
#pragma once

#include "platform/gfx/Lighting.h"

namespace plk::gfx
{

class Device;

// A light is placed with the view transform the device holds now, as Direct3D places it: set the
// view first. index 0 .. kMaxLights - 1.
int SetLight(Device& device, int index, const Light& light);
int LightEnable(Device& device, int index, bool enable);
// The material of lit triangles drawn from now on.
int SetMaterial(Device& device, const Material& material);
// Largest point sprite side in pixels the device draws.
float MaxPointSize(Device& device);

} // namespace plk::gfx
