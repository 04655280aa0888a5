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
    // Bits each pixel takes in memory, as Windows counts a mode's depth: 32 for 8 bits a channel
    // with padding, 16 for 5-5-5, 8 for a palette; also known for formats the game cannot use.
    int bitsPerPixel = 0;
};

// Each returns 0 on success; on failure a negative code and, when error is given, the reason.
int GetDesktopDisplayMode(DisplayMode& out, std::string* error = nullptr);
// Every mode the first display offers full screen, in the system's order (largest first); may be
// empty. While a DisplayModeOverride lives, its list instead.
int ListDisplayModes(std::vector<DisplayMode>& out, std::string* error = nullptr);
// The part of the first display that windows may cover: the desktop less docks and panels.
int GetUsableDesktopArea(int& width, int& height, std::string* error = nullptr);
// True when modes hold width x height in format (any refresh rate).
bool HasDisplayMode(const std::vector<DisplayMode>& modes, int width, int height, PixelFormat format);

// Stands in for the system's mode list while it lives, so that a test can show a program the modes
// of a screen it does not have (Xvfb offers one). One at a time, on the main thread.
class DisplayModeOverride
{
public:
    explicit DisplayModeOverride(std::vector<DisplayMode> modes);
    ~DisplayModeOverride();
    DisplayModeOverride(const DisplayModeOverride&) = delete;
    DisplayModeOverride& operator=(const DisplayModeOverride&) = delete;

private:
    std::vector<DisplayMode> m_modes;
};

} // namespace plk
