// The HTTP client on libcurl's multi interface, so that a call can be given up at once and its
// silence measured in milliseconds.
#include "online/CHttpClient.h"

#include "foundation/XException.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <mutex>

namespace
{

using Clock = std::chrono::steady_clock;

// How often a waiting call looks at its give-up flag and its silence.
const int kPollMs = 20;
const long kHttpDefaultPort = 80;
const long kHttpsDefaultPort = 443;

struct EasyDeleter
{
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct MultiDeleter
{
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
struct ListDeleter
{
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
struct UrlDeleter
{
    void operator()(CURLU* url) const { curl_url_cleanup(url); }
};

bool GlobalInit()
{
    static std::once_flag once;
    static CURLcode result = CURLE_OK;
    std::call_once(once, [] { result = curl_global_init(CURL_GLOBAL_DEFAULT); });
    return result == CURLE_OK;
}

// The state the callbacks share with the waiting loop; all on the calling thread.
struct Transfer
{
    XString* body = nullptr;
    std::vector<std::pair<XString, XString>>* headers = nullptr;
    std::size_t maxBody = 0;
    bool bodyTooLong = false;
    bool outOfMemory = false;
    // Header lines after the final header block are chunked trailers: read and dropped.
    bool headerBlockDone = false;
    Clock::time_point lastActivity;
    curl_off_t lastUp = 0, lastDown = 0;
};

XString Trimmed(const char* text, std::size_t length)
{
    while (length > 0 && (text[0] == ' ' || text[0] == '\t'))
    {
        ++text;
        --length;
    }
    while (length > 0 && (text[length - 1] == ' ' || text[length - 1] == '\t' || text[length - 1] == '\r' ||
                          text[length - 1] == '\n'))
        --length;
    XString out;
    out.AppendData(text, static_cast<unsigned>(length));
    return out;
}

size_t OnHeader(char* data, size_t size, size_t count, void* user)
{
    auto& transfer = *static_cast<Transfer*>(user);
    const size_t length = size * count;
    transfer.lastActivity = Clock::now();
    try
    {
        if (length >= 5 && std::memcmp(data, "HTTP/", 5) == 0)
        {
            // A new status line: an interim 1xx response's header block is forgotten.
            transfer.headers->clear();
            transfer.headerBlockDone = false;
            return length;
        }
        if (transfer.headerBlockDone)
            return length;
        if (length <= 2 && (length == 0 || data[0] == '\r' || data[0] == '\n'))
        {
            transfer.headerBlockDone = true;
            return length;
        }
        const void* colon = std::memchr(data, ':', length);
        if (!colon)
            return length;
        const size_t nameLength = static_cast<size_t>(static_cast<const char*>(colon) - data);
        transfer.headers->emplace_back(Trimmed(data, nameLength), Trimmed(data + nameLength + 1, length - nameLength - 1));
    }
    catch (const XException&)
    {
        transfer.outOfMemory = true;
        return 0;
    }
    return length;
}

size_t OnBody(char* data, size_t size, size_t count, void* user)
{
    auto& transfer = *static_cast<Transfer*>(user);
    const size_t length = size * count;
    transfer.lastActivity = Clock::now();
    if (transfer.body->GetLength() + length > transfer.maxBody)
    {
        transfer.bodyTooLong = true;
        return 0;
    }
    try
    {
        transfer.body->AppendData(data, static_cast<unsigned>(length));
    }
    catch (const XException&)
    {
        transfer.outOfMemory = true;
        return 0;
    }
    return length;
}

int OnProgress(void* user, curl_off_t, curl_off_t downloaded, curl_off_t, curl_off_t uploaded)
{
    auto& transfer = *static_cast<Transfer*>(user);
    if (downloaded != transfer.lastDown || uploaded != transfer.lastUp)
    {
        transfer.lastDown = downloaded;
        transfer.lastUp = uploaded;
        transfer.lastActivity = Clock::now();
    }
    return 0;
}

// True when text holds no character that could end a header line early.
bool IsHeaderSafe(const XString& text)
{
    for (unsigned i = 0; i < text.GetLength(); ++i)
    {
        const unsigned char c = static_cast<unsigned char>(*text.GetBuffer(i));
        if (c < ' ' && c != '\t')
            return false;
    }
    return true;
}

bool HasHeader(const XString& lines, const char* name)
{
    const unsigned length = static_cast<unsigned>(std::strlen(name));
    unsigned start = 0;
    while (start < lines.GetLength())
    {
        if (lines.CompareNoCase(name, 0, start, length) == 0 && *lines.GetBuffer(start + length) == ':')
            return true;
        const int end = lines.Find("\r\n", start);
        if (end < 0)
            break;
        start = static_cast<unsigned>(end) + 2;
    }
    return false;
}

} // namespace

const char* const CHttpClient::kUserAgent = "Microsoft-ATL-Native/7.00";

const XString* CHttpClient::FindHeader(const char* name) const
{
    for (const auto& header : m_headers)
        if (header.first.CompareNoCase(name) == 0)
            return &header.second;
    return nullptr;
}

bool CHttpClient::Navigate(const XString& url, const CHttpRequest& request)
{
    m_iStatus = 0;
    m_strBody = "";
    m_headers.clear();
    m_strErrorMsg = "";
    auto fail = [this](const char* what, const char* detail) {
        m_iStatus = 0;
        m_strBody = "";
        m_headers.clear();
        m_strErrorMsg = "Error: in CHttpClient::Navigate, ";
        m_strErrorMsg += what;
        if (detail && *detail)
        {
            m_strErrorMsg += " Msg=";
            m_strErrorMsg += detail;
        }
        return false;
    };

    if (!IsHeaderSafe(request.method) || request.method.IsEmpty() || !IsHeaderSafe(request.contentType))
        return fail("the method or content type holds a line break.", nullptr);
    for (unsigned i = 0; i < request.extraHeaders.GetLength(); ++i)
    {
        const char c = *request.extraHeaders.GetBuffer(i);
        const bool pairedBreak = (c == '\r' && *request.extraHeaders.GetBuffer(i + 1) == '\n') ||
                                 (c == '\n' && i > 0 && *request.extraHeaders.GetBuffer(i - 1) == '\r');
        if ((c == '\r' || c == '\n') && !pairedBreak)
            return fail("an extra header holds a lone line break.", nullptr);
    }
    if (!GlobalInit())
        return fail("the network library could not be initialised.", nullptr);

    std::unique_ptr<CURLU, UrlDeleter> parts(curl_url());
    if (!parts)
        return fail("memory for the URL could not be allocated.", nullptr);
    CURLUcode urlResult = curl_url_set(parts.get(), CURLUPART_URL, url.GetBuffer(), 0);
    char* scheme = nullptr;
    char* host = nullptr;
    char* port = nullptr;
    if (urlResult == CURLUE_OK)
        urlResult = curl_url_get(parts.get(), CURLUPART_SCHEME, &scheme, 0);
    if (urlResult == CURLUE_OK)
        urlResult = curl_url_get(parts.get(), CURLUPART_HOST, &host, 0);
    if (urlResult == CURLUE_OK)
        urlResult = curl_url_get(parts.get(), CURLUPART_PORT, &port, CURLU_DEFAULT_PORT);
    XString hostLine("Host: ");
    bool supported = false;
    if (urlResult == CURLUE_OK)
    {
        const bool https = std::strcmp(scheme, "https") == 0;
        supported = https || std::strcmp(scheme, "http") == 0;
        const long portNumber = std::strtol(port, nullptr, 10);
        hostLine += host;
        if (portNumber != (https ? kHttpsDefaultPort : kHttpDefaultPort))
        {
            hostLine += ':';
            hostLine += port;
        }
    }
    curl_free(scheme);
    curl_free(host);
    curl_free(port);
    if (urlResult != CURLUE_OK)
        return fail("the URL could not be read.", curl_url_strerror(urlResult));
    if (!supported)
        return fail("the URL is neither http:// nor https://.", url.GetBuffer());

    // Every line is ours, in our order (curl moves Host to the top): curl's own Host, Accept,
    // Content-Length, Content-Type and Expect are replaced or suppressed.
    XString lines;
    lines.Format("Content-Length: %u\r\n", request.body.GetLength());
    if (!request.contentType.IsEmpty())
    {
        lines += "Content-Type: ";
        lines += request.contentType;
        lines += "\r\n";
    }
    lines += request.extraHeaders;
    if (!lines.EndsWith("\r\n"))
        lines += "\r\n";
    lines += hostLine;
    lines += "\r\nUser-Agent: ";
    lines += kUserAgent;
    lines += "\r\n";
    if (!HasHeader(request.extraHeaders, "Accept"))
        lines += "Accept:\r\n";
    lines += "Expect:\r\n";
    if (request.contentType.IsEmpty())
        lines += "Content-Type:\r\n";

    // curl keeps the list's head; a failed append leaves the list as it was.
    std::unique_ptr<curl_slist, ListDeleter> headerList;
    unsigned start = 0;
    while (start < lines.GetLength())
    {
        const int end = lines.Find("\r\n", start);
        XString line;
        line.SetData(lines.GetBuffer(start), end - static_cast<int>(start));
        start = static_cast<unsigned>(end) + 2;
        if (line.IsEmpty())
            continue;
        curl_slist* head = curl_slist_append(headerList.get(), line.GetBuffer());
        if (!head)
            return fail("memory for the header list could not be allocated.", nullptr);
        if (!headerList)
            headerList.reset(head);
    }

    std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
    std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
    if (!easy || !multi)
        return fail("the network library could not start a transfer.", nullptr);

    Transfer transfer;
    transfer.body = &m_strBody;
    transfer.headers = &m_headers;
    transfer.maxBody = request.maxResponseBytes;
    transfer.lastActivity = Clock::now();

    CURL* e = easy.get();
    curl_easy_setopt(e, CURLOPT_URL, url.GetBuffer());
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    // A resolver thread still running must not hold up a call that gives up.
    curl_easy_setopt(e, CURLOPT_QUICK_EXIT, 1L);
    curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(e, CURLOPT_HTTPHEADER, headerList.get());
    curl_easy_setopt(e, CURLOPT_POST, 1L);
    if (request.method != "POST")
        curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, request.method.GetBuffer());
    curl_easy_setopt(e, CURLOPT_POSTFIELDS, request.body.GetBuffer());
    curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.GetLength()));
    curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(request.connectTimeoutMs));
    curl_easy_setopt(e, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(request.maxResponseBytes));
    curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, OnHeader);
    curl_easy_setopt(e, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(e, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(e, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(e, CURLOPT_XFERINFOFUNCTION, OnProgress);
    curl_easy_setopt(e, CURLOPT_XFERINFODATA, &transfer);
    char curlError[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(e, CURLOPT_ERRORBUFFER, curlError);

    if (curl_multi_add_handle(multi.get(), e) != CURLM_OK)
        return fail("the network library could not start a transfer.", nullptr);
    // Removes the easy handle before either is cleaned up, on every path.
    auto detach = [&multi, e](void*) { curl_multi_remove_handle(multi.get(), e); };
    std::unique_ptr<void, decltype(detach)> attached(e, detach);

    const auto silenceLimit = std::chrono::milliseconds(std::max(request.ioTimeoutMs, request.connectTimeoutMs));
    const auto ioLimit = std::chrono::milliseconds(request.ioTimeoutMs);
    for (;;)
    {
        int running = 0;
        const CURLMcode performed = curl_multi_perform(multi.get(), &running);
        if (performed != CURLM_OK)
            return fail("the transfer failed.", curl_multi_strerror(performed));
        if (running == 0)
            break;
        if (request.giveUp && request.giveUp->load(std::memory_order_acquire))
            return fail("the call was given up.", nullptr);
        // Before the first byte moves, curl's connect limit governs; afterwards, silence does.
        const bool moved = transfer.lastUp != 0 || transfer.lastDown != 0 || !m_headers.empty();
        if (Clock::now() - transfer.lastActivity > (moved ? ioLimit : silenceLimit))
            return fail("the server did not answer in time.", nullptr);
        curl_multi_poll(multi.get(), nullptr, 0, kPollMs, nullptr);
    }

    int queued = 0;
    CURLcode result = CURLE_GOT_NOTHING;
    while (CURLMsg* message = curl_multi_info_read(multi.get(), &queued))
        if (message->msg == CURLMSG_DONE && message->easy_handle == e)
            result = message->data.result;
    if (transfer.bodyTooLong || result == CURLE_FILESIZE_EXCEEDED)
        return fail("the response body is longer than the limit.", nullptr);
    if (transfer.outOfMemory)
        return fail("memory for the response could not be allocated.", nullptr);
    if (result != CURLE_OK)
        return fail("the transfer failed.", *curlError ? curlError : curl_easy_strerror(result));

    long status = 0;
    curl_easy_getinfo(e, CURLINFO_RESPONSE_CODE, &status);
    m_iStatus = static_cast<int>(status);
    if (m_iStatus < 200 || m_iStatus > 299)
    {
        m_strErrorMsg.Format("Error: in CHttpClient::Navigate, the server answered with status %d.", m_iStatus);
        return false;
    }
    return true;
}
