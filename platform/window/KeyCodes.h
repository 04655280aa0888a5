// Keyboard keys in DirectInput numbering (the game's key codes), translated from SDL scancodes.
#pragma once

#include <string>

namespace plk
{

// The codes the engine itself looks at; the rest follow the same numbering.
const int kKeyEscape = 0x01;
const int kKeyReturn = 0x1C;
const int kKeyLeftShift = 0x2A;
const int kKeyRightShift = 0x36;
const int kKeySpace = 0x39;
const int kKeyPrintScreen = 0xB7;
// Key codes run 0..255; 0 means "no key".
const int kKeyCodeCount = 256;

// The DirectInput code of an SDL scancode, 0 for keys the game cannot name.
int KeyCodeFromScancode(int scancode);
// The SDL scancode of a DirectInput code, 0 when none maps to it.
int ScancodeFromKeyCode(int keyCode);
// The DirectInput code of an SDL key name ("Escape", "Return", "P", "Left", ...), ignoring case;
// 0 when the name is unknown.
int KeyCodeFromName(const std::string& name);

} // namespace plk
