// XBStr: conversion between Windows-1252 bytes and shared UTF-16 text.
#include "foundation/XBStr.h"

#include <array>

namespace
{
// Windows-1252 differs from Latin-1 only in 0x80..0x9F; 0 marks the five unassigned codes,
// which map to the C1 control of the same value, as the system's conversion does.
const std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
const unsigned char kHighBegin = 0x80;
const unsigned char kHighEnd = 0x9F;
const char kUnmappable = '?';

char16_t ToWide(unsigned char byte)
{
    if (byte < kHighBegin || byte > kHighEnd)
        return byte;
    const char16_t mapped = kHighControls[byte - kHighBegin];
    return mapped ? mapped : char16_t(byte);
}

char ToNarrow(char16_t unit)
{
    for (unsigned i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] != 0 && kHighControls[i] == unit)
            return char(kHighBegin + i);
    const char16_t kLatin1End = 0xFF;
    if (unit > kLatin1End)
        return kUnmappable;
    // A C1 code that 1252 assigns to another character has no byte of its own.
    if (unit >= kHighBegin && unit <= kHighEnd && kHighControls[unit - kHighBegin] != 0)
        return kUnmappable;
    return char(unit);
}
} // namespace

XBStr::XBStr(std::u16string text) : m_spText(std::make_shared<const std::u16string>(std::move(text)))
{
}

XBStr XBStr::FromAnsi(const char* text, size_t length)
{
    std::u16string wide(length, u'\0');
    for (size_t i = 0; i < length; ++i)
        wide[i] = ToWide(static_cast<unsigned char>(text[i]));
    return XBStr(std::move(wide));
}

std::string XBStr::ToAnsi() const
{
    const std::u16string_view wide = View();
    std::string narrow(wide.size(), '\0');
    for (size_t i = 0; i < wide.size(); ++i)
        narrow[i] = ToNarrow(wide[i]);
    return narrow;
}

const char16_t* XBStr::GetData() const
{
    return m_spText ? m_spText->c_str() : u"";
}

size_t XBStr::GetLength() const
{
    return m_spText ? m_spText->size() : 0;
}

std::u16string_view XBStr::View() const
{
    return m_spText ? std::u16string_view(*m_spText) : std::u16string_view();
}
