// Display modes of the first screen: the desktop mode and the modes full screen can switch to.
#pragma once

#include <string>
#include <vector>

namespace plk
{

// Pixel layouts named as the game's video settings know them (most significant channel first).
enum class PixelFormat
{
    kUnknown,
    kR8G8B8,
    kA8R8G8B8,
    kX8R8G8B8,
    kR5G6B5,
    kX1R5G5B5,
    kA1R5G5B5,
    kA4R4G4B4,
    kA8P8,
    kP8,
};

struct DisplayMode
{
    int width = 0;
    int height = 0;
    int refreshRate = 0; // Hz, 0 = unspecified
    PixelFormat format = PixelFormat::kUnknown;
};

// Each returns 0 on success; on failure a negative code and, when error is given, the reason.
int GetDesktopDisplayMode(DisplayMode& out, std::string* error = nullptr);
// Every mode the first display offers full screen, largest first; may be empty.
int ListDisplayModes(std::vector<DisplayMode>& out, std::string* error = nullptr);
// True when modes hold width x height in format (any refresh rate).
bool HasDisplayMode(const std::vector<DisplayMode>& modes, int width, int height, PixelFormat format);

} // namespace plk
