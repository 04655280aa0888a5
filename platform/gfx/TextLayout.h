// Breaking text into lines for drawing: paragraphs at line feeds, words at spaces within a width.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace plk::gfx
{

// Text-drawing formats, numbered as the game stores them.
enum TextFormat : uint32_t
{
    kDtLeft = 0x000,
    kDtTop = 0x000,
    kDtCenter = 0x001,
    kDtRight = 0x002,
    kDtVCenter = 0x004,
    kDtBottom = 0x008,
    kDtWordBreak = 0x010,
    kDtSingleLine = 0x020,
    kDtNoClip = 0x100,
    kDtCalcRect = 0x400,
};

struct TextLine
{
    size_t start = 0;  // offset into the text
    size_t length = 0; // bytes, without the line's break
    int width = 0;     // pixels
};

// The width in pixels of a run of text.
using MeasureFunction = std::function<int(std::string_view)>;

// Splits text into the lines the format asks for. Single line: one line whatever it holds.
// Otherwise a line feed (with an optional carriage return before it) ends a line, and with word
// break a line also ends before the word that would cross maxWidth; the spaces at such a break
// belong to no line. A word wider than maxWidth stands alone on its line.
std::vector<TextLine> LayoutText(std::string_view text, uint32_t format, int maxWidth, const MeasureFunction& measure);

} // namespace plk::gfx
