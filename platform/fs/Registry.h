// The registry as a folder of plain files: a key is a folder, a value a file holding its bytes.
// HKEY_CURRENT_USER lives in $XDG_CONFIG_HOME/vregistry/HKEY_CURRENT_USER/ (default
// ~/.config/vregistry/...), every other root in /etc/vregistry/<ROOT>/; $VREGISTRY_DIR, when set,
// replaces the folder that holds all roots. Results are Windows registry codes, because callers
// print them as the system would.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace plk::fs
{

const int kRegistrySuccess = 0;
const int kRegistryNotFound = 2;       // ERROR_FILE_NOT_FOUND: no such key or value
const int kRegistryAccessDenied = 5;   // ERROR_ACCESS_DENIED
const int kRegistryBadRoot = 6;        // ERROR_INVALID_HANDLE: not one of the predefined roots
const int kRegistryOutOfMemory = 8;    // ERROR_NOT_ENOUGH_MEMORY
const int kRegistryDeviceFailure = 31; // ERROR_GEN_FAILURE: any other failure of the disk

class RegistryKey
{
  public:
    // Opens root (an upper-case predefined root name such as "HKEY_CURRENT_USER") and the
    // backslash-separated subkey below it (empty: the root itself). Names ignore case. A name that
    // could not be a key ("..", one with "/") is not found rather than leaving the registry folder.
    int Open(std::string_view root, std::string_view subkey);

    // Reads the whole value into data, exactly the stored bytes. A missing value, or one whose name
    // could not be a value, is kRegistryNotFound.
    int QueryValue(std::string_view name, std::vector<char>& data) const;

    // The folder that holds the predefined root, whether or not it exists; "" for an unknown root.
    static std::string RootFolder(std::string_view root);

  private:
    std::string m_folder; // OS path of the open key; empty while closed
};

} // namespace plk::fs
