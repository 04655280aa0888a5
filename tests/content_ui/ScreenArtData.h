// Shared access to the staged screen art for the content tests: files loaded once, pixel predicates.
#pragma once

#include "platform/image/Image.h"
#include "ui/UiLayout.h"

#include <cstdlib>
#include <map>
#include <string>

namespace screenart
{

inline std::string DataDir()
{
    const char* binary = std::getenv("PLK_BINARY_DIR");
    return std::string(binary ? binary : ".") + "/stage/data/";
}

inline const plk::ui::Sheet* SheetNamed(std::string_view file)
{
    for (const plk::ui::Sheet& s : plk::ui::kSheets)
        if (s.file == file)
            return &s;
    return nullptr;
}

// Each file is read once per test program; null when it is missing or unreadable.
inline const plk::Image* Load(std::string_view file)
{
    static std::map<std::string, plk::Image, std::less<>> cache;
    const auto it = cache.find(file);
    if (it != cache.end())
        return it->second.Empty() ? nullptr : &it->second;
    plk::Image image;
    if (plk::LoadImageFile(DataDir() + std::string(file), image) != 0)
        image = plk::Image();
    const auto& stored = cache.emplace(std::string(file), std::move(image)).first->second;
    return stored.Empty() ? nullptr : &stored;
}

inline bool IsMagenta(const uint8_t* p)
{
    return p[0] == 255 && p[1] == 0 && p[2] == 255;
}

// What the game sees as a drawn pixel: any alpha in PNGs, anything but the key colour in keyed BMPs.
inline bool Visible(const plk::ui::Sheet& sheet, const uint8_t* p)
{
    switch (sheet.kind)
    {
    case plk::ui::SheetKind::kPngAlpha:
        return p[3] > 0;
    case plk::ui::SheetKind::kBmpKeyed:
        return !IsMagenta(p);
    case plk::ui::SheetKind::kBmpOpaque:
        return true;
    }
    return true;
}

inline int Luminance(const uint8_t* p)
{
    return (p[0] * 299 + p[1] * 587 + p[2] * 114) / 1000;
}

inline int ColourDistance(const uint8_t* p, const uint8_t* q)
{
    return std::abs(p[0] - q[0]) + std::abs(p[1] - q[1]) + std::abs(p[2] - q[2]);
}

} // namespace screenart
