// Font faces found by family name through fontconfig and rasterised by FreeType into coverage bitmaps.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plk
{

struct FontFile
{
    std::string path;
    int index = 0;      // face index inside a collection file
    std::string family; // the family fontconfig actually chose
};

// Resolves a family name ("Arial", "DefaultFont", ...) to the best installed face; 0 on success.
// fontconfig always returns some face, so a substitute is normal, not an error.
int FindFontFile(const std::string& family, bool bold, bool italic, FontFile& out,
                 std::string* error = nullptr);

// One 8-bit coverage bitmap; left/top place it relative to the pen on the baseline (top = rows above it).
struct GlyphBitmap
{
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;
    float advance = 0.0f; // pixels to the next pen position
    std::vector<uint8_t> coverage;
};

// A whole line of text; baseline = row of the baseline inside the bitmap.
struct TextBitmap
{
    int width = 0;
    int height = 0;
    int baseline = 0;
    std::vector<uint8_t> coverage;
};

class FontFace
{
  public:
    FontFace();
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    // Opens the face for family at a pixel height (em size); 0 on success, else see Error().
    int Open(const std::string& family, int pixelHeight, bool bold = false, bool italic = false);
    int OpenFile(const std::string& path, int index, int pixelHeight);
    bool IsOpen() const;

    // Code points are Latin-1 for the game's 8-bit text; a missing glyph renders the face's fallback box.
    int RenderGlyph(uint32_t codePoint, GlyphBitmap& out);
    // Kerning between two code points in pixels; 0 when the face has none.
    float Kerning(uint32_t left, uint32_t right) const;
    // Lays out one line of 8-bit (Latin-1) text at the origin, kerned, in a box ascender + descender high.
    int RenderText(const std::string& text, TextBitmap& out);
    // Width in pixels of the pen advance of one line, without rasterising.
    float MeasureText(const std::string& text);

    int Ascender() const;  // pixels above the baseline, positive
    int Descender() const; // pixels below the baseline, positive
    int LineHeight() const;
    const std::string& FamilyName() const { return m_family; }
    const std::string& Error() const { return m_error; }

  private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
    std::string m_family;
    std::string m_error;
};

} // namespace plk
