// Folder services on POSIX calls.
#include "platform/fs/Directory.h"

#include "platform/fs/Path.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace plk::fs
{
namespace
{

// Permission bits of a new folder before the umask.
const mode_t kNewDirectoryMode = 0777;

bool IsDirectoryEntry(const std::string& folder, const dirent& entry, bool& isLink)
{
    isLink = entry.d_type == DT_LNK;
    if (entry.d_type == DT_DIR)
    {
        return true;
    }
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
    {
        return false;
    }
    // Some file systems do not fill d_type; links need their target looked at anyway.
    const std::string full = folder + "/" + entry.d_name;
    struct stat info;
    if (lstat(full.c_str(), &info) == 0)
    {
        isLink = S_ISLNK(info.st_mode);
    }
    return stat(full.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The entries of one folder in OS form, sorted as ListDirectory promises.
int ListFolder(const std::string& folder, std::vector<DirEntry>& entries)
{
    entries.clear();
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.empty() ? "." : folder.c_str()), closedir);
    if (!dir)
    {
        return errno;
    }
    while (true)
    {
        errno = 0;
        const dirent* entry = readdir(dir.get());
        if (entry == nullptr)
        {
            if (errno != 0)
            {
                const int error = errno;
                entries.clear();
                return error;
            }
            break;
        }
        const std::string_view name(entry->d_name);
        if (name == "." || name == "..")
        {
            continue;
        }
        DirEntry item;
        item.name = std::string(name);
        item.isDirectory = IsDirectoryEntry(folder.empty() ? "." : folder, *entry, item.isLink);
        entries.push_back(std::move(item));
    }
    std::sort(entries.begin(), entries.end(),
              [](const DirEntry& a, const DirEntry& b) { return NameLessNoCase(a.name, b.name); });
    return 0;
}

} // namespace

int ListDirectory(std::string_view path, std::vector<DirEntry>& entries)
{
    entries.clear();
    if (HasEmbeddedNul(path))
    {
        return EINVAL;
    }
    // Under a per-user overlay a folder holds what either side has; the per-user entry wins.
    const std::string user = ResolveUserSide(path);
    std::vector<DirEntry> userEntries;
    const bool hasUser = !user.empty() && ListFolder(user, userEntries) == 0;
    const int result = ListFolder(ResolveWithoutOverlay(path), entries);
    if (!hasUser)
    {
        return result;
    }
    if (result != 0)
    {
        entries.clear();
    }
    for (DirEntry& entry : userEntries)
    {
        const auto same = std::find_if(entries.begin(), entries.end(),
                                       [&entry](const DirEntry& e) { return NamesEqualNoCase(e.name, entry.name); });
        if (same != entries.end())
        {
            *same = std::move(entry);
        }
        else
        {
            entries.push_back(std::move(entry));
        }
    }
    std::sort(entries.begin(), entries.end(),
              [](const DirEntry& a, const DirEntry& b) { return NameLessNoCase(a.name, b.name); });
    return 0;
}

bool DirectoryExists(std::string_view path)
{
    if (path.empty() || HasEmbeddedNul(path))
    {
        return false;
    }
    const std::string native = ResolvePath(path);
    struct stat info;
    return stat(native.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsWritableFolder(std::string_view path)
{
    if (path.empty() || HasEmbeddedNul(path))
    {
        return false;
    }
    const std::string native = ResolveWithoutOverlay(path);
    return access(native.c_str(), W_OK | X_OK) == 0;
}

int CreateDirectory(std::string_view path)
{
    if (HasEmbeddedNul(path))
    {
        return EINVAL;
    }
    const std::string native = ResolvePathForWriting(path);
    return mkdir(native.c_str(), kNewDirectoryMode) == 0 ? 0 : errno;
}

int RemoveDirectory(std::string_view path)
{
    if (HasEmbeddedNul(path))
    {
        return EINVAL;
    }
    std::string native = ResolvePathForWriting(path);
    // "dir/" names the link's target rather than the link itself.
    while (native.size() > 1 && native.back() == '/')
    {
        native.pop_back();
    }
    struct stat info;
    if (lstat(native.c_str(), &info) != 0)
    {
        return errno;
    }
    if (S_ISLNK(info.st_mode))
    {
        struct stat target;
        if (stat(native.c_str(), &target) != 0 || !S_ISDIR(target.st_mode))
        {
            return ENOTDIR;
        }
        return unlink(native.c_str()) == 0 ? 0 : errno;
    }
    return rmdir(native.c_str()) == 0 ? 0 : errno;
}

int DeleteFile(std::string_view path)
{
    if (HasEmbeddedNul(path))
    {
        return EINVAL;
    }
    const std::string native = ResolvePathForWriting(path);
    return unlink(native.c_str()) == 0 ? 0 : errno;
}

int GetCurrentDirectory(std::string& path)
{
    std::unique_ptr<char, decltype(&free)> current(getcwd(nullptr, 0), free);
    if (!current)
    {
        return errno;
    }
    path = current.get();
    return 0;
}

int SetCurrentDirectory(std::string_view path)
{
    if (HasEmbeddedNul(path))
    {
        return EINVAL;
    }
    const std::string native = ResolvePath(path);
    return chdir(native.c_str()) == 0 ? 0 : errno;
}

} // namespace plk::fs
