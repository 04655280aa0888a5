// XStringArray: an XArray of XString with an error text, able to fill itself from a folder tree.
#pragma once

#include "foundation/XArray.h"
#include "foundation/XString.h"

class XStringArray : public XArray<XString>
{
public:
    XStringArray() = default;
    XStringArray(const XStringArray& other);
    ~XStringArray() override;
    // Copies the other's error text and elements.
    XStringArray& operator=(const XStringArray& other);

    using XArray<XString>::Add;
    void Add(const char* text, unsigned times = 1, unsigned* firstIndex = nullptr);

    // Appends path\name for files and path\name\ for folders, in the file system's order.
    // Failures return false with the reason in GetErrorMsg(); they never throw.
    bool RecurseFolder(const char* path, bool files, bool directories, bool recurse);
    // Empty the array first; on failure the array stays empty.
    bool GetFileList(const char* path, bool recurse);
    bool GetFileDirectoryList(const char* path, bool recurse);

    // "" when no error text was ever created.
    const char* GetErrorMsg() const;

private:
    // The error text, created on first use; `memoryError` is the code-1 message if that fails.
    XString& ErrorText(const char* memoryError);

    XString* m_pErrorMsg = nullptr;
};
