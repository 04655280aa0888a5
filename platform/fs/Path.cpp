// Separator conversion and case-insensitive name resolution.
#include "platform/fs/Path.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <memory>
#include <optional>
#include <sys/stat.h>

namespace plk::fs
{
namespace
{

char FoldUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EntryExists(const std::string& path)
{
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

// The folder entry that matches name without regard to case, if any.
std::optional<std::string> FindNoCase(const std::string& folder, std::string_view name)
{
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.empty() ? "." : folder.c_str()), closedir);
    if (!dir)
    {
        return std::nullopt;
    }
    std::optional<std::string> best;
    while (const dirent* entry = readdir(dir.get()))
    {
        std::string_view candidate(entry->d_name);
        if (NamesEqualNoCase(candidate, name) && (!best || candidate < *best))
        {
            best = std::string(candidate);
        }
    }
    return best;
}

// Folders of the overlay in OS form, each ending in "/"; both empty when there is none.
std::string g_sharedFolder;
std::string g_userFolder;

const mode_t kOverlayFolderMode = 0755;

std::string FolderForm(std::string_view path)
{
    std::string folder = ToNativePath(path);
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}

// The case-folding resolution of a path in OS form.
std::string ResolveNative(const std::string& native);

// The per-user counterpart of a path in OS form inside the shared folder, unresolved.
std::optional<std::string> UserCounterpart(const std::string& native)
{
    if (g_sharedFolder.empty())
        return std::nullopt;
    if (native.size() + 1 == g_sharedFolder.size() && g_sharedFolder.compare(0, native.size(), native) == 0)
        return g_userFolder;
    if (native.compare(0, g_sharedFolder.size(), g_sharedFolder) != 0)
        return std::nullopt;
    return g_userFolder + native.substr(g_sharedFolder.size());
}

} // namespace

void SetUserOverlay(std::string_view sharedFolder, std::string_view userFolder)
{
    if (sharedFolder.empty() || userFolder.empty())
    {
        g_sharedFolder.clear();
        g_userFolder.clear();
        return;
    }
    g_sharedFolder = FolderForm(sharedFolder);
    g_userFolder = FolderForm(userFolder);
}

std::string UserOverlayFolder()
{
    return g_userFolder;
}

std::string ResolveUserSide(std::string_view path)
{
    const std::optional<std::string> user = UserCounterpart(ToNativePath(path));
    return user ? ResolveNative(*user) : std::string();
}

std::string ResolveWithoutOverlay(std::string_view path)
{
    return ResolveNative(ToNativePath(path));
}

std::string ResolvePathForWriting(std::string_view path)
{
    const std::optional<std::string> user = UserCounterpart(ToNativePath(path));
    if (!user)
        return ResolvePath(path);
    const std::string resolved = ResolveNative(*user);
    // Every folder from the per-user root down to the file's own: the shared tree has them, the
    // per-user one only once something was written there.
    for (std::size_t slash = 0; (slash = resolved.find('/', slash + 1)) != std::string::npos;)
    {
        const std::string folder = resolved.substr(0, slash);
        if (!EntryExists(folder) && mkdir(folder.c_str(), kOverlayFolderMode) != 0 && errno != EEXIST)
            break;
    }
    return resolved;
}

std::string ToNativePath(std::string_view path)
{
    std::string native(path);
    std::replace(native.begin(), native.end(), '\\', '/');
    return native;
}

bool HasEmbeddedNul(std::string_view path)
{
    return path.find('\0') != std::string_view::npos;
}

bool NamesEqualNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return FoldUpper(x) == FoldUpper(y); });
}

bool NameLessNoCase(std::string_view a, std::string_view b)
{
    const auto folded = [](char x, char y)
    { return static_cast<unsigned char>(FoldUpper(x)) < static_cast<unsigned char>(FoldUpper(y)); };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), folded))
    {
        return true;
    }
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), folded))
    {
        return false;
    }
    return a < b;
}

std::string ResolvePath(std::string_view path)
{
    const std::string native = ToNativePath(path);
    if (const std::optional<std::string> user = UserCounterpart(native))
    {
        std::string resolved = ResolveNative(*user);
        if (EntryExists(resolved))
            return resolved;
    }
    return ResolveNative(native);
}

namespace
{

std::string ResolveNative(const std::string& native)
{
    if (native.empty() || EntryExists(native))
    {
        return native;
    }
    std::string resolved;
    std::size_t pos = 0;
    if (native[0] == '/')
    {
        resolved.push_back('/');
        pos = 1;
    }
    // Once a component matches nothing, nothing below it can exist: the rest stays as given.
    bool searching = true;
    while (true)
    {
        const std::size_t slash = native.find('/', pos);
        const std::size_t end = (slash == std::string::npos) ? native.size() : slash;
        const std::string_view component(native.data() + pos, end - pos);
        std::string name(component);
        if (searching && !component.empty() && component != "." && component != "..")
        {
            if (!EntryExists(resolved + name))
            {
                if (std::optional<std::string> match = FindNoCase(resolved, component))
                {
                    name = *match;
                }
                else
                {
                    searching = false;
                }
            }
        }
        resolved += name;
        if (slash == std::string::npos)
        {
            break;
        }
        resolved += '/';
        pos = slash + 1;
    }
    return resolved;
}

} // namespace

} // namespace plk::fs
