// XString members that ask the system: registry values, computer name, system folder, GUIDs, time.
#include "foundation/XDateTime.h"
#include "foundation/XException.h"
#include "foundation/XString.h"
#include "platform/fs/Registry.h"
#include "platform/fs/SystemInfo.h"

#include <cctype>
#include <string>
#include <vector>

namespace
{

const char* const kRegistryRoots[] = {"HKEY_CLASSES_ROOT",  "HKEY_CURRENT_CONFIG", "HKEY_CURRENT_USER",
                                      "HKEY_LOCAL_MACHINE", "HKEY_USERS",          "HKEY_DYN_DATA"};

// Room the computer name is given before the system fills it in.
const unsigned kComputerNameReserve = 16;

bool IsRegistryRoot(const std::string& root)
{
    for (const char* known : kRegistryRoots)
    {
        if (root == known)
            return true;
    }
    return false;
}

} // namespace

bool XString::ReadRegistryValue(const char* path)
{
    ClearErrorMsg();
    std::string text(path ? path : "");
    if (!text.empty() && text.back() == '\\')
        text.pop_back();
    const size_t first = text.find('\\');
    const size_t last = text.rfind('\\');
    std::string root = text.substr(0, first);
    for (char& c : root)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    const std::string valueName = (last == std::string::npos) ? std::string() : text.substr(last + 1);
    const std::string subkey = (first == last) ? std::string() : text.substr(first + 1, last - first - 1);

    if (!IsRegistryRoot(root))
    {
        SetErrorMsg("Error: in XString::ReadRegistryValue failed. Found unsupported key type = ",
                    root.c_str());
        return false;
    }
    plk::fs::RegistryKey key;
    if (const int code = key.Open(root, subkey); code != 0)
    {
        SetErrorMsg("Error: in XString::ReadRegistryValue RegOpenKey failed. Code = ");
        AppendErrorMsg(code);
        return false;
    }
    std::vector<char> value;
    if (const int code = key.QueryValue(valueName, value); code != 0)
    {
        SetErrorMsg("Error: in XString::ReadRegistryValue RegQueryValueEx failed. Code = ");
        AppendErrorMsg(code);
        return false;
    }
    SetLengthRaw(0);
    if (value.empty())
        return true;
    // A string value stored the Windows way ends in its terminator, which is not text; a value
    // written by hand usually has none, and then its last character is text and must stay.
    unsigned length = unsigned(value.size());
    if (value.back() == '\0')
        --length;
    try
    {
        MakeSize(length);
    }
    catch (const XException& e)
    {
        Rethrow(e, "in ReadRegistryValue MakeSize failed. Msg=");
    }
    std::copy(value.begin(), value.begin() + length, Data());
    SetLengthRaw(length);
    return true;
}

bool XString::GetComputerName()
{
    ClearErrorMsg();
    SetLengthRaw(0);
    std::string name;
    try
    {
        MakeSize(kComputerNameReserve);
        if (plk::fs::GetHostName(name) != 0)
        {
            SetErrorMsg("Error: in XString::GetComputerName failed to get computer name.");
            return false;
        }
        SetData(name.c_str(), int(name.size()));
    }
    catch (const XException& e)
    {
        Rethrow(e, "in GetComputerName MakeSize failed. Msg=");
    }
    return true;
}

bool XString::GetSystemDirectory()
{
    ClearErrorMsg();
    const std::string directory = plk::fs::SystemDirectory();
    if (directory.empty())
    {
        SetErrorMsg("Error: in XString::GetSystemDirectory failed to obtain system directory.");
        return false;
    }
    try
    {
        XString result(directory.c_str());
        result.AppendNoExist('\\');
        SetData(result);
    }
    catch (const XException& e)
    {
        Rethrow(e, "in GetSystemDirectory failed. Msg=");
    }
    return true;
}

bool XString::CreateGuid(bool withoutDashes)
{
    ClearErrorMsg();
    std::string guid = plk::fs::NewGuid();
    if (withoutDashes)
        std::erase(guid, '-');
    try
    {
        SetData(guid.c_str(), int(guid.size()));
    }
    catch (const XException& e)
    {
        Rethrow(e, "in CreateGuid failed at last copy. Msg=");
    }
    return true;
}

bool XString::GetTime(const char* format, bool utc)
{
    ClearErrorMsg();
    try
    {
        XDateTime now(utc);
        // Formatted aside, so that a pattern the formatter refuses leaves this text as it was.
        XString formatted;
        if (!now.SetNow() || !now.Format(formatted, format))
        {
            if (format)
                SetErrorMsg("Error: in XString::GetTime failed for Format=", format);
            else
                SetErrorMsg("Error: in XString::GetTime failed for the default time format.");
            return false;
        }
        SetData(formatted);
    }
    catch (const XException& e)
    {
        Rethrow(e, "in GetTime failed. Msg=");
    }
    return true;
}
