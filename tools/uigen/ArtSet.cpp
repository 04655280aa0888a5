// Checking and writing the generated screen files.
#include "tools/uigen/ArtSet.h"

#include "platform/image/Image.h"
#include "tools/uigen/UiPaint.h"
#include "tools/uigen/UiStyle.h"

#include <algorithm>

namespace uigen
{

namespace
{

// Colour-keyed files have no partial transparency: pixels at least half covered become solid.
const float kKeyThreshold = 0.5f;
// Solid edge pixels of keyed files are blended toward the card they surround, which hides the cut.
const art::Colour kKeyedBackdrop = art::Hex(0x14306a);

} // namespace

const plk::ui::Sheet& ArtSet::SheetOf(std::string_view file)
{
    for (const plk::ui::Sheet& s : plk::ui::kSheets)
        if (s.file == file)
            return s;
    throw ArtError("no sheet named " + std::string(file) + " in the layout");
}

art::Canvas ArtSet::Blank(std::string_view file)
{
    const plk::ui::Sheet& s = SheetOf(file);
    return art::Canvas(s.width, s.height);
}

plk::ui::Rect ArtSet::Src(std::string_view sprite)
{
    const plk::ui::Sprite* s = plk::ui::FindSprite(sprite);
    if (!s)
        throw ArtError("no sprite named " + std::string(sprite) + " in the layout");
    return s->src;
}

void ArtSet::PlaceSprite(art::Canvas& sheet, std::string_view sprite, const art::Canvas& picture)
{
    const plk::ui::Rect r = Src(sprite);
    for (int y = 0; y < r.h; ++y)
        for (int x = 0; x < r.w; ++x)
        {
            // The outer ring stays clear: a scaled sprite filters half a texel past its rectangle, and that
            // must find transparency, not the edge of the neighbouring sprite.
            const bool ring = x == 0 || y == 0 || x == r.w - 1 || y == r.h - 1;
            const bool inside = x < picture.Width() && y < picture.Height();
            sheet.At(r.x + x, r.y + y) = ring || !inside ? art::Colour{0, 0, 0, 0} : picture.At(x, y);
        }
}

void ArtSet::ClearDesignedOverlaps(art::Canvas& sheet, std::string_view file)
{
    for (const plk::ui::Overlap& o : plk::ui::kDesignedOverlaps)
    {
        if (o.sheet != file)
            continue;
        const plk::ui::Rect a = Src(o.a), b = Src(o.b);
        const int x0 = std::max(a.x, b.x), x1 = std::min(a.x + a.w, b.x + b.w);
        const int y0 = std::max(a.y, b.y), y1 = std::min(a.y + a.h, b.y + b.h);
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                sheet.At(x, y) = {0, 0, 0, 0};
    }
}

void ArtSet::Put(std::string_view file, art::Canvas canvas)
{
    const plk::ui::Sheet& s = SheetOf(file);
    if (canvas.Width() != s.width || canvas.Height() != s.height)
        throw ArtError(std::string(file) + " painted at the wrong size");
    m_images.insert_or_assign(std::string(file), std::move(canvas));
}

const art::Canvas& ArtSet::Get(std::string_view file) const
{
    const auto it = m_images.find(file);
    if (it == m_images.end())
        throw ArtError(std::string(file) + " has not been painted");
    return it->second;
}

art::Canvas ArtSet::AsStored(const art::Canvas& canvas, const plk::ui::Sheet& sheet)
{
    if (sheet.kind == plk::ui::SheetKind::kPngAlpha)
        return canvas;
    art::Canvas out(canvas.Width(), canvas.Height());
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
        {
            const art::Colour& p = canvas.At(x, y);
            if (sheet.kind == plk::ui::SheetKind::kBmpKeyed)
                out.At(x, y) = p.a >= kKeyThreshold ? art::Over(p, kKeyedBackdrop) : kMagenta;
            else
                out.At(x, y) = art::Over(p, art::Hex(0x000000));
        }
    return out;
}

bool ArtSet::WriteAll(const std::string& folder, std::string& error) const
{
    std::string missing;
    for (const plk::ui::Sheet& s : plk::ui::kSheets)
    {
        const auto it = m_images.find(s.file);
        if (it == m_images.end())
        {
            missing += " " + std::string(s.file);
            continue;
        }
        const plk::Image image = AsStored(it->second, s).ToImage();
        const std::string path = folder + "/" + std::string(s.file);
        std::string reason;
        const int rc = s.kind == plk::ui::SheetKind::kPngAlpha ? plk::SavePng(path, image, &reason)
                                                               : plk::SaveBmp(path, image, plk::BmpDepth::kRgb24, &reason);
        if (rc != 0)
        {
            error = "cannot write " + path + ": " + reason;
            return false;
        }
    }
    if (!missing.empty())
    {
        error = "not painted:" + missing;
        return false;
    }
    return true;
}

} // namespace uigen
