// Host name from POSIX, GUIDs from libuuid.
#include "platform/fs/SystemInfo.h"

#include <array>
#include <cerrno>
#include <unistd.h>
#include <uuid/uuid.h>

namespace plk::fs
{
namespace
{

// POSIX host names are at most 255 bytes (HOST_NAME_MAX is 64 on Linux); one more for the NUL.
const std::size_t kHostNameBuffer = 256;
// uuid_unparse writes 36 characters and a NUL.
const std::size_t kGuidTextBuffer = 37;

} // namespace

int GetHostName(std::string& name)
{
    std::array<char, kHostNameBuffer> buffer{};
    if (gethostname(buffer.data(), buffer.size() - 1) != 0)
    {
        return errno;
    }
    name = buffer.data();
    return 0;
}

std::string SystemDirectory()
{
    return "/usr/lib";
}

std::string NewGuid()
{
    uuid_t guid;
    uuid_generate(guid);
    std::array<char, kGuidTextBuffer> text{};
    uuid_unparse_lower(guid, text.data());
    return text.data();
}

} // namespace plk::fs
