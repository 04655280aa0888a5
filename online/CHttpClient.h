// The HTTP client of the online services: one POST, one response, on libcurl.
#pragma once

#include "foundation/XString.h"

#include <atomic>
#include <cstddef>
#include <utility>
#include <vector>

// One request. The defaults are those of every service call; tests shorten the limits.
struct CHttpRequest
{
    XString method = "POST";
    XString contentType = "text/xml; charset=utf-8"; // empty: no Content-Type line
    // Whole header lines, each ending in "\r\n", sent unchanged after Content-Type.
    XString extraHeaders;
    XString body;
    unsigned connectTimeoutMs = 10000;
    // The longest silence while sending or receiving; the call fails after it.
    unsigned ioTimeoutMs = 10000;
    // A response body beyond this fails the call instead of filling memory.
    std::size_t maxResponseBytes = std::size_t(1) << 20;
    // When another thread sets it, the call ends within a few milliseconds with false, status 0.
    const std::atomic<bool>* giveUp = nullptr;
};

// One object per call and thread. The request goes out exactly as
//   METHOD path?query HTTP/1.1 / Host: host (":port" unless the scheme's default port) /
//   Content-Length / Content-Type / extra headers / User-Agent / blank line / body
// (Host first, as HTTP/1.1 recommends and libcurl insists.)
// Redirects are not followed. "https://" URLs are verified against the system's certificates.
class CHttpClient
{
public:
    static const char* const kUserAgent;

    // True when a complete response with a 2xx status arrived. Any transport failure (lookup,
    // connect, send, receive, time-out, give-up, over-long body) is false with status 0 and an
    // empty body; any other status is false with the status, headers and body kept (a 500
    // carries a SOAP fault).
    bool Navigate(const XString& url, const CHttpRequest& request);

    int GetStatus() const { return m_iStatus; }
    const XString& GetResponse() const { return m_strBody; }
    // The response's header lines in arrival order, name and value without the blanks around it.
    const std::vector<std::pair<XString, XString>>& GetHeaders() const { return m_headers; }
    // The value of the first header of that name (compared without regard to case), or nullptr.
    const XString* FindHeader(const char* name) const;
    // "" after success; the reason after a transport failure or an unsuccessful status.
    const char* GetErrorMsg() const { return m_strErrorMsg.GetBuffer(); }

private:
    int m_iStatus = 0;
    XString m_strBody;
    std::vector<std::pair<XString, XString>> m_headers;
    XString m_strErrorMsg;
};
