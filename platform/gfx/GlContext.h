// For platform/gfx only: the OpenGL headers and the identity of the current context.
#pragma once

#define GL_GLEXT_PROTOTYPES 1
#include <SDL_opengl.h>

#include <cstdint>

namespace plk::gfx
{

// A number that changes whenever a device creates its context; 0 on a thread where none is current.
// GPU objects remember it to notice that their names belong to a context that is gone.
uint64_t CurrentContextGeneration();
void SetCurrentContextGeneration(uint64_t generation);
uint64_t NextContextGeneration();

} // namespace plk::gfx
