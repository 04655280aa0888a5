// Appending entries to the game's log file.
#include "foundation/CLogFile.h"

#include "platform/fs/Path.h"

#include <filesystem>
#include <string>

const char* const CLogFile::kRelativePath = "Logs\\PlinkettLog.txt";

namespace
{

// The file's size in bytes, or -1 when it does not exist.
long long FileSize(const XString& path)
{
    const std::string native = plk::fs::ResolvePath(path.GetBuffer());
    std::error_code error;
    const auto size = std::filesystem::file_size(native, error);
    return error ? -1 : static_cast<long long>(size);
}

// A function's static, so that a log line written while other statics are still being built
// finds the folder already constructed.
XString& DataFolderStore()
{
    static XString folder;
    return folder;
}

} // namespace

void CLogFile::SetDataFolder(const XString& dataFolder)
{
    DataFolderStore() = dataFolder;
}

const XString& CLogFile::GetDataFolder()
{
    return DataFolderStore();
}

CLogFile::CLogFile() : XString(true, false)
{
}

void CLogFile::Clear()
{
    XString::operator=("");
}

void CLogFile::Write()
{
    WriteTo(GetDataFolder());
}

void CLogFile::WriteTo(const XString& dataFolder)
{
    XString path(dataFolder);
    path += kRelativePath;
    const long long size = FileSize(path);
    if (size >= 0 && static_cast<long long>(GetLength()) + size > static_cast<long long>(m_uiSizeLimit))
    {
        XString doomed(path);
        doomed.DeleteFile();
    }
    if (!EndsWith("\r\n"))
        *this += "\r\n";
    WriteFile(path.GetBuffer(), true, kFileBinary | kFileAppend);
}

void CLogFile::WriteLine(const XString& text)
{
    CLogFile log;
    log += text;
    log.Write();
}
