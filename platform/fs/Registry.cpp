// File-backed registry keys and values.
#include "platform/fs/Registry.h"

#include "platform/fs/FileReader.h"
#include "platform/fs/Path.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plk::fs
{
namespace
{

const std::array<std::string_view, 6> kRoots = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_CONFIG",
                                                "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE",
                                                "HKEY_USERS",        "HKEY_DYN_DATA"};

const char kMachineRegistry[] = "/etc/vregistry";
// Room for one password-database entry; sysconf's suggestion is 1024 on glibc.
const std::size_t kPasswordBuffer = 4096;

int ToRegistryCode(int error)
{
    switch (error)
    {
    case 0:
        return kRegistrySuccess;
    case ENOENT:
    case ENOTDIR:
    case EISDIR:
        return kRegistryNotFound;
    case EACCES:
    case EPERM:
        return kRegistryAccessDenied;
    case ENOMEM:
        return kRegistryOutOfMemory;
    default:
        return kRegistryDeviceFailure;
    }
}

// Separators would reach outside the key's folder; a NUL would end the name early.
const std::string_view kForbiddenInNames("/\\\0", 3);

bool IsUsableName(std::string_view name)
{
    return name != "." && name != ".." && name.find_first_of(kForbiddenInNames) == std::string_view::npos;
}

std::string HomeFolder()
{
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0')
    {
        return home;
    }
    // getpwuid_r, unlike getpwuid, is safe while another thread looks up users.
    std::vector<char> buffer(kPasswordBuffer);
    passwd entry{};
    passwd* user = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &user) == 0 && user != nullptr &&
        user->pw_dir != nullptr)
    {
        return user->pw_dir;
    }
    return "";
}

// The folder that holds the root folders, for the given root.
std::string RegistryParent(std::string_view root)
{
    if (const char* override = std::getenv("VREGISTRY_DIR"); override != nullptr && override[0] != '\0')
    {
        return override;
    }
    if (root != "HKEY_CURRENT_USER")
    {
        return kMachineRegistry;
    }
    // The XDG base directory rules ignore a relative XDG_CONFIG_HOME.
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && config[0] == '/')
    {
        return std::string(config) + "/vregistry";
    }
    return HomeFolder() + "/.config/vregistry";
}

} // namespace

std::string RegistryKey::RootFolder(std::string_view root)
{
    for (std::string_view known : kRoots)
    {
        if (root == known)
        {
            return RegistryParent(root) + "/" + std::string(root);
        }
    }
    return "";
}

int RegistryKey::Open(std::string_view root, std::string_view subkey)
{
    m_folder.clear();
    std::string folder = RootFolder(root);
    if (folder.empty())
    {
        return kRegistryBadRoot;
    }
    std::size_t pos = 0;
    while (pos <= subkey.size())
    {
        std::size_t end = subkey.find('\\', pos);
        if (end == std::string_view::npos)
        {
            end = subkey.size();
        }
        const std::string_view name = subkey.substr(pos, end - pos);
        // Windows accepts a doubled or trailing backslash in a subkey path.
        if (!name.empty())
        {
            if (!IsUsableName(name))
            {
                return kRegistryNotFound;
            }
            folder += "/";
            folder += name;
        }
        pos = end + 1;
    }
    const std::string native = ResolvePath(folder);
    struct stat info;
    if (stat(native.c_str(), &info) != 0)
    {
        return ToRegistryCode(errno);
    }
    if (!S_ISDIR(info.st_mode))
    {
        return kRegistryNotFound;
    }
    m_folder = native;
    return kRegistrySuccess;
}

int RegistryKey::QueryValue(std::string_view name, std::vector<char>& data) const
{
    data.clear();
    if (m_folder.empty() || name.empty() || !IsUsableName(name))
    {
        return kRegistryNotFound;
    }
    return ToRegistryCode(ReadWholeFile(m_folder + "/" + std::string(name), data));
}

} // namespace plk::fs
