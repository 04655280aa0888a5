// Where the running program lives.
#pragma once

#include <string>

namespace plk
{

// The folder of the program file, ending with "/"; empty when the system cannot tell.
std::string ProgramFolder();

} // namespace plk
