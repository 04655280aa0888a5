// Fonts for screens and the engine's overlay, on the glyph-atlas font of the device.
#include "engine/XDXFont.h"

#include "engine/XGameEngine.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/Font.h"

namespace
{

// Logical pixels per inch of the screen the layout was designed on.
const int kPixelsPerInch = 96;
const int kPointsPerInch = 72;
const int kWeightBold = 700;
// Stand-ins for "no limit" when a width or height is 0.
const int kNoLimitWidth = 65535;
const int kNoLimitHeight = 65536;

} // namespace

XDXFont::XDXFont() = default;
XDXFont::~XDXFont() = default;

int XDXFont::HeightForPoints(int size)
{
    return -(size * kPixelsPerInch / kPointsPerInch);
}

bool XDXFont::Create(const XString& face, int size, bool bold, bool italic, int, int)
{
    m_strErrorMsg = "";
    XGameEngine* engine = XGameEngine::GetEngine();
    if (!engine || !engine->GetDevice())
    {
        m_strErrorMsg = "Error: in XDXFont::Create, D3DXCreateFont failed. hr=";
        m_strErrorMsg += plk::gfx::kErrInvalidCall;
        return false;
    }
    m_iHeight = HeightForPoints(size);
    auto font = std::make_unique<plk::gfx::Font>(*engine->GetDevice());
    const int hr = font->Create(face.GetBuffer(), m_iHeight, bold ? kWeightBold : 0, italic);
    if (hr != plk::gfx::kOk)
    {
        m_strErrorMsg = "Error: in XDXFont::Create, D3DXCreateFont failed. hr=";
        m_strErrorMsg += hr;
        return false;
    }
    m_pFont = std::move(font);
    return true;
}

bool XDXFont::Print(const XString& text, int x, int y, int width, int height, uint32_t color, uint32_t format)
{
    m_strErrorMsg = "";
    if (!m_pFont)
    {
        m_strErrorMsg = "Error: in XDXFont::Print, a font has not been created.";
        return false;
    }
    // Text draws as sprites with states of their own: depth test and lighting stay as they are.
    plk::gfx::Rect rect{x, y, x + (width == 0 ? kNoLimitWidth : width), y + (height == 0 ? kNoLimitHeight : height)};
    const std::string_view view(text.GetBuffer(), text.GetLength());
    if (m_pFont->DrawText(nullptr, view, rect, format, color) == 0 && !view.empty())
    {
        m_strErrorMsg = "Error: in XDXFont::Print, ID3DXFont::DrawText failed. hr=";
        m_strErrorMsg += plk::gfx::kErrInvalidCall;
        return false;
    }
    return true;
}

void XDXFont::Release()
{
    m_pFont.reset();
}
