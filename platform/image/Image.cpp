// SDL2_image behind the plain RGBA8 image type.
#include "platform/image/Image.h"

#include <SDL.h>
#include <SDL_image.h>
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <string>

namespace plk
{

namespace
{

const int kErrBadArgument = -1;
const int kErrSdl = -2;

int Fail(std::string* error, const std::string& what, int code)
{
    if (error)
        *error = what;
    return code;
}

int SdlFail(std::string* error, const std::string& what)
{
    return Fail(error, what + " failed. Msg=" + SDL_GetError(), kErrSdl);
}

// Converts whatever SDL decoded into our byte order; frees the surface.
int FromSurface(SDL_Surface* surface, Image& out, std::string* error)
{
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(surface);
    if (!rgba)
        return SdlFail(error, "SDL_ConvertSurfaceFormat");
    out.width = rgba->w;
    out.height = rgba->h;
    out.pixels.assign(static_cast<size_t>(rgba->w) * rgba->h * 4, 0);
    if (SDL_LockSurface(rgba) < 0)
    {
        SDL_FreeSurface(rgba);
        return SdlFail(error, "SDL_LockSurface");
    }
    const size_t rowBytes = static_cast<size_t>(rgba->w) * 4;
    for (int y = 0; y < rgba->h; ++y)
        std::memcpy(out.pixels.data() + y * rowBytes,
                    static_cast<const uint8_t*>(rgba->pixels) + y * rgba->pitch, rowBytes);
    SDL_UnlockSurface(rgba);
    SDL_FreeSurface(rgba);
    return 0;
}

// The surface borrows the image's pixels; it must not outlive them.
SDL_Surface* WrapImage(const Image& image)
{
    return SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(image.pixels.data()), image.width,
                                              image.height, 32, image.width * 4, SDL_PIXELFORMAT_RGBA32);
}

bool Valid(const Image& image)
{
    return !image.Empty() && image.pixels.size() == static_cast<size_t>(image.width) * image.height * 4;
}

bool EndsWithNoCase(const std::string& text, const std::string& suffix)
{
    if (text.size() < suffix.size())
        return false;
    return std::equal(suffix.begin(), suffix.end(), text.end() - suffix.size(),
                      [](char a, char b) {
                          return std::tolower(static_cast<unsigned char>(a)) ==
                                 std::tolower(static_cast<unsigned char>(b));
                      });
}

} // namespace

Image::Image(int w, int h, uint32_t rgba) : width(w), height(h), pixels(static_cast<size_t>(w) * h * 4)
{
    const uint8_t c[4] = {static_cast<uint8_t>(rgba >> 24), static_cast<uint8_t>(rgba >> 16),
                          static_cast<uint8_t>(rgba >> 8), static_cast<uint8_t>(rgba)};
    for (size_t i = 0; i < pixels.size(); i += 4)
        std::memcpy(&pixels[i], c, 4);
}

