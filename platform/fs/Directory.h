// Folders and their entries: create, remove, list, test, delete files, the current directory.
// Every path is an in-program path (backslashes, any case), resolved as Path.h describes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace plk::fs
{

struct DirEntry
{
    std::string name;
    bool isDirectory = false; // also true for a link to a directory
    bool isLink = false;      // a symbolic link; walking into linked folders can loop forever
};

// The entries of a folder without "." and "..", ordered as NameLessNoCase orders names.
// Returns 0 or an errno value.
int ListDirectory(std::string_view path, std::vector<DirEntry>& entries);

bool DirectoryExists(std::string_view path);

// Whether the process may create and change files in the folder (permissions and a read-only
// mount alike); false for a folder that does not exist.
bool IsWritableFolder(std::string_view path);

// Creates one folder; its parent must exist. Returns 0 or an errno value (EEXIST when the name
// is taken, even by a folder).
int CreateDirectory(std::string_view path);

// Removes one empty folder, or a link to a folder (the link only, never what it points to).
// Returns 0 or an errno value.
int RemoveDirectory(std::string_view path);

// Deletes one file or link; a folder is refused with EISDIR. Returns 0 or an errno value.
int DeleteFile(std::string_view path);

// The current directory in OS form ("/home/..."). Returns 0 or an errno value.
int GetCurrentDirectory(std::string& path);

// Returns 0 or an errno value.
int SetCurrentDirectory(std::string_view path);

} // namespace plk::fs
