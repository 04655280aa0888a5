// UTF-8 decoding and encoding around the foundation's Windows-1252 table.
#include "server/TextCodec.h"

#include "foundation/XBStr.h"

#include <cstdint>

namespace plk::server
{
namespace
{

// Decodes one character at text[at]; false on any ill-formed sequence (overlong forms,
// surrogates and values above U+10FFFF included).
bool DecodeOne(std::string_view text, std::size_t& at, char32_t& out)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t extra = 0;
    char32_t value = 0;
    char32_t least = 0;
    if (lead < 0x80)
    {
        out = lead;
        ++at;
        return true;
    }
    if ((lead & 0xE0) == 0xC0)
    {
        extra = 1;
        value = lead & 0x1F;
        least = 0x80;
    }
    else if ((lead & 0xF0) == 0xE0)
    {
        extra = 2;
        value = lead & 0x0F;
        least = 0x800;
    }
    else if ((lead & 0xF8) == 0xF0)
    {
        extra = 3;
        value = lead & 0x07;
        least = 0x10000;
    }
    else
    {
        return false;
    }
    if (at + extra >= text.size())
        return false;
    for (std::size_t i = 1; i <= extra; ++i)
    {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80)
            return false;
        value = (value << 6) | (next & 0x3F);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return false;
    out = value;
    at += extra + 1;
    return true;
}

} // namespace

bool Utf8ToAnsi(std::string_view utf8, std::string& ansi)
{
    std::u16string wide;
    for (std::size_t at = 0; at < utf8.size();)
    {
        char32_t c = 0;
        if (!DecodeOne(utf8, at, c) || c > 0xFFFF)
            return false;
        wide.push_back(static_cast<char16_t>(c));
    }
    const XBStr original(wide);
    ansi = original.ToAnsi();
    // Characters without a code page entry came back as '?': the round trip shows them.
    return XBStr::FromAnsi(ansi.data(), ansi.size()) == original;
}

std::string AnsiToUtf8(std::string_view ansi)
{
    const XBStr wide = XBStr::FromAnsi(ansi.data(), ansi.size());
    std::string utf8;
    for (char16_t c : wide.View())
    {
        if (c < 0x80)
        {
            utf8.push_back(static_cast<char>(c));
        }
        else if (c < 0x800)
        {
            utf8.push_back(static_cast<char>(0xC0 | (c >> 6)));
            utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
        else
        {
            utf8.push_back(static_cast<char>(0xE0 | (c >> 12)));
            utf8.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return utf8;
}

int Utf8Length(std::string_view utf8)
{
    int count = 0;
    for (std::size_t at = 0; at < utf8.size(); ++count)
    {
        char32_t c = 0;
        if (!DecodeOne(utf8, at, c))
            return -1;
    }
    return count;
}

std::string Printable(std::string_view text, std::size_t maxBytes)
{
    std::string out;
    for (std::size_t i = 0; i < text.size() && i < maxBytes; ++i)
    {
        const auto c = static_cast<unsigned char>(text[i]);
        out.push_back(c < 0x20 || c == 0x7F ? '?' : static_cast<char>(c));
    }
    if (text.size() > maxBytes)
        out += "...";
    return out;
}

} // namespace plk::server
