// XString: construction, assignment, storage and the adaptive growth policy.
#include "foundation/XString.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>

#include "foundation/XException.h"
#include "foundation/XStringArray.h"

namespace
{
const char kClassName[] = "XString";
// The append average starts at the inline size: a typical string is built from short pieces.
const float kInitialAverage = 64.0f;
// Room added to every heap reallocation once the first one has been counted.
const double kGrowthFloor = 256.0;
} // namespace

XString::XString(bool withErrorText, bool /*unused*/)
    : m_pszHeap(nullptr), m_szInline{}, m_uiLength(0), m_uiCapacity(0), m_bInitialised(false),
      m_pSub(nullptr), m_pSplit(nullptr), m_cPrecision(-1), m_pErrorMsg(nullptr),
      m_fAverageAppend(kInitialAverage), m_uiReallocCount(0), m_uiAppendCount(0)
{
    try
    {
        Init(withErrorText);
    }
    catch (const XException& e)
    {
        Rethrow(e, "in XString(bool,bool) Init failed. Msg=");
    }
}

XString::XString() : XString(false, false)
{
    try
    {
        Init(true);
    }
    catch (const XException& e)
    {
        Rethrow(e, "in XString() Init failed. Msg=");
    }
}

XString::XString(const XString& other) : XString()
{
    try
    {
        SetData(other);
    }
    catch (const XException& e)
    {
        Rethrow(e, "in XString constructor failed. Msg=");
    }
}

XString::XString(const char* pcsz) : XString()
{
    try
    {
        SetData(pcsz);
    }
    catch (const XException& e)
    {
        Rethrow(e, "in XString constructor failed. Msg=");
    }
}

XString::XString(char c) : XString()
{
    const char text[2] = {c, '\0'};
    try
    {
        SetData(text, c ? 1 : 0);
    }
    catch (const XException& e)
    {
        Rethrow(e, "in XString constructor failed. Msg=");
    }
}

XString::XString(int value) : XString(long(value))
{
}

XString::XString(unsigned value) : XString(long(value))
{
}

XString::XString(long value) : XString()
{
    try
    {
        SetData(std::to_string(value).c_str());
    }
    catch (const XException& e)
    {
        Rethrow(e, "in XString constructor failed. Msg=");
    }
}

XString::~XString()
{
    Free();
}

void XString::Init(bool withErrorText)
{
    Free();
    m_uiCapacity = 0;
    m_cPrecision = -1;
    m_fAverageAppend = kInitialAverage;
    m_uiReallocCount = 0;
    m_uiAppendCount = 0;
    if (withErrorText)
    {
        m_pErrorMsg = new (std::nothrow) XString(false, false);
        if (!m_pErrorMsg)
            Throw(XEXC_OUT_OF_MEMORY, "in Init could not allocate memory for message XString.");
    }
    m_bInitialised = true;
}

void XString::Free()
{
    delete[] m_pszHeap;
    m_pszHeap = nullptr;
    m_uiCapacity = 0;
    m_uiLength = 0;
    m_szInline[0] = '\0';
    delete m_pSub;
    m_pSub = nullptr;
    delete m_pSplit;
    m_pSplit = nullptr;
    delete m_pErrorMsg;
    m_pErrorMsg = nullptr;
}

XString& XString::operator=(const char* pcsz)
{
    try
    {
        SetData(pcsz);
    }
    catch (const XException& e)
    {
        Rethrow(e, "in operator = SetData failed. Msg=");
    }
    return *this;
}

XString& XString::operator=(const XString& other)
{
    if (&other == this)
        return *this;
    try
    {
        if (!m_bInitialised)
            Init(true);
        SetData(other);
    }
    catch (const XException& e)
    {
        Rethrow(e, "in operator = SetData failed. Msg=");
    }
    return *this;
}

XString& XString::operator=(const XBStr& wide)
{
    SetData(wide);
    return *this;
}

XString& XString::operator=(int value)
{
    return *this = int64_t(value);
}

XString& XString::operator=(unsigned value)
{
    return *this = int64_t(value);
}

XString& XString::operator=(int64_t value)
{
    const std::string text = std::to_string(value);
    return *this = text.c_str();
}

void XString::SetData(const char* pcsz, int length)
{
    if (!pcsz)
        return;
    const unsigned count = length < 0 ? unsigned(std::strlen(pcsz)) : unsigned(length);
    // The source may lie inside this string's own buffer, which MakeSize may release.
    std::string aliased;
    const uintptr_t source = reinterpret_cast<uintptr_t>(pcsz);
    const uintptr_t own = reinterpret_cast<uintptr_t>(Data());
    if (source >= own && source < own + GetCapacity())
    {
        aliased.assign(pcsz, count);
        pcsz = aliased.data();
    }
    m_uiAppendCount = 0;
    m_uiReallocCount = 0;
    m_fAverageAppend = kInitialAverage;
    try
    {
        MakeSize(count);
    }
    catch (const XException& e)
    {
        Rethrow(e, "in SetData failed. Msg=");
    }
    std::memcpy(Data(), pcsz, count);
    SetLengthRaw(count);
}

void XString::SetData(const XString& other)
{
    if (&other == this)
        return;
    SetData(other.Data(), int(other.m_uiLength));
}

void XString::SetData(const XBStr& wide)
{
    std::string narrow;
    try
    {
        narrow = wide.ToAnsi();
    }
    catch (...)
    {
        Throw(XEXC_OUT_OF_MEMORY, "in SetData could not allocate memory for string buffer.");
    }
    try
    {
        SetData(narrow.data(), int(narrow.size()));
    }
    catch (const XException& e)
    {
        Rethrow(e, "in SetData(BSTR) SetData failed. Msg=");
    }
}

