// FileReader on POSIX descriptors.
#include "platform/fs/FileReader.h"

#include "platform/fs/Path.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plk::fs
{

FileReader::~FileReader()
{
    Close();
}

int FileReader::Open(std::string_view path)
{
    Close();
    if (HasEmbeddedNul(path))
    {
        return EINVAL;
    }
    const std::string native = ResolvePath(path);
    const int fd = open(native.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
    {
        return errno;
    }
    struct stat info;
    if (fstat(fd, &info) != 0)
    {
        const int error = errno;
        close(fd);
        return error;
    }
    // Linux opens a directory for reading; only the read would fail, with a misleading step.
    if (S_ISDIR(info.st_mode))
    {
        close(fd);
        return EISDIR;
    }
    m_fd = fd;
    return 0;
}

int FileReader::Size(std::uint64_t& size) const
{
    if (m_fd < 0)
    {
        return EBADF;
    }
    struct stat info;
    if (fstat(m_fd, &info) != 0)
    {
        return errno;
    }
    size = static_cast<std::uint64_t>(info.st_size);
    return 0;
}

int FileReader::Read(std::span<char> data)
{
    if (m_fd < 0)
    {
        return EBADF;
    }
    std::size_t done = 0;
    while (done < data.size())
    {
        const ssize_t got = read(m_fd, data.data() + done, data.size() - done);
        if (got < 0)
        {
            if (errno == EINTR)
            {
                continue;
            }
            return errno;
        }
        if (got == 0)
        {
            return EIO;
        }
        done += static_cast<std::size_t>(got);
    }
    return 0;
}

void FileReader::Close()
{
    if (m_fd >= 0)
    {
        close(m_fd);
        m_fd = -1;
    }
}

int ReadWholeFile(std::string_view path, std::vector<char>& out)
{
    FileReader reader;
    std::uint64_t size = 0;
    int result = reader.Open(path);
    if (result == 0)
    {
        result = reader.Size(size);
    }
    if (result == 0 && size > out.max_size())
    {
        result = EFBIG;
    }
    if (result == 0)
    {
        out.resize(static_cast<std::size_t>(size));
        result = reader.Read(out);
    }
    return result;
}

} // namespace plk::fs
