// XString members that read, write and delete files and folders named by in-program paths.
#include "foundation/XException.h"
#include "foundation/XString.h"
#include "foundation/XStringArray.h"
#include "platform/fs/Directory.h"
#include "platform/fs/FileReader.h"
#include "platform/fs/FileWriter.h"

#include <cctype>
#include <cstdint>
#include <string_view>

namespace
{

// Paths handed over by the OS (the install folder, the temporary folder) arrive with "/", so
// both separators split a path.
bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool IsOnlySeparators(std::string_view text)
{
    for (char c : text)
    {
        if (!IsSeparator(c))
            return false;
    }
    return true;
}

// Creates one folder; a folder that appeared meanwhile (another process) counts as created.
bool CreateOneDirectory(std::string_view path)
{
    return plk::fs::CreateDirectory(path) == 0 || plk::fs::DirectoryExists(path);
}

unsigned CountSeparators(const XString& text)
{
    return text.Count('\\') + text.Count('/');
}

// Deeper entries first, so that every folder is empty by the time its turn comes; entries of
// equal depth in descending order, which puts a folder's files before the folder itself.
int CompareDeeperFirst(const void* a, const void* b)
{
    const XString& left = *static_cast<const XString*>(a);
    const XString& right = *static_cast<const XString*>(b);
    const unsigned leftDepth = CountSeparators(left);
    const unsigned rightDepth = CountSeparators(right);
    if (leftDepth != rightDepth)
        return leftDepth > rightDepth ? -1 : 1;
    return right.CompareNoCase(left);
}

} // namespace

bool XString::ReadFile(const char* filename, unsigned /*mode*/)
{
    // The binary bit (0x04) changes nothing here: the OS has no text mode to translate newlines.
    ClearErrorMsg();
    if (!filename)
    {
        SetErrorMsg("Error: in XString::ReadFile filename is NULL.");
        return false;
    }
    if (!*filename)
    {
        SetErrorMsg("Error: in XString::ReadFile filename is zero length.");
        return false;
    }
    plk::fs::FileReader reader;
    if (reader.Open(filename) != 0)
    {
        SetErrorMsg("Error: in XString::ReadFile failed to open filename=", filename);
        return false;
    }
    uint64_t size = 0;
    if (reader.Size(size) != 0)
    {
        SetErrorMsg("Error: in XString::ReadFile failed to seek to start of file.");
        return false;
    }
    // The length is 32-bit and one byte more holds the terminator.
    if (size >= UINT32_MAX)
    {
        SetErrorMsg("Error: in XString::ReadFile failed to read file data.");
        return false;
    }
    try
    {
        MakeSize(unsigned(size));
    }
    catch (const XException& e)
    {
        Rethrow(e, "in ReadFile MakeSize failed. Msg=");
    }
    if (reader.Read(std::span<char>(Data(), size_t(size))) != 0)
    {
        // The buffer now holds part of the file: better empty than a mix of old and new text.
        SetLengthRaw(0);
        SetErrorMsg("Error: in XString::ReadFile failed to read file data.");
        return false;
    }
    SetLengthRaw(unsigned(size));
    return true;
}

bool XString::WriteFile(const char* filename, bool createDirectories, unsigned mode)
{
    ClearErrorMsg();
    if (!filename)
    {
        SetErrorMsg("Error: in XString::WriteFile filename is NULL.");
        return false;
    }
    if (!*filename)
    {
        SetErrorMsg("Error: in XString::WriteFile filename is zero length.");
        return false;
    }
    try
    {
        XString directory(filename);
        int last = directory.FindRev('\\');
        const int lastSlash = directory.FindRev('/');
        if (lastSlash > last)
            last = lastSlash;
        // A name without a folder lies in the current directory, which exists; "/name" lies in "/".
        if (last > 0)
        {
            directory.Truncate(unsigned(last));
            if (!directory.DirectoryExists())
            {
                if (!createDirectories)
                {
                    SetErrorMsg("Error: in XString::WriteFile filename path does not exist.");
                    return false;
                }
                if (!directory.CreateDirectory())
                {
                    SetErrorMsg("Error: in XString::WriteFile CreateDirectory failed. Msg=",
                                directory.GetErrorMsg());
                    return false;
                }
            }
        }
    }
    catch (const XException& e)
    {
        Rethrow(e, "in WriteFile failed. Msg=");
    }

    // Truncate wins over append. Opening at the end (0x40) changes nothing for a write of the
    // whole text: a replaced file starts empty and an appended one is written at its end anyway.
    const bool append = (mode & kFileAppend) && !(mode & kFileTruncate);
    plk::fs::FileWriter writer;
    if (writer.Open(filename, append ? plk::fs::WriteMode::kAppend : plk::fs::WriteMode::kReplace) != 0)
    {
        SetErrorMsg("Error: in XString::WriteFile failed to open filename=", filename);
        return false;
    }
    if (writer.Write(std::span<const char>(Data(), m_uiLength)) != 0 || writer.Commit() != 0)
    {
        SetErrorMsg("Error: in XString::WriteFile failed to write file data.");
        return false;
    }
    return true;
}