unsigned XString::GrowthExtra() const
{
    const double appends = m_uiAppendCount;
    const double reallocations = m_uiReallocCount;
    const double extra = (appends - appends / reallocations + 1.0) * double(m_fAverageAppend) + kGrowthFloor;
    if (!std::isfinite(extra) || extra < 0.0)
        return 0;
    if (extra >= double(UINT32_MAX))
        return UINT32_MAX;
    return unsigned(extra);
}

void XString::MakeSize(unsigned n)
{
    if (!m_pszHeap && n < kInlineChars + 1)
        return;
    if (m_pszHeap && m_uiCapacity >= uint64_t(n) + 1)
        return;
    const uint64_t capacity = uint64_t(GrowthExtra()) + n + 1;
    char* buffer = AllocChars(capacity);
    if (!buffer)
        Throw(XEXC_OUT_OF_MEMORY, "in MakeSize could not allocate memory for temporary buffer.");
    std::memcpy(buffer, Data(), m_uiLength + 1);
    delete[] m_pszHeap;
    m_pszHeap = buffer;
    m_uiCapacity = unsigned(capacity);
}

void XString::AppendChars(const char* data, unsigned n, const char* memoryError)
{
    ++m_uiAppendCount;
    m_fAverageAppend = (m_fAverageAppend + float(n)) * 0.5f;
    const uint64_t newLength = uint64_t(m_uiLength) + n;
    if ((!m_pszHeap && newLength < kInlineChars + 1) || (m_pszHeap && newLength < m_uiCapacity))
    {
        std::memmove(Data() + m_uiLength, data, n);
        SetLengthRaw(unsigned(newLength));
        return;
    }
    ++m_uiReallocCount;
    const uint64_t capacity = uint64_t(m_uiLength) + GrowthExtra() + n + 1;
    char* buffer = AllocChars(capacity);
    if (!buffer)
    {
        --m_uiReallocCount;
        Throw(XEXC_OUT_OF_MEMORY, memoryError);
    }
    // Fill the new buffer before the old one goes: `data` may point into it.
    std::memcpy(buffer, Data(), m_uiLength);
    std::memcpy(buffer + m_uiLength, data, n);
    delete[] m_pszHeap;
    m_pszHeap = buffer;
    m_uiCapacity = unsigned(capacity);
    SetLengthRaw(unsigned(newLength));
}

void XString::SetLengthRaw(unsigned length)
{
    m_uiLength = length;
    Data()[length] = '\0';
}

unsigned XString::GetCapacity() const
{
    return m_pszHeap ? m_uiCapacity : kInlineChars + 1;
}

char* XString::GetBuffer(unsigned index)
{
    return Data() + (index < m_uiLength ? index : m_uiLength);
}

const char* XString::GetBuffer(unsigned index) const
{
    return Data() + (index < m_uiLength ? index : m_uiLength);
}

void XString::SyncLength()
{
    // A caller that overwrote the terminator must not make the length run past the buffer.
    const unsigned limit = GetCapacity() - 1;
    const void* nul = std::memchr(Data(), '\0', limit);
    SetLengthRaw(nul ? unsigned(static_cast<const char*>(nul) - Data()) : limit);
}

void XString::SetPrecision(signed char precision)
{
    m_cPrecision = precision < -1 ? -1 : precision;
}

const char* XString::GetErrorMsg() const
{
    return m_pErrorMsg ? m_pErrorMsg->GetBuffer() : "";
}

void XString::ClearErrorMsg()
{
    if (m_pErrorMsg)
        m_pErrorMsg->SetData("");
}

void XString::SetErrorMsg(const char* text, const char* detail)
{
    if (!m_pErrorMsg)
    {
        m_pErrorMsg = new (std::nothrow) XString(false, false);
        if (!m_pErrorMsg)
            Throw(XEXC_OUT_OF_MEMORY, "in Init could not allocate memory for message XString.");
    }
    m_pErrorMsg->SetData(text ? text : "");
    if (detail)
        m_pErrorMsg->AppendData(detail, unsigned(std::strlen(detail)));
}

void XString::AppendErrorMsg(const char* text)
{
    if (!m_pErrorMsg)
        SetErrorMsg(text);
    else if (text)
        m_pErrorMsg->AppendData(text, unsigned(std::strlen(text)));
}

void XString::AppendErrorMsg(unsigned value)
{
    AppendErrorMsg(std::to_string(value).c_str());
}

void XString::AppendErrorMsg(int value)
{
    AppendErrorMsg(std::to_string(value).c_str());
}

void XString::Throw(uint32_t code, const char* message)
{
    throw XException(code, kClassName, message);
}

void XString::Rethrow(const XException& inner, const char* wrapper)
{
    throw XException(inner.GetCode(), kClassName, wrapper, inner.GetMessage());
}

char* XString::AllocChars(uint64_t size)
{
    if (size > UINT32_MAX)
        return nullptr;
    return new (std::nothrow) char[size];
}

XString& XString::SubResult(const char* memoryError) const
{
    if (!m_pSub)
    {
        m_pSub = new (std::nothrow) XString(false, false);
        if (!m_pSub)
            Throw(XEXC_OUT_OF_MEMORY, memoryError);
    }
    m_pSub->SetLengthRaw(0);
    return *m_pSub;
}
