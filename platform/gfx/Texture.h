// A texture: decoded pixels uploaded to OpenGL on first use on the drawing thread. A texture read
// from a file holds no pixels of its own: it is decoded once to check it and learn its size, and
// again whenever a context needs it, so that the many textures loaded but never drawn, and those
// the driver already holds, cost no memory. One made from pixels in memory keeps them, having
// nowhere to read them from, unless its owner can make it again.
#pragma once

#include "platform/image/Image.h"

#include <cstdint>
#include <string>

namespace plk::gfx
{

class Texture
{
public:
    Texture() = default;
    ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    // Takes the image; texels equal to colorKey (ARGB, alpha included; 0 = no key) become
    // transparent black, so that filtering never bleeds the key colour. Safe on any thread.
    int Create(Image image, uint32_t colorKey, bool mipmaps);
    // For a picture its owner can make again, such as a cache: the pixels are let go once uploaded,
    // and a new context finds the texture empty.
    int CreateUntilLost(Image image);
    // Decodes a .bmp or .png file and creates the texture from it; error receives the reason.
    int Load(const std::string& path, uint32_t colorKey, bool mipmaps, std::string* error = nullptr);
    void Release();

    bool Empty() const { return m_width <= 0; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Levels of the full chain down to 1 x 1, or 1 without mipmaps.
    int MipLevels() const;
    // The pixels held: those of a texture made by Create; none for one read from a file, nor after
    // the upload of one made until lost.
    const Image& Pixels() const { return m_image; }
    // Changes whenever the texels do; 0 when empty.
    uint64_t Serial() const { return m_serial; }

    // The OpenGL texture name, uploading first when this context has not seen it; 0 when empty or
    // when the file can no longer be read as it was. Drawing thread only.
    unsigned Bind();
    // Makes and binds the smaller levels of a texture created with mipmaps, once per upload; a draw
    // that samples with a mip filter calls it. Drawing thread only.
    void MakeMipmaps();

private:
    void DeleteName();
    // Decodes the file again for an upload. False, and the texture empty from then on, when there
    // is no file (a picture made until lost) or it is gone or no longer the same size.
    bool ReadFileAgain();

    Image m_image;
    int m_width = 0;
    int m_height = 0;
    std::string m_path; // empty for a texture made from pixels in memory
    bool m_holdPixels = false;
    uint32_t m_colorKey = 0;
    bool m_mipmaps = false;
    bool m_mipmapsMade = false;
    unsigned m_name = 0;
    uint64_t m_generation = 0; // context the name belongs to
    uint64_t m_serial = 0;
};

} // namespace plk::gfx
