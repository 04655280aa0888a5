// Textures with colour keys, uploaded lazily to the current OpenGL context.
#include "platform/gfx/Texture.h"

#include "platform/gfx/Device.h"
#include "platform/gfx/DeviceTypes.h"
#include "platform/gfx/GlContext.h"

#include <algorithm>
#include <utility>

namespace plk::gfx
{

namespace
{

// Texels equal to colorKey become transparent black, so that filtering never bleeds the key colour.
void ApplyColorKey(Image& image, uint32_t colorKey)
{
    if (colorKey == 0)
        return;
    const uint8_t key[4] = {static_cast<uint8_t>(colorKey >> 16), static_cast<uint8_t>(colorKey >> 8),
                            static_cast<uint8_t>(colorKey), static_cast<uint8_t>(colorKey >> 24)};
    for (size_t i = 0; i < image.pixels.size(); i += 4)
    {
        uint8_t* texel = &image.pixels[i];
        if (texel[0] == key[0] && texel[1] == key[1] && texel[2] == key[2] && texel[3] == key[3])
            texel[0] = texel[1] = texel[2] = texel[3] = 0;
    }
}

} // namespace

Texture::~Texture()
{
    DeleteName();
}

int Texture::Create(Image image, uint32_t colorKey, bool mipmaps)
{
    Release();
    if (image.Empty() || image.pixels.size() != static_cast<size_t>(image.width) * image.height * 4)
        return kErrInvalidCall;
    ApplyColorKey(image, colorKey);
    m_width = image.width;
    m_height = image.height;
    m_colorKey = colorKey;
    m_image = std::move(image);
    m_holdPixels = true;
    m_mipmaps = mipmaps;
    m_serial = NextContentSerial();
    return kOk;
}

int Texture::CreateUntilLost(Image image)
{
    const int created = Create(std::move(image), 0, false);
    m_holdPixels = false;
    return created;
}

int Texture::Load(const std::string& path, uint32_t colorKey, bool mipmaps, std::string* error)
{
    Image image;
    const int result = LoadImageFile(path, image, error);
    if (result != 0)
        return result < 0 ? result : kErrInvalidCall;
    const int created = Create(std::move(image), colorKey, mipmaps);
    if (created == kOk)
    {
        m_path = path;
        m_image = Image();
        m_holdPixels = false;
    }
    return created;
}

void Texture::Release()
{
    DeleteName();
    m_image = Image();
    m_width = m_height = 0;
    m_path.clear();
    m_holdPixels = false;
    m_colorKey = 0;
    m_serial = 0;
}

bool Texture::ReadFileAgain()
{
    Image image;
    if (m_path.empty() || LoadImageFile(m_path, image) != 0 || image.width != m_width || image.height != m_height)
    {
        // Empty from now on, so that drawing reports the missing texture rather than trying again
        // every frame. No name is held yet, so there is nothing to delete.
        m_width = m_height = 0;
        m_path.clear();
        m_serial = 0;
        return false;
    }
    ApplyColorKey(image, m_colorKey);
    m_image = std::move(image);
    return true;
}

int Texture::MipLevels() const
{
    if (Empty())
        return 0;
    if (!m_mipmaps)
        return 1;
    int levels = 1;
    for (int size = std::max(m_width, m_height); size > 1; size /= 2)
        ++levels;
    return levels;
}

unsigned Texture::Bind()
{
    if (Empty())
        return 0;
    const uint64_t generation = CurrentContextGeneration();
    if (generation == 0)
        return 0;
    if (m_name != 0 && m_generation == generation)
    {
        glBindTexture(GL_TEXTURE_2D, m_name);
        return m_name;
    }
    // A name from an earlier context died with it; never delete it in this one.
    m_name = 0;
    if (m_image.Empty() && !ReadFileAgain())
        return 0;
    glGenTextures(1, &m_name);
    m_generation = generation;
    glBindTexture(GL_TEXTURE_2D, m_name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // The smaller levels are made when a draw first samples them (MakeMipmaps): most textures are
    // never seen with a mip filter, and a driver that expects a chain keeps memory for all of it.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    m_mipmapsMade = false;
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, m_width, m_height, 0, GL_RGBA, GL_UNSIGNED_BYTE, m_image.pixels.data());
    // The driver keeps its own copy: holding ours too would double the texture in memory.
    if (!m_holdPixels)
        m_image = Image();
    return m_name;
}

void Texture::MakeMipmaps()
{
    if (!m_mipmaps || m_mipmapsMade || Bind() == 0)
        return;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, MipLevels() - 1);
    glGenerateMipmap(GL_TEXTURE_2D);
    m_mipmapsMade = true;
}

void Texture::DeleteName()
{
    // Sprites queued with this texture must be drawn while it still exists.
    if (Device* device = Device::Current())
        device->ForgetTexture(this);
    if (m_name != 0 && m_generation == CurrentContextGeneration())
        glDeleteTextures(1, &m_name);
    m_name = 0;
    m_generation = 0;
}

} // namespace plk::gfx
