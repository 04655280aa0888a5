// Keyboard keys in DirectInput numbering (the game's key codes), translated from SDL scancodes.
#pragma once

#include <string>

namespace plk
{

// The codes the engine and the screens look at by name; the rest follow the same numbering.
const int kKeyEscape = 0x01;
const int kKeyP = 0x19;
const int kKeyReturn = 0x1C;
const int kKeyH = 0x23;
const int kKeyLeftShift = 0x2A;
const int kKeyRightShift = 0x36;
const int kKeyLeftAlt = 0x38;
const int kKeySpace = 0x39;
const int kKeyCapsLock = 0x3A;
const int kKeyF5 = 0x3F;
const int kKeySubtract = 0x4A; // keypad minus
const int kKeyAdd = 0x4E;      // keypad plus
const int kKeyF11 = 0x57;
const int kKeyPrintScreen = 0xB7;
const int kKeyRightAlt = 0xB8;
const int kKeyHome = 0xC7;
const int kKeyUp = 0xC8;
const int kKeyPageUp = 0xC9;
const int kKeyLeft = 0xCB;
const int kKeyRight = 0xCD;
const int kKeyEnd = 0xCF;
const int kKeyDown = 0xD0;
const int kKeyPageDown = 0xD1;
const int kKeyDelete = 0xD3;
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
