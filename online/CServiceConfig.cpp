// The service's base URL and the endpoints and namespaces derived from it.
#include "online/CServiceConfig.h"

namespace
{

XString Joined(const XString& base, const char* tail)
{
    XString text(base);
    text += tail;
    return text;
}

} // namespace

const char* const CServiceConfig::kDefaultBaseUrl = "http://127.0.0.1:8780/";

XString CServiceConfig::LoginEndpoint() const
{
    return Joined(baseUrl, "ws/login/login.asmx");
}

XString CServiceConfig::LoginNamespace() const
{
    return Joined(baseUrl, "ws/");
}

XString CServiceConfig::ScoreEndpoint() const
{
    return Joined(baseUrl, "ws/gamescore/gamescore.asmx");
}

XString CServiceConfig::ScoreNamespace() const
{
    return Joined(baseUrl, "ws/gamescore/");
}

bool CServiceConfig::Normalise(XString& url, XString& error)
{
    XString text(url);
    // Registry values written by shell tools often end in a line break; it is never part of a URL.
    while (text.EndsWith('\n') || text.EndsWith('\r'))
        text.Truncate(text.GetLength() - 1);
    unsigned schemeLength = 0;
    if (text.StartsWithNoCase("http://"))
        schemeLength = 7;
    else if (text.StartsWithNoCase("https://"))
        schemeLength = 8;
    bool clean = schemeLength != 0;
    for (unsigned i = 0; clean && i < text.GetLength(); ++i)
    {
        const unsigned char c = static_cast<unsigned char>(*text.GetBuffer(i));
        clean = c > ' ' && c != 0x7F;
    }
    const char first = clean ? *text.GetBuffer(schemeLength) : '\0';
    if (!clean || first == '\0' || first == '/' || first == ':' || first == '?' || first == '#')
    {
        error = "Error: the score service address \"";
        error += text;
        error += "\" is not an http:// or https:// address with a host.";
        return false;
    }
    if (!text.EndsWith('/'))
        text += '/';
    url = text;
    return true;
}

XString CServiceConfig::ReadRegistry(const char* machineKey, const char* userKey, const char* valueName,
                                     XString& warnings)
{
    for (const char* key : {machineKey, userKey})
    {
        XString path(key);
        path += valueName;
        XString value;
        if (!value.ReadRegistryValue(path.GetBuffer()) || value.IsEmpty())
            continue;
        XString error;
        if (Normalise(value, error))
            return value;
        warnings += error;
        warnings += " (registry value ";
        warnings += path;
        warnings += ")\n";
    }
    return XString(kDefaultBaseUrl);
}
