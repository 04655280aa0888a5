// The program's folder through SDL, which reads it from the system.
#include "platform/window/ProgramPath.h"

#include <SDL.h>

namespace plk
{

std::string ProgramFolder()
{
    char* path = SDL_GetBasePath();
    if (!path)
        return {};
    std::string folder(path);
    SDL_free(path);
    return folder;
}

} // namespace plk
