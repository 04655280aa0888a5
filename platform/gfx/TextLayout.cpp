// Line breaking for text drawing.
#include "platform/gfx/TextLayout.h"

namespace plk::gfx
{
namespace
{

void BreakParagraph(std::string_view text, size_t start, size_t end, bool wordBreak, int maxWidth,
                    const MeasureFunction& measure, std::vector<TextLine>& lines)
{
    const auto lineOf = [&](size_t from, size_t to) {
        return TextLine{from, to - from, measure(text.substr(from, to - from))};
    };
    if (!wordBreak)
    {
        lines.push_back(lineOf(start, end));
        return;
    }
    size_t lineStart = start;
    size_t lineEnd = start; // end of the last word that fits
    size_t pos = start;
    while (pos < end)
    {
        size_t wordEnd = pos;
        while (wordEnd < end && text[wordEnd] == ' ')
            ++wordEnd;
        while (wordEnd < end && text[wordEnd] != ' ')
            ++wordEnd;
        if (lineEnd > lineStart && measure(text.substr(lineStart, wordEnd - lineStart)) > maxWidth)
        {
            lines.push_back(lineOf(lineStart, lineEnd));
            lineStart = lineEnd;
            while (lineStart < end && text[lineStart] == ' ')
                ++lineStart;
            lineEnd = lineStart;
            pos = lineStart;
            continue;
        }
        lineEnd = wordEnd;
        pos = wordEnd;
    }
    lines.push_back(lineOf(lineStart, lineEnd));
}

} // namespace

std::vector<TextLine> LayoutText(std::string_view text, uint32_t format, int maxWidth, const MeasureFunction& measure)
{
    std::vector<TextLine> lines;
    if (format & kDtSingleLine)
    {
        lines.push_back(TextLine{0, text.size(), measure(text)});
        return lines;
    }
    const bool wordBreak = (format & kDtWordBreak) != 0;
    size_t start = 0;
    while (true)
    {
        size_t end = text.find('\n', start);
        const bool last = end == std::string_view::npos;
        if (last)
            end = text.size();
        size_t contentEnd = end;
        if (contentEnd > start && text[contentEnd - 1] == '\r')
            --contentEnd;
        BreakParagraph(text, start, contentEnd, wordBreak, maxWidth, measure, lines);
        if (last)
            break;
        start = end + 1;
    }
    return lines;
}

} // namespace plk::gfx
