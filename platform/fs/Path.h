// In-program paths (backslash separators, names in any case) turned into paths the OS opens.
#pragma once

#include <string>
#include <string_view>

namespace plk::fs
{

// Backslashes become "/". Nothing else changes: a path that starts with "/" is absolute, any
// other path is relative to the current directory (a "C:\" drive is just a folder named "C:").
std::string ToNativePath(std::string_view path);

// ToNativePath, then each component that does not exist with its exact name is replaced by the
// entry of its folder whose name matches without regard to case (ASCII letters), so "Particle.bmp"
// on disk opens as "particle.bmp". When several entries match, the smallest name in byte order
// wins, so the choice never depends on directory order. Components that match nothing keep the
// name as given, which is how new files and folders get created.
std::string ResolvePath(std::string_view path);

// A per-user folder laid over a shared one that the user cannot write (a system-wide install):
// while set, a path inside sharedFolder is read from the same place under userFolder when that
// exists there and from sharedFolder otherwise, and is always written under userFolder. Both are
// in-program or OS paths; empty folders end the overlay. Set before other threads use files.
void SetUserOverlay(std::string_view sharedFolder, std::string_view userFolder);
// The per-user folder of the overlay in OS form ending in "/", empty when there is none.
std::string UserOverlayFolder();

// ResolvePath for a file or folder about to be created, written or removed: inside an overlay's
// shared folder it names the per-user place, whose missing parent folders are created.
std::string ResolvePathForWriting(std::string_view path);

// ResolvePath as if there were no overlay: the shared side of an overlaid path.
std::string ResolveWithoutOverlay(std::string_view path);

// When path lies inside the overlay's shared folder, the same place under the per-user folder
// (resolved as ResolvePath does); empty otherwise.
std::string ResolveUserSide(std::string_view path);

// The OS ends a name at its first NUL byte, so a path holding one would name some other file:
// every service refuses such a path (EINVAL) instead.
bool HasEmbeddedNul(std::string_view path);

// ASCII case-insensitive equality, the way file names are compared.
bool NamesEqualNoCase(std::string_view a, std::string_view b);

// Orders names the way an NTFS directory lists them: letters folded to upper case first, then
// byte order to keep names differing only in case apart.
bool NameLessNoCase(std::string_view a, std::string_view b);

} // namespace plk::fs
