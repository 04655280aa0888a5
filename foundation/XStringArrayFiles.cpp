// XStringArray members that fill the array from a folder tree.
#include "foundation/XException.h"
#include "foundation/XStringArray.h"
#include "platform/fs/Directory.h"

#include <vector>

namespace
{

const char kClassName[] = "XStringArray";

} // namespace

bool XStringArray::RecurseFolder(const char* path, bool files, bool directories, bool recurse)
{
    XString& error = ErrorText("in RecurseFolder could not allocate memory for return error.");
    std::vector<plk::fs::DirEntry> entries;
    XString folder;
    try
    {
        error = "";
        folder = path;
        folder.AppendNoExist('\\');
        // A NULL path would read as "\", the root of the whole file system: it names no folder.
        if (!path ||
            plk::fs::ListDirectory(std::string_view(folder.GetBuffer(), folder.GetLength()), entries) != 0)
        {
            error = "Error: in XStringArray::RecurseFolder could not find first file for directory path=";
            error += folder;
            error += "*. The path might not exist.";
            return false;
        }
    }
    catch (const XException& e)
    {
        throw XException(e.GetCode(), kClassName, "in RecurseFolder failed. Msg=", e.GetMessage());
    }

    for (const plk::fs::DirEntry& entry : entries)
    {
        XString item;
        try
        {
            item = folder;
            item.AppendData(entry.name.data(), unsigned(entry.name.size()));
            if (entry.isDirectory)
                item += '\\';
        }
        catch (const XException& e)
        {
            throw XException(e.GetCode(), kClassName, "in RecurseFolder failed. Msg=", e.GetMessage());
        }
        if ((entry.isDirectory && directories) || (!entry.isDirectory && files))
        {
            try
            {
                Add(item);
            }
            catch (const XException& e)
            {
                throw XException(e.GetCode(), kClassName, "in Add failed. Msg=", e.GetMessage());
            }
        }
        // A linked folder is listed but not entered: a link to one of its own parents would make
        // the walk endless, and RemoveDirectory must never reach through a link.
        if (entry.isDirectory && recurse && !entry.isLink &&
            !RecurseFolder(item.GetBuffer(), files, directories, recurse))
            return false;
    }
    return true;
}

bool XStringArray::GetFileList(const char* path, bool recurse)
{
    XString& error = ErrorText("in GetFileList could not allocate memory for return error.");
    Free();
    if (RecurseFolder(path, true, false, recurse))
        return true;
    Free();
    const XString inner(error);
    error = "Error: in XStringArray::GetFileList read tree failed. Msg=";
    error += inner;
    return false;
}

bool XStringArray::GetFileDirectoryList(const char* path, bool recurse)
{
    XString& error = ErrorText("in GetFileDirectoryList could not allocate memory for return error.");
    Free();
    if (RecurseFolder(path, true, true, recurse))
        return true;
    Free();
    const XString inner(error);
    error = "Error: in XStringArray::GetFileDirectoryList read tree failed. Msg=";
    error += inner;
    return false;
}
