// Random bytes through getrandom(2).
#include "platform/crypto/Random.h"

#include <cerrno>
#include <sys/random.h>

namespace plk::crypto
{

bool RandomBytes(std::span<std::uint8_t> bytes)
{
    std::size_t filled = 0;
    while (filled < bytes.size())
    {
        // Requests over 256 bytes may come back short, and a signal may interrupt the call.
        const ssize_t got = getrandom(bytes.data() + filled, bytes.size() - filled, 0);
        if (got < 0)
        {
            if (errno == EINTR)
                continue;
            return false;
        }
        filled += static_cast<std::size_t>(got);
    }
    return true;
}

} // namespace plk::crypto
