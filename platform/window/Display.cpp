// Display-mode queries through SDL's video subsystem.
#include "platform/window/Display.h"

#include "platform/window/VideoSubsystem.h"

#include <SDL.h>

#include <cassert>
#include <utility>

namespace plk
{
namespace
{

const std::vector<DisplayMode>* g_overrideModes = nullptr;

PixelFormat FromSdlFormat(Uint32 format)
{
    switch (format)
    {
    case SDL_PIXELFORMAT_RGB24: return PixelFormat::kR8G8B8;
    case SDL_PIXELFORMAT_ARGB8888: return PixelFormat::kA8R8G8B8;
    case SDL_PIXELFORMAT_RGB888: return PixelFormat::kX8R8G8B8;
    case SDL_PIXELFORMAT_RGB565: return PixelFormat::kR5G6B5;
    case SDL_PIXELFORMAT_RGB555: return PixelFormat::kX1R5G5B5;
    case SDL_PIXELFORMAT_ARGB1555: return PixelFormat::kA1R5G5B5;
    case SDL_PIXELFORMAT_ARGB4444: return PixelFormat::kA4R4G4B4;
    case SDL_PIXELFORMAT_INDEX8: return PixelFormat::kP8;
    default: return PixelFormat::kUnknown;
    }
}

int BitsInMemory(Uint32 format)
{
    // SDL counts the colour bits (24 for X8R8G8B8, 15 for X1R5G5B5); Windows counts the storage.
    const int bytes = SDL_BYTESPERPIXEL(format);
    return bytes > 0 ? bytes * 8 : SDL_BITSPERPIXEL(format);
}

DisplayMode FromSdlMode(const SDL_DisplayMode& mode)
{
    return DisplayMode{mode.w, mode.h, mode.refresh_rate, FromSdlFormat(mode.format), BitsInMemory(mode.format)};
}

} // namespace

int GetDesktopDisplayMode(DisplayMode& out, std::string* error)
{
    VideoSubsystem video;
    if (!video.Ok())
        return video.Fail(error);
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) < 0)
        return video.Fail(error);
    out = FromSdlMode(mode);
    return 0;
}

int ListDisplayModes(std::vector<DisplayMode>& out, std::string* error)
{
    out.clear();
    if (g_overrideModes)
    {
        out = *g_overrideModes;
        return 0;
    }
    VideoSubsystem video;
    if (!video.Ok())
        return video.Fail(error);
    const int count = SDL_GetNumDisplayModes(0);
    if (count < 0)
        return video.Fail(error);
    for (int i = 0; i < count; ++i)
    {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) < 0)
            return video.Fail(error);
        // Drivers without mode switching report one empty mode.
        if (mode.w > 0 && mode.h > 0)
            out.push_back(FromSdlMode(mode));
    }
    return 0;
}

int GetUsableDesktopArea(int& width, int& height, std::string* error)
{
    width = height = 0;
    VideoSubsystem video;
    if (!video.Ok())
        return video.Fail(error);
    SDL_Rect area;
    if (SDL_GetDisplayUsableBounds(0, &area) < 0)
        return video.Fail(error);
    width = area.w;
    height = area.h;
    return 0;
}

bool HasDisplayMode(const std::vector<DisplayMode>& modes, int width, int height, PixelFormat format)
{
    for (const DisplayMode& mode : modes)
    {
        if (mode.width == width && mode.height == height && mode.format == format)
            return true;
    }
    return false;
}

DisplayModeOverride::DisplayModeOverride(std::vector<DisplayMode> modes) : m_modes(std::move(modes))
{
    assert(!g_overrideModes && "one DisplayModeOverride at a time");
    g_overrideModes = &m_modes;
}

DisplayModeOverride::~DisplayModeOverride()
{
    g_overrideModes = nullptr;
}

} // namespace plk
