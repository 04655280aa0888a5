// Facts about the machine: host name, system library folder, new GUIDs.
#pragma once

#include <string>

namespace plk::fs
{

// The machine's network host name. Returns 0 or an errno value.
int GetHostName(std::string& name);

// "/usr/lib": the system's shared libraries, the nearest thing to a Windows system directory.
std::string SystemDirectory();

// A new random GUID in its 36-character text form, lower-case hexadecimal in groups 8-4-4-4-12.
std::string NewGuid();

} // namespace plk::fs
