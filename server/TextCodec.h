// Conversions between the UTF-8 of the web and the Windows-1252 text the game keeps in XString.
#pragma once

#include <string>
#include <string_view>

namespace plk::server
{

// False when utf8 is not well-formed UTF-8 or holds a character Windows-1252 cannot carry (the
// game could never have sent it); ansi is then unspecified.
bool Utf8ToAnsi(std::string_view utf8, std::string& ansi);
std::string AnsiToUtf8(std::string_view ansi);

// The number of characters of well-formed UTF-8, or -1 when it is not well-formed.
int Utf8Length(std::string_view utf8);

// For log lines: control bytes become '?', and the text is cut after maxBytes with "...".
std::string Printable(std::string_view text, std::size_t maxBytes = 64);

} // namespace plk::server
