// Texture loading from the media folder and single-sprite drawing.
#include "engine/XDXTexture.h"

#include "engine/XGameEngine.h"
#include "platform/fs/Path.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/SpriteBatch.h"

#include <atomic>
#include <filesystem>
#include <memory>

using namespace plk::gfx;

namespace
{

std::unique_ptr<SpriteBatch> g_pSprite;
std::atomic<unsigned> g_uiLiveTextures{0};

// The image information reports format, resource type and file format in Direct3D's
// numbering, which its readers compare against.
const unsigned kFormatA8R8G8B8 = 21;
const unsigned kResourceTexture = 3;
const unsigned kFileFormatBmp = 0;
const unsigned kFileFormatPng = 3;

} // namespace

XDXTexture::XDXTexture()
{
    ++g_uiLiveTextures;
}

XDXTexture::~XDXTexture()
{
    --g_uiLiveTextures;
}

bool XDXTexture::Init(XString& errorMsg)
{
    XGameEngine* engine = XGameEngine::GetEngine();
    if (!engine || !engine->GetDevice())
    {
        errorMsg = "Error: in XDXTexture::Init, the engine or device is NULL.";
        return false;
    }
    g_pSprite = std::make_unique<SpriteBatch>(*engine->GetDevice());
    return true;
}

void XDXTexture::ReleaseSprite()
{
    g_pSprite.reset();
}

SpriteBatch* XDXTexture::GetSprite()
{
    return g_pSprite.get();
}

unsigned XDXTexture::GetLiveCount()
{
    return g_uiLiveTextures;
}

bool XDXTexture::Load(const XString& name, uint32_t colorKey, uint32_t format)
{
    m_info = XImageInfo();
    m_texture.Release();
    m_strErrorMsg = "";
    m_uiColorKey = colorKey;
    m_uiFormat = format;

    const int slash = name.FindRev('\\');
    XGameEngine* engine = XGameEngine::GetEngine();
    m_strFileName = engine ? engine->GetPath() : XString();
    m_strFileName += slash >= 0 ? name.GetBuffer(static_cast<unsigned>(slash + 1)) : name.GetBuffer();
    if (!engine || !engine->GetDevice())
    {
        m_strErrorMsg = "Error: in XDXTexture::Load, the current device is NULL.";
        return false;
    }
    const std::string path = plk::fs::ResolvePath(m_strFileName.GetBuffer());
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(path, ignored))
    {
        m_strErrorMsg = "Error: in XDXTexture::Load, the specified filename =";
        m_strErrorMsg += m_strFileName;
        m_strErrorMsg += ", does not exist.";
        return false;
    }
    std::string reason;
    const int hr = m_texture.Load(path, colorKey, true, &reason);
    if (hr != kOk)
    {
        m_strErrorMsg = "Error: in XDXTexture::Load, D3DXCreateTextureFromFileEx failed. hr=";
        m_strErrorMsg += hr;
        return false;
    }
    m_info.width = static_cast<unsigned>(m_texture.Width());
    m_info.height = static_cast<unsigned>(m_texture.Height());
    m_info.depth = 1;
    m_info.mipLevels = static_cast<unsigned>(m_texture.MipLevels());
    m_info.format = kFormatA8R8G8B8;
    m_info.resourceType = kResourceTexture;
    m_info.fileFormat = m_strFileName.EndsWithNoCase(".png") ? kFileFormatPng : kFileFormatBmp;
    return true;
}

bool XDXTexture::Draw(int x, int y, int sourceX, int sourceY, int sourceWidth, int sourceHeight, float scaleX,
                      float scaleY, uint32_t color, bool alphaBlend)
{
    m_strErrorMsg = "";
    if (m_texture.Empty())
    {
        m_strErrorMsg = "Error: in XDXTexture::Draw, m_pd3dTexture is NULL.";
        return false;
    }
    if (!g_pSprite)
    {
        m_strErrorMsg = "Error: in XDXTexture::Draw, m_pSprite is NULL.";
        return false;
    }
    const int width = sourceWidth == 0 ? static_cast<int>(m_info.width) : sourceWidth;
    const int height = sourceHeight == 0 ? static_cast<int>(m_info.height) : sourceHeight;
    const Rect source{sourceX, sourceY, sourceX + width, sourceY + height};

    // Sprites draw with states of their own: depth test and lighting of the device stay as they are.
    int hr = g_pSprite->Begin(alphaBlend ? kSpriteAlphaBlend | kSpriteSortTexture : kSpriteSortTexture);
    if (hr != kOk)
    {
        m_strErrorMsg = alphaBlend ? "Error: in XDXTexture::Draw, m_pSprite->Begin(D3DXSPRITE_ALPHABLEND) failed. hr="
                                   : "Error: in XDXTexture::Draw, m_pSprite->Begin(D3DXSPRITE_SORT_DEPTH_BACKTOFRONT) "
                                     "failed. hr=";
        m_strErrorMsg += hr;
        return false;
    }
    const Matrix transform = MatrixTransformation2D(
        {0.0f, 0.0f}, {scaleX, scaleY}, {width * 0.5f, height * 0.5f}, 0.0f,
        {static_cast<float>(x), static_cast<float>(y)});
    hr = g_pSprite->SetTransform(transform);
    if (hr != kOk)
    {
        g_pSprite->End();
        m_strErrorMsg = "Error: in XDXTexture::Draw, m_pSprite->SetTransform failed. hr=";
        m_strErrorMsg += hr;
        return false;
    }
    hr = g_pSprite->Draw(&m_texture, &source, nullptr, nullptr, color);
    if (hr != kOk)
    {
        m_strErrorMsg = "Error: in XDXTexture::Draw, m_pSprite->Draw failed. hr=";
        m_strErrorMsg += hr;
        const int ended = g_pSprite->End();
        if (ended != kOk)
        {
            m_strErrorMsg += " -- Error: in XDXTexture::Draw, m_pSprite->End failed. hr=";
            m_strErrorMsg += ended;
        }
        return false;
    }
    hr = g_pSprite->End();
    if (hr != kOk)
    {
        m_strErrorMsg = "Error: in XDXTexture::Draw, m_pSprite->End failed. hr=";
        m_strErrorMsg += hr;
        return false;
    }
    return true;
}

void XDXTexture::Release()
{
    m_texture.Release();
    m_info = XImageInfo();
}
