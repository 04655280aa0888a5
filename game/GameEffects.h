// The particle effects of the world objects (smasher chips, bomb blast and fuse, teleporter sparks):
// one set-up and one unlit draw for all of them.
#pragma once

#include "engine/XParticleSystem.h"

#include <initializer_list>
#include <memory>

class XGameEngine;

namespace GameEffects
{

struct Rgba
{
    float r;
    float g;
    float b;
    float a;
};

// How an effect emits and how each of its particles looks from birth to death.
struct Look
{
    int maxParticles;
    int perEmission;
    float intervalMs;
    float lifetimeMs;
    float startSize;
    float endSize;
    float startSizeRange;
    Rgba startColor;
    Rgba endColor;
};

// A windless effect of the shared particle texture with the look applied. Without a device it
// still runs, so that the rules wait for a blast headless as they do on screen; only drawing is
// missing. Position and velocity are left for the caller.
std::unique_ptr<XParticleSystem> Make(const Look& look);

// Draws the effects additively with lighting off (sparks glow whatever the scene's light);
// null entries are skipped. Nothing happens without a device.
void DrawUnlit(XGameEngine* engine, std::initializer_list<XParticleSystem*> effects);

} // namespace GameEffects
