// The kept layer on a framebuffer object, copied by framebuffer blits.
#include "platform/gfx/SceneLayer.h"

#include "platform/gfx/GlContext.h"

#include <cstdlib>
#include <cstring>

namespace plk::gfx
{

namespace
{

// How the layer holds depth: the window's format bit for bit, which a depth copy needs.
struct DepthLayout
{
    GLint internalFormat;
    GLenum format;
    GLenum type;
    GLenum attachment;
    GLbitfield copyMask; // stencil copied along, so that the rows copy whole
};

bool WindowDepthLayout(DepthLayout& layout)
{
    GLint bits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &bits);
    GLint stencil = 0;
    glGetIntegerv(GL_STENCIL_BITS, &stencil);
    if (bits == 24 && stencil == 8)
        layout = {GL_DEPTH_STENCIL, GL_DEPTH_STENCIL, GL_UNSIGNED_INT_24_8, GL_DEPTH_STENCIL_ATTACHMENT,
                  GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT};
    else if (bits == 24 && stencil == 0)
        layout = {GL_DEPTH_COMPONENT24, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, GL_DEPTH_ATTACHMENT, GL_DEPTH_BUFFER_BIT};
    else if (bits == 32 && stencil == 0)
        layout = {GL_DEPTH_COMPONENT, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, GL_DEPTH_ATTACHMENT, GL_DEPTH_BUFFER_BIT};
    else if (bits == 16 && stencil == 0)
        layout = {GL_DEPTH_COMPONENT, GL_DEPTH_COMPONENT, GL_UNSIGNED_SHORT, GL_DEPTH_ATTACHMENT, GL_DEPTH_BUFFER_BIT};
    else
        return false;
    return true;
}

// Framebuffer objects and blits: OpenGL 3.0, or an extension of older contexts.
bool HasFramebuffers()
{
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (version && std::atoi(version) >= 3)
        return true;
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return extensions && std::strstr(extensions, "GL_ARB_framebuffer_object");
}

unsigned MakeTexture(int width, int height, GLint internalFormat, GLenum format, GLenum type)
{
    unsigned name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, type, nullptr);
    glBindTexture(GL_TEXTURE_2D, 0);
    return name;
}

// Scissor state around a clear or copy of our own.
class SavedScissor
{
public:
    SavedScissor() : m_enabled(glIsEnabled(GL_SCISSOR_TEST)) { glGetIntegerv(GL_SCISSOR_BOX, m_box); }
    ~SavedScissor()
    {
        if (m_enabled)
            glEnable(GL_SCISSOR_TEST);
        else
            glDisable(GL_SCISSOR_TEST);
        glScissor(m_box[0], m_box[1], m_box[2], m_box[3]);
    }
    SavedScissor(const SavedScissor&) = delete;
    SavedScissor& operator=(const SavedScissor&) = delete;

private:
    GLboolean m_enabled;
    GLint m_box[4] = {};
};

} // namespace

SceneLayer::~SceneLayer()
{
    Release();
}

void SceneLayer::Release()
{
    // Names of a context that is gone died with it.
    if (m_generation != 0 && m_generation == CurrentContextGeneration())
    {
        glDeleteFramebuffers(1, &m_framebuffer);
        glDeleteTextures(1, &m_color);
        glDeleteTextures(1, &m_depth);
    }
    m_framebuffer = m_color = m_depth = 0;
    m_width = m_height = 0;
    m_generation = 0;
}

bool SceneLayer::Make(int width, int height)
{
    const uint64_t generation = CurrentContextGeneration();
    if (m_generation == generation && m_width == width && m_height == height)
        return true;
    Release();
    DepthLayout depth{};
    if (generation == 0 || width <= 0 || height <= 0)
        return false;
    if (!HasFramebuffers() || !WindowDepthLayout(depth))
    {
        m_failed = true;
        return false;
    }
    m_generation = generation;
    m_copyMask = GL_COLOR_BUFFER_BIT | depth.copyMask;
    // Unsized RGBA given as BGRA bytes: the driver keeps the window's own byte order.
    m_color = MakeTexture(width, height, GL_RGBA, GL_BGRA, GL_UNSIGNED_BYTE);
    m_depth = MakeTexture(width, height, depth.internalFormat, depth.format, depth.type);
    glGenFramebuffers(1, &m_framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, m_color, 0);
    glFramebufferTexture2D(GL_FRAMEBUFFER, depth.attachment, GL_TEXTURE_2D, m_depth, 0);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (!complete)
    {
        Release();
        m_failed = true;
        return false;
    }
    m_width = width;
    m_height = height;
    return true;
}

bool SceneLayer::BeginDrawing(int width, int height, const Rect& area, uint32_t color, float z)
{
    if (m_failed || !Make(width, height))
        return false;
    glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
    {
        const SavedScissor saved;
        glEnable(GL_SCISSOR_TEST);
        // The layer's rows lie top first.
        glScissor(area.left, area.top, area.right - area.left, area.bottom - area.top);
        float rgba[4];
        ColorToFloats(color, rgba);
        glClearColor(rgba[0], rgba[1], rgba[2], rgba[3]);
        glClearDepth(z);
        GLboolean depthWrites = GL_TRUE;
        glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
        glDepthMask(GL_TRUE);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDepthMask(depthWrites);
    }
    return true;
}

bool SceneLayer::EndDrawing(const Rect& area)
{
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return Copy(area);
}

bool SceneLayer::CopyToWindow(int width, int height, const Rect& area)
{
    if (m_failed || m_generation != CurrentContextGeneration() || m_width != width || m_height != height)
        return false;
    return Copy(area);
}

bool SceneLayer::Copy(const Rect& area)
{
    {
        // The layer's rows lie top first, as a window's lie in a driver's memory: copied upside
        // down in OpenGL's terms, with no scissor, they copy as plain rows.
        const SavedScissor saved;
        glDisable(GL_SCISSOR_TEST);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, m_framebuffer);
        glBlitFramebuffer(area.left, area.bottom, area.right, area.top, area.left, m_height - area.bottom, area.right,
                          m_height - area.top, m_copyMask, GL_NEAREST);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    }
    // An error left by earlier drawing lands here too and ends the layers as well: drawing every
    // frame the plain way is always right.
    if (glGetError() != GL_NO_ERROR)
    {
        m_failed = true;
        Release();
        return false;
    }
    return true;
}

} // namespace plk::gfx
