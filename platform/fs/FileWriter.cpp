// FileWriter on POSIX descriptors, with replace-by-rename.
#include "platform/fs/FileWriter.h"

#include "platform/fs/Path.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plk::fs
{
namespace
{

// Permission bits of a new file before the umask, as fopen uses.
const mode_t kNewFileMode = 0666;
// Attempts at a fresh temporary name before giving up; a clash needs another writer at the same
// nanosecond with the same counter value.
const int kTemporaryNameAttempts = 16;

std::atomic<unsigned> g_temporaryCounter{0};

std::string TemporaryNameFor(const std::string& target)
{
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return target + ".~plk" + std::to_string(getpid()) + "_" + std::to_string(g_temporaryCounter++) + "_" +
           std::to_string(ticks % 1000000);
}

int CloseChecked(int fd)
{
    if (close(fd) != 0 && errno != EINTR)
    {
        return errno;
    }
    return 0;
}

} // namespace

FileWriter::~FileWriter()
{
    Discard();
}

int FileWriter::Open(std::string_view path, WriteMode mode)
{
    Discard();
    if (HasEmbeddedNul(path))
    {
        return EINVAL;
    }
    m_target = ResolvePathForWriting(path);
    if (mode == WriteMode::kAppend)
    {
        const int fd = open(m_target.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, kNewFileMode);
        if (fd < 0)
        {
            return errno;
        }
        m_fd = fd;
        return 0;
    }

    struct stat existing;
    const bool exists = lstat(m_target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode))
    {
        return EISDIR;
    }
    if (exists && access(m_target.c_str(), W_OK) != 0)
    {
        return errno;
    }
    // A rename would replace a link by a plain file, and a device or pipe cannot be renamed over:
    // those are written in place.
    if (exists && !S_ISREG(existing.st_mode))
    {
        return OpenInPlace();
    }
    const mode_t permissions = exists ? (existing.st_mode & 07777) : kNewFileMode;
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt)
    {
        const std::string temporary = TemporaryNameFor(m_target);
        const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, permissions);
        if (fd >= 0)
        {
            m_fd = fd;
            m_temporary = temporary;
            // The umask applied to the open; a replaced file keeps exactly the bits it had.
            if (exists)
            {
                fchmod(fd, permissions);
            }
            return 0;
        }
        // A folder that takes no new names still lets its writable files be rewritten, as the
        // system always allowed: then the file is replaced in place, without the safety net.
        if (exists && (errno == EACCES || errno == EPERM))
        {
            return OpenInPlace();
        }
        if (errno != EEXIST)
        {
            return errno;
        }
    }
    return EEXIST;
}

int FileWriter::OpenInPlace()
{
    const int fd = open(m_target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
    {
        return errno;
    }
    m_fd = fd;
    return 0;
}

int FileWriter::Write(std::span<const char> data)
{
    if (m_fd < 0)
    {
        return EBADF;
    }
    std::size_t done = 0;
    while (done < data.size())
    {
        const ssize_t put = write(m_fd, data.data() + done, data.size() - done);
        if (put < 0)
        {
            if (errno == EINTR)
            {
                continue;
            }
            return errno;
        }
        done += static_cast<std::size_t>(put);
    }
    return 0;
}

int FileWriter::Commit()
{
    if (m_fd < 0)
    {
        return EBADF;
    }
    if (m_temporary.empty())
    {
        const int result = CloseChecked(m_fd);
        m_fd = -1;
        return result;
    }
    // The data must be on disk before the name points at it, or a crash could leave an empty file.
    int result = (fsync(m_fd) == 0) ? 0 : errno;
    const int closeResult = CloseChecked(m_fd);
    m_fd = -1;
    if (result == 0)
    {
        result = closeResult;
    }
    if (result == 0 && rename(m_temporary.c_str(), m_target.c_str()) != 0)
    {
        result = errno;
    }
    if (result != 0)
    {
        unlink(m_temporary.c_str());
    }
    m_temporary.clear();
    return result;
}

void FileWriter::Discard()
{
    if (m_fd >= 0)
    {
        close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.empty())
    {
        unlink(m_temporary.c_str());
        m_temporary.clear();
    }
}

int WriteWholeFile(std::string_view path, std::span<const char> data, WriteMode mode)
{
    FileWriter writer;
    int result = writer.Open(path, mode);
    if (result == 0)
    {
        result = writer.Write(data);
    }
    if (result == 0)
    {
        result = writer.Commit();
    }
    return result;
}

} // namespace plk::fs
