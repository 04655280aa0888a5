// The level pass phrase that enciphers level files, saved games and game session identifiers.
#pragma once

namespace LevelCipher
{

// 75 printable ASCII characters, fixed for the life of the program: files written under another
// phrase do not read back.
const char* PassPhrase();

} // namespace LevelCipher
