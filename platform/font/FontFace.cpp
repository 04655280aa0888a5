// FreeType and fontconfig behind FontFace.
#include "platform/font/FontFace.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>

namespace plk
{

namespace
{

const int kErrNotFound = -1;
const int kErrFreeType = -2;
const int kErrNotOpen = -3;
// FreeType metrics are 26.6 fixed point.
const float kFixed26_6 = 64.0f;

int Fail(std::string* error, const std::string& what, int code)
{
    if (error)
        *error = what;
    return code;
}

} // namespace

int FindFontFile(const std::string& family, bool bold, bool italic, FontFile& out, std::string* error)
{
    if (!FcInit())
        return Fail(error, "FcInit failed.", kErrNotFound);
    // "DefaultFont" is the game's word for the system's ordinary sans face.
    const std::string wanted = family == "DefaultFont" || family.empty() ? std::string("sans-serif") : family;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(wanted.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match)
        return Fail(error, "FcFontMatch found no face for " + family, kErrNotFound);
    FcChar8* file = nullptr;
    FcChar8* matchedFamily = nullptr;
    int index = 0;
    if (FcPatternGetString(match, FC_FILE, 0, &file) != FcResultMatch || !file)
    {
        FcPatternDestroy(match);
        return Fail(error, "the face matched for " + family + " has no file", kErrNotFound);
    }
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    out.path = reinterpret_cast<const char*>(file);
    out.index = index;
    out.family = FcPatternGetString(match, FC_FAMILY, 0, &matchedFamily) == FcResultMatch && matchedFamily
                     ? reinterpret_cast<const char*>(matchedFamily)
                     : std::string();
    FcPatternDestroy(match);
    return 0;
}

struct FontFace::Impl
{
    FT_Library library = nullptr;
    FT_Face face = nullptr;

