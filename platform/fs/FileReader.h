// Reading a file in steps (open, size, read), so that callers can tell which step failed.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace plk::fs
{

class FileReader
{
  public:
    FileReader() = default;
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    // Opens an in-program path (backslashes, any case) for reading. A directory is refused with
    // EISDIR. Returns 0 or an errno value.
    int Open(std::string_view path);

    // Size of the open file in bytes. Returns 0 or an errno value.
    int Size(std::uint64_t& size) const;

    // Fills all of data from the current position; a file that ends early gives EIO.
    // Returns 0 or an errno value.
    int Read(std::span<char> data);

    void Close();

  private:
    int m_fd = -1;
};

// Open, size and read in one call; out holds the whole file. Returns 0 or an errno value.
int ReadWholeFile(std::string_view path, std::vector<char>& out);

} // namespace plk::fs
