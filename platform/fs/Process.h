// Starting other programs and handing documents to the desktop, without waiting for either.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace plk::fs
{

// Starts program (an in-program path, or a bare name looked up on PATH) with the arguments and
// returns at once; the finished child is reaped in the background. Returns 0 or an errno value:
// ENOENT or EACCES when the program cannot be run at all.
int StartProgram(std::string_view program, const std::vector<std::string>& arguments);

// Opens an address or an in-program file path in the desktop's program for it (xdg-open).
// Returns 0 once the opener runs, whatever it then makes of the target.
int OpenWithDesktop(std::string_view target);

// Leaves the file at path readable and writable by its owner only: an existing file is narrowed,
// a missing one is created empty. Files written to it afterwards keep that (FileWriter replaces a
// file with the old one's permissions). Returns 0 or an errno value.
int MakeOwnerOnly(std::string_view path);

} // namespace plk::fs