    ~Impl()
    {
        if (face)
            FT_Done_Face(face);
        if (library)
            FT_Done_FreeType(library);
    }
};

FontFace::FontFace() = default;
FontFace::~FontFace() = default;

bool FontFace::IsOpen() const
{
    return m_impl && m_impl->face;
}

int FontFace::Open(const std::string& family, int pixelHeight, bool bold, bool italic)
{
    FontFile file;
    if (const int rc = FindFontFile(family, bold, italic, file, &m_error); rc != 0)
        return rc;
    const int rc = OpenFile(file.path, file.index, pixelHeight);
    if (rc == 0)
        m_family = file.family;
    return rc;
}

int FontFace::OpenFile(const std::string& path, int index, int pixelHeight)
{
    m_impl = std::make_unique<Impl>();
    if (FT_Error e = FT_Init_FreeType(&m_impl->library))
    {
        m_impl.reset();
        return Fail(&m_error, "FT_Init_FreeType failed. Code = " + std::to_string(e), kErrFreeType);
    }
    if (FT_Error e = FT_New_Face(m_impl->library, path.c_str(), index, &m_impl->face))
    {
        m_impl.reset();
        return Fail(&m_error, "FT_New_Face of " + path + " failed. Code = " + std::to_string(e),
                    kErrFreeType);
    }
    if (FT_Error e = FT_Set_Pixel_Sizes(m_impl->face, 0, static_cast<FT_UInt>(std::max(1, pixelHeight))))
    {
        m_impl.reset();
        return Fail(&m_error, "FT_Set_Pixel_Sizes failed. Code = " + std::to_string(e), kErrFreeType);
    }
    m_family = m_impl->face->family_name ? m_impl->face->family_name : "";
    m_error.clear();
    return 0;
}

int FontFace::RenderGlyph(uint32_t codePoint, GlyphBitmap& out)
{
    if (!IsOpen())
        return Fail(&m_error, "no font face is open", kErrNotOpen);
    FT_Face face = m_impl->face;
    const FT_UInt glyph = FT_Get_Char_Index(face, codePoint);
    if (FT_Error e = FT_Load_Glyph(face, glyph, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL))
        return Fail(&m_error, "FT_Load_Glyph failed. Code = " + std::to_string(e), kErrFreeType);
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    out.width = static_cast<int>(bitmap.width);
    out.height = static_cast<int>(bitmap.rows);
    out.left = face->glyph->bitmap_left;
    out.top = face->glyph->bitmap_top;
    out.advance = static_cast<float>(face->glyph->advance.x) / kFixed26_6;
    out.coverage.assign(static_cast<size_t>(out.width) * out.height, 0);
    for (int y = 0; y < out.height; ++y)
    {
        // pitch is negative for bottom-up bitmaps; FreeType's grey renderer gives top-down rows.
        const uint8_t* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
        std::copy(row, row + out.width, out.coverage.begin() + static_cast<ptrdiff_t>(y) * out.width);
    }
    return 0;
}

float FontFace::Kerning(uint32_t left, uint32_t right) const
{
    if (!IsOpen() || !FT_HAS_KERNING(m_impl->face))
        return 0.0f;
    FT_Face face = m_impl->face;
    FT_Vector delta{};
    if (FT_Get_Kerning(face, FT_Get_Char_Index(face, left), FT_Get_Char_Index(face, right),
                       FT_KERNING_DEFAULT, &delta) != 0)
        return 0.0f;
    return static_cast<float>(delta.x) / kFixed26_6;
}

int FontFace::Ascender() const
{
    return IsOpen() ? static_cast<int>(std::ceil(m_impl->face->size->metrics.ascender / kFixed26_6)) : 0;
}

int FontFace::Descender() const
{
    return IsOpen() ? static_cast<int>(std::ceil(-m_impl->face->size->metrics.descender / kFixed26_6)) : 0;
}

int FontFace::LineHeight() const
{
    return IsOpen() ? static_cast<int>(std::ceil(m_impl->face->size->metrics.height / kFixed26_6)) : 0;
}

float FontFace::MeasureText(const std::string& text)
{
    if (!IsOpen())
        return 0.0f;
    float pen = 0.0f;
    uint32_t previous = 0;
    for (unsigned char c : text)
    {
        if (previous)
            pen += Kerning(previous, c);
        if (FT_Load_Char(m_impl->face, c, FT_LOAD_DEFAULT) == 0)
            pen += static_cast<float>(m_impl->face->glyph->advance.x) / kFixed26_6;
        previous = c;
    }
    return pen;
}

int FontFace::RenderText(const std::string& text, TextBitmap& out)
{
    if (!IsOpen())
        return Fail(&m_error, "no font face is open", kErrNotOpen);
    const int ascender = Ascender();
    out.baseline = ascender;
    out.height = ascender + Descender();
    // A glyph's ink may reach past its advance (italics, 'f'), so leave room beyond the measured width.
    out.width = static_cast<int>(std::ceil(MeasureText(text))) + 2 + LineHeight() / 4;
    out.coverage.assign(static_cast<size_t>(out.width) * out.height, 0);
    float pen = 0.0f;
    uint32_t previous = 0;
    GlyphBitmap glyph;
    for (unsigned char c : text)
    {
        if (previous)
            pen += Kerning(previous, c);
        if (const int rc = RenderGlyph(c, glyph); rc != 0)
            return rc;
        const int originX = static_cast<int>(std::lround(pen)) + glyph.left;
        const int originY = out.baseline - glyph.top;
        for (int y = 0; y < glyph.height; ++y)
        {
            const int ty = originY + y;
            if (ty < 0 || ty >= out.height)
                continue;
            for (int x = 0; x < glyph.width; ++x)
            {
                const int tx = originX + x;
                if (tx < 0 || tx >= out.width)
                    continue;
                uint8_t& dst = out.coverage[static_cast<size_t>(ty) * out.width + tx];
                dst = std::max(dst, glyph.coverage[static_cast<size_t>(y) * glyph.width + x]);
            }
        }
        pen += glyph.advance;
        previous = c;
    }
    return 0;
}

} // namespace plk
