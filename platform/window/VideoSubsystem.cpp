// Scoped hold on SDL's video subsystem.
#include "platform/window/VideoSubsystem.h"

#include <SDL.h>

namespace plk
{

VideoSubsystem::VideoSubsystem()
{
    m_ok = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

VideoSubsystem::~VideoSubsystem()
{
    if (m_ok)
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

int VideoSubsystem::Fail(std::string* error)
{
    if (error)
        *error = SDL_GetError();
    return kSdlFailure;
}

} // namespace plk
