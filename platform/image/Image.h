// Plain RGBA8 pixel images and their BMP/PNG files, decoded and encoded through SDL2_image.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace plk
{

// Rows run top-down, four bytes per pixel in the order R, G, B, A.
struct Image
{
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;

    Image() = default;
    // A width x height image filled with one RGBA colour.
    Image(int w, int h, uint32_t rgba = 0);

    bool Empty() const { return width <= 0 || height <= 0; }
    // No bounds check: callers iterate inside the image.
    uint8_t* At(int x, int y) { return pixels.data() + (static_cast<size_t>(y) * width + x) * 4; }
    const uint8_t* At(int x, int y) const { return pixels.data() + (static_cast<size_t>(y) * width + x) * 4; }
};

enum class BmpDepth
{
    kRgb24,  // no alpha: a .bmp texture is transparent only through the colour key
    kRgba32, // alpha kept, for the few .bmp files that need it
};

// Each returns 0 on success; on failure a negative code and, when error is given, the reason.
int LoadImageFile(const std::string& path, Image& out, std::string* error = nullptr);
int LoadImageMemory(std::span<const uint8_t> bytes, Image& out, std::string* error = nullptr);
int SavePng(const std::string& path, const Image& image, std::string* error = nullptr);
int SaveBmp(const std::string& path, const Image& image, BmpDepth depth, std::string* error = nullptr);
// Chooses the encoder from the extension (.png or .bmp, any case); a .bmp is written 24-bit.
int SaveImageFile(const std::string& path, const Image& image, std::string* error = nullptr);

} // namespace plk
