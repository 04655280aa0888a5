// Reading the engine's screenshot files back for pixel checks.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

struct Rgb
{
    int r = 0, g = 0, b = 0;
};

// A 24-bit bottom-up BMP as the screenshot taker writes it.
struct Bitmap
{
    int width = 0;
    int height = 0;
    size_t rowBytes = 0;
    std::vector<uint8_t> file;

    // False when the file is missing or not such a bitmap.
    bool Load(const std::string& path);
    // y counts from the top, as on screen.
    Rgb At(int x, int y) const;
};

// From bottom-up rows with any padding, as the device reads the back buffer.
Rgb PixelAt(const std::vector<uint8_t>& rows, int width, int height, int x, int y);

// Colour channels of an ARGB value.
Rgb FromArgb(uint32_t argb);
// Names both colours when they differ by more than tolerance in some channel.
::testing::AssertionResult Near(const Rgb& expected, const Rgb& actual, int tolerance);
