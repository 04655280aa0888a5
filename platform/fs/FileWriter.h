// Writing a file in steps (open, write, commit). Replacing a file never leaves it half written:
// the new bytes go to a temporary file beside it that takes the old one's place only when
// everything has been written, so a full disk cannot destroy a saved game.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace plk::fs
{

enum class WriteMode
{
    kReplace, // the file ends up holding exactly what was written
    kAppend,  // written bytes go after the existing ones; a missing file is created
};

class FileWriter
{
  public:
    FileWriter() = default;
    // Discards an uncommitted replacement, leaving the original file as it was.
    ~FileWriter();
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    // Opens an in-program path (backslashes, any case) for writing; the folder must exist. A new
    // file takes the name as given. A read-only existing file is refused with EACCES, as the system
    // would refuse to open it. Returns 0 or an errno value.
    int Open(std::string_view path, WriteMode mode);

    // Writes all of data. Returns 0 or an errno value.
    int Write(std::span<const char> data);

    // Makes the written bytes the file's content and closes it. Returns 0 or an errno value; on
    // failure a replaced file keeps its old content.
    int Commit();

  private:
    // Truncates and writes the target itself, for files a rename cannot replace.
    int OpenInPlace();
    void Discard();

    int m_fd = -1;
    std::string m_target;    // the file as the OS names it
    std::string m_temporary; // empty when writing straight into the target
};

// Open, write and commit in one call. Returns 0 or an errno value.
int WriteWholeFile(std::string_view path, std::span<const char> data, WriteMode mode);

} // namespace plk::fs
