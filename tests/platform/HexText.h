// Lower-case hexadecimal text of bytes, as published test vectors print them.
#pragma once

#include <cstdint>
#include <span>
#include <string>

inline std::string HexText(std::span<const std::uint8_t> bytes)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    for (std::uint8_t b : bytes)
    {
        text += kDigits[b >> 4];
        text += kDigits[b & 0xF];
    }
    return text;
}