bool XString::DeleteFile()
{
    ClearErrorMsg();
    if (plk::fs::DeleteFile(std::string_view(Data(), m_uiLength)) != 0)
    {
        SetErrorMsg("Error: in XString::DeleteFile failed to delete filename=", Data());
        return false;
    }
    return true;
}

bool XString::DirectoryExists() const
{
    // Asking the OS about the path answers for "\\server", "C:\" and "/" forms alike, at any
    // length, and never changes the process's current directory, which other threads rely on.
    return plk::fs::DirectoryExists(std::string_view(Data(), m_uiLength));
}

bool XString::CreateDirectory()
{
    ClearErrorMsg();
    if (m_uiLength == 0)
    {
        SetErrorMsg("Error: in XString::CreateDirectory directory path is zero length.");
        return false;
    }
    const std::string_view text(Data(), m_uiLength);
    size_t partBegin = 0;
    if (text.size() >= 3)
    {
        if (std::isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':' && text[2] == '\\')
            partBegin = 3;
        else if (text[0] == '\\' && text[1] == '\\')
            partBegin = 2;
    }
    bool done = true;
    for (size_t i = partBegin; i <= text.size(); ++i)
    {
        if (i < text.size() && !IsSeparator(text[i]))
            continue;
        if (i > partBegin)
        {
            const std::string_view prefix = text.substr(0, i);
            done = plk::fs::DirectoryExists(prefix) || CreateOneDirectory(prefix);
        }
        partBegin = i + 1;
    }
    if (!done)
    {
        SetErrorMsg("Error: in XString::CreateDirectory failed for path=", Data());
        return false;
    }
    return true;
}

bool XString::RemoveDirectory()
{
    ClearErrorMsg();
    if (m_uiLength == 0)
    {
        SetErrorMsg("Error: in XString::RemoveDirectory directory path is zero length.");
        return false;
    }
    // "\" and "/" (or "//", "\\") name the root of the file system here: never walk it.
    if (IsOnlySeparators(std::string_view(Data(), m_uiLength)))
    {
        SetErrorMsg("Error: in XString::RemoveDirectory invalid directory path=", Data());
        return false;
    }
    try
    {
        XString directory(*this);
        if (!directory.EndsWith('\\') && !directory.EndsWith('/'))
            directory += '\\';
        // An empty folder, or a link to a folder, goes at once: the link is removed as a link and
        // the folder it points to is never walked. A folder with entries refuses, and its entries
        // go first.
        if (plk::fs::RemoveDirectory(std::string_view(directory.Data(), directory.m_uiLength)) == 0)
            return true;

        XStringArray entries;
        if (!entries.GetFileDirectoryList(directory.GetBuffer(), true))
        {
            SetErrorMsg("Error: in XString::RemoveDirectory could not obtain directory list. Msg=",
                        entries.GetErrorMsg());
            return false;
        }
        entries.Sort(CompareDeeperFirst);
        for (unsigned i = 0; i < entries.GetCount(); ++i)
        {
            const XString& entry = entries.Get(i);
            const std::string_view path(entry.GetBuffer(), entry.GetLength());
            if (entry.EndsWith('\\'))
            {
                if (plk::fs::RemoveDirectory(path) != 0)
                {
                    SetErrorMsg("Error: in XString::RemoveDirectory could not remove directory=",
                                entry.GetBuffer());
                    return false;
                }
            }
            else if (plk::fs::DeleteFile(path) != 0)
            {
                SetErrorMsg("Error: in XString::RemoveDirectory could not remove file=", entry.GetBuffer());
                return false;
            }
        }
        if (plk::fs::RemoveDirectory(std::string_view(directory.Data(), directory.m_uiLength)) != 0)
        {
            SetErrorMsg("Error: in XString::RemoveDirectory could not remove directory=",
                        directory.GetBuffer());
            return false;
        }
    }
    catch (const XException& e)
    {
        Rethrow(e, "in RemoveDirectory failed. Msg=");
    }
    return true;
}