namespace
{

// Far beyond any art of the game; a damaged header that claims more would have the decoders ask for
// gigabytes (and spend seconds filling them) before they notice that the pixels are missing.
const int64_t kMaxSide = 16384;
const int64_t kMaxPixels = int64_t{1} << 24;

// Four bytes are signed, as a BMP's info header holds them; two bytes (the short header of old
// BMPs) are unsigned, as the decoder reads them, so a top bit set means a huge size.
int64_t Little(const uint8_t* p, int bytes)
{
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | p[i];
    return bytes == 2 ? int64_t{value} : int64_t{static_cast<int32_t>(value)};
}

int64_t Big(const uint8_t* p)
{
    return int64_t{p[0]} << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

// The size the header of a BMP or PNG claims, read without moving the stream; false when the header
// is cut short.
bool ClaimedSize(SDL_RWops* rw, bool png, int64_t& width, int64_t& height)
{
    uint8_t header[26] = {};
    const Sint64 start = SDL_RWtell(rw);
    const size_t got = SDL_RWread(rw, header, 1, sizeof header);
    SDL_RWseek(rw, start, RW_SEEK_SET);
    if (got < sizeof header)
        return false;
    if (png)
    {
        width = Big(header + 16);
        height = Big(header + 20);
    }
    else if (Little(header + 14, 4) == 12)
    {
        width = Little(header + 18, 2);
        height = Little(header + 20, 2);
    }
    else
    {
        width = Little(header + 18, 4);
        height = Little(header + 22, 4);
    }
    // A BMP stored top-down gives its height negative.
    height = height < 0 ? -height : height;
    return true;
}

// The game's art is BMP and PNG only. SDL_image would decode whatever the bytes claim to be
// (SVG, TGA, XCF, ...): a damaged or foreign file is refused before it reaches those decoders.
SDL_Surface* LoadBmpOrPng(SDL_RWops* rw, std::string& why)
{
    const bool png = IMG_isPNG(rw);
    if (!png && !IMG_isBMP(rw))
    {
        SDL_RWclose(rw);
        why = "not a BMP or PNG image";
        return nullptr;
    }
    int64_t width = 0, height = 0;
    if (!ClaimedSize(rw, png, width, height) || width <= 0 || height <= 0 || width > kMaxSide ||
        height > kMaxSide || width * height > kMaxPixels)
    {
        SDL_RWclose(rw);
        why = "the image header is cut short, claims no pixels or more than " + std::to_string(kMaxPixels);
        return nullptr;
    }
    SDL_Surface* surface = IMG_Load_RW(rw, 1);
    if (!surface)
        why = IMG_GetError();
    return surface;
}

} // namespace

int LoadImageFile(const std::string& path, Image& out, std::string* error)
{
    SDL_RWops* rw = SDL_RWFromFile(path.c_str(), "rb");
    if (!rw)
        return Fail(error, "IMG_Load of " + path + " failed. Msg=" + SDL_GetError(), kErrSdl);
    std::string why;
    SDL_Surface* surface = LoadBmpOrPng(rw, why);
    if (!surface)
        return Fail(error, "IMG_Load of " + path + " failed. Msg=" + why, kErrSdl);
    return FromSurface(surface, out, error);
}

int LoadImageMemory(std::span<const uint8_t> bytes, Image& out, std::string* error)
{
    if (bytes.empty())
        return Fail(error, "no image bytes", kErrBadArgument);
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (!rw)
        return SdlFail(error, "SDL_RWFromConstMem");
    std::string why;
    SDL_Surface* surface = LoadBmpOrPng(rw, why);
    if (!surface)
        return Fail(error, "IMG_Load_RW failed. Msg=" + why, kErrSdl);
    return FromSurface(surface, out, error);
}

int SavePng(const std::string& path, const Image& image, std::string* error)
{
    if (!Valid(image))
        return Fail(error, "cannot save an empty or inconsistent image to " + path, kErrBadArgument);
    SDL_Surface* surface = WrapImage(image);
    if (!surface)
        return SdlFail(error, "SDL_CreateRGBSurfaceWithFormatFrom");
    const int rc = IMG_SavePNG(surface, path.c_str());
    SDL_FreeSurface(surface);
    if (rc < 0)
        return Fail(error, "IMG_SavePNG of " + path + " failed. Msg=" + IMG_GetError(), kErrSdl);
    return 0;
}

int SaveBmp(const std::string& path, const Image& image, BmpDepth depth, std::string* error)
{
    if (!Valid(image))
        return Fail(error, "cannot save an empty or inconsistent image to " + path, kErrBadArgument);
    SDL_Surface* source = WrapImage(image);
    if (!source)
        return SdlFail(error, "SDL_CreateRGBSurfaceWithFormatFrom");
    // SDL writes a surface without an alpha mask as a classic bottom-up 24-bit file, and one with alpha as
    // 32-bit with a V4 header that keeps the mask.
    const Uint32 format = depth == BmpDepth::kRgb24 ? SDL_PIXELFORMAT_BGR24 : SDL_PIXELFORMAT_BGRA32;
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(source, format, 0);
    SDL_FreeSurface(source);
    if (!converted)
        return SdlFail(error, "SDL_ConvertSurfaceFormat");
    const int rc = SDL_SaveBMP(converted, path.c_str());
    SDL_FreeSurface(converted);
    if (rc < 0)
        return SdlFail(error, "SDL_SaveBMP of " + path);
    return 0;
}

int SaveImageFile(const std::string& path, const Image& image, std::string* error)
{
    if (EndsWithNoCase(path, ".png"))
        return SavePng(path, image, error);
    if (EndsWithNoCase(path, ".bmp"))
        return SaveBmp(path, image, BmpDepth::kRgb24, error);
    return Fail(error, "unknown image extension in " + path, kErrBadArgument);
}

} // namespace plk
