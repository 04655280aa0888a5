// XString: appending, inserting and printf-style formatting.
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/XException.h"
#include "foundation/XString.h"

namespace
{
const char kPlusEqualsMemory[] = "in += could not allocate memory for temp string.";
const char kAppendMemory[] = "in Append could not allocate memory for temp string.";
const char kMakeSizeMemory[] = "in MakeSize could not allocate memory for temporary buffer.";
// Longest decimal text of a 64-bit number or a "%.Nf" format, with room to spare.
const size_t kNumberText = 32;

// Copies `text` out of the way when it lies inside [buffer, buffer + size): a reallocation of
// that buffer would otherwise leave it dangling.
const char* DetachIfInside(const char* text, size_t length, const char* buffer, size_t size,
                           std::string& store)
{
    const uintptr_t source = reinterpret_cast<uintptr_t>(text);
    const uintptr_t own = reinterpret_cast<uintptr_t>(buffer);
    if (source < own || source >= own + size)
        return text;
    store.assign(text, length);
    return store.data();
}
} // namespace

XString& XString::operator+=(const char* pcsz)
{
    if (pcsz)
        AppendChars(pcsz, unsigned(std::strlen(pcsz)), kPlusEqualsMemory);
    return *this;
}

XString& XString::operator+=(const XString& other)
{
    AppendChars(other.Data(), other.m_uiLength, kPlusEqualsMemory);
    return *this;
}

XString& XString::operator+=(char c)
{
    AppendChars(&c, 1, kAppendMemory);
    return *this;
}

XString& XString::operator+=(int value)
{
    return *this += std::to_string(value).c_str();
}

XString& XString::operator+=(unsigned value)
{
    return *this += std::to_string(value).c_str();
}

XString& XString::operator+=(uint64_t value)
{
    return *this += std::to_string(value).c_str();
}

XString& XString::operator+=(bool value)
{
    return *this += value ? "true" : "false";
}

XString& XString::operator+=(float value)
{
    return *this += double(value);
}

XString& XString::operator+=(double value)
{
    char format[kNumberText] = "%f";
    if (m_cPrecision != -1)
        std::snprintf(format, sizeof(format), "%%.%df", int(m_cPrecision));
    const int length = std::snprintf(nullptr, 0, format, value);
    std::vector<char> text(size_t(length > 0 ? length : 0) + 1);
    std::snprintf(text.data(), text.size(), format, value);
    return *this += text.data();
}

void XString::Append(char c)
{
    if (c)
        AppendChars(&c, 1, kAppendMemory);
}

void XString::Append(char c, unsigned count)
{
    if (!c || count == 0)
        return;
    const std::string run(count, c);
    AppendChars(run.data(), count, kAppendMemory);
}

void XString::Append(const char* pcsz, unsigned times, unsigned maxLength)
{
    if (!pcsz || times == 0 || maxLength == 0)
        return;
    const size_t length = std::min<size_t>(maxLength, std::strlen(pcsz));
    if (times == 1)
    {
        AppendChars(pcsz, unsigned(length), kAppendMemory);
        return;
    }
    std::string repeated;
    try
    {
        repeated.reserve(length * times);
        for (unsigned i = 0; i < times; ++i)
            repeated.append(pcsz, length);
    }
    catch (...)
    {
        Throw(XEXC_OUT_OF_MEMORY, kAppendMemory);
    }
    if (repeated.size() > UINT32_MAX)
        Throw(XEXC_OUT_OF_MEMORY, kAppendMemory);
    AppendChars(repeated.data(), unsigned(repeated.size()), kAppendMemory);
}

void XString::AppendData(const char* data, unsigned count)
{
    if (!data || count == 0)
        return;
    std::string store;
    data = DetachIfInside(data, count, Data(), GetCapacity(), store);
    if (uint64_t(m_uiLength) + count >= UINT32_MAX)
        Rethrow(XException(XEXC_OUT_OF_MEMORY, "XString", kMakeSizeMemory), "in AppendData MakeSize failed. Msg=");
    try
    {
        MakeSize(m_uiLength + count);
    }
    catch (const XException& e)
    {
        Rethrow(e, "in AppendData MakeSize failed. Msg=");
    }
    std::memcpy(Data() + m_uiLength, data, count);
    SetLengthRaw(m_uiLength + count);
}

void XString::AppendNoExist(char c, unsigned count)
{
    if (EndsWith(c))
        return;
    try
    {
        Append(c, count);
    }
    catch (const XException& e)
    {
        Rethrow(e, "in AppendNoExist Append failed. Msg=");
    }
}

void XString::AppendNoExist(const char* pcsz, unsigned times)
{
    if (EndsWith(pcsz))
        return;
    try
    {
        Append(pcsz, times);
    }
    catch (const XException& e)
    {
        Rethrow(e, "in AppendNoExist Append failed. Msg=");
    }
}

void XString::AppendNoExistNoCase(const char* pcsz, unsigned times)
{
    if (EndsWithNoCase(pcsz))
        return;
    try
    {
        Append(pcsz, times);
    }
    catch (const XException& e)
    {
        Rethrow(e, "in AppendNoExistNoCase Append failed. Msg=");
    }
}

void XString::Insert(const char* pcsz, unsigned index, unsigned times)
{
    if (!pcsz || times == 0)
        return;
    std::string piece;
    try
    {
        const size_t length = std::strlen(pcsz);
        piece.reserve(length * times);
        for (unsigned i = 0; i < times; ++i)
            piece.append(pcsz, length);
    }
    catch (...)
    {
        Rethrow(XException(XEXC_OUT_OF_MEMORY, "XString", kAppendMemory), "in Insert failed. Msg=");
    }
    if (piece.empty())
        return;
    if (uint64_t(m_uiLength) + piece.size() >= UINT32_MAX)
        Rethrow(XException(XEXC_OUT_OF_MEMORY, "XString", kMakeSizeMemory), "in Insert failed. Msg=");
    const unsigned added = unsigned(piece.size());
    if (index > m_uiLength)
        index = m_uiLength;
    try
    {
        MakeSize(m_uiLength + added);
    }
    catch (const XException& e)
    {
        Rethrow(e, "in Insert failed. Msg=");
    }
    char* text = Data();
    std::memmove(text + index + added, text + index, m_uiLength - index);
    std::memcpy(text + index, piece.data(), added);
    SetLengthRaw(m_uiLength + added);
}

void XString::Insert(char c, unsigned index, unsigned times)
{
    if (!c)
        return;
    const char text[2] = {c, '\0'};
    Insert(text, index, times);
}

void XString::PadLeft(char c, unsigned width)
{
    if (m_uiLength >= width)
        return;
    try
    {
        Insert(c, 0, width - m_uiLength);
    }
    catch (const XException& e)
    {
        Rethrow(e, "in PadLeft Insert failed. Msg=");
    }
}

XString& XString::operator+(const char* pcsz) const
{
    // pcsz may be the text of the sub-result that is about to be overwritten.
    std::string store;
    if (pcsz && m_pSub)
        pcsz = DetachIfInside(pcsz, std::strlen(pcsz), m_pSub->Data(), m_pSub->GetCapacity(), store);
    XString& result = SubResult("in + could not allocate memory for return XString.");
    try
    {
        result.SetData(*this);
        result += pcsz;
    }
    catch (const XException& e)
    {
        Rethrow(e, "in operator + failed. Msg=");
    }
    return result;
}

void XString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    try
    {
        FormatInto(format, args, false);
    }
    catch (...)
    {
        va_end(args);
        throw;
    }
    va_end(args);
}

void XString::FormatAppend(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    try
    {
        FormatInto(format, args, true);
    }
    catch (...)
    {
        va_end(args);
        throw;
    }
    va_end(args);
}

void XString::FormatV(const char* format, va_list args)
{
    FormatInto(format, args, false);
}

void XString::FormatAppendV(const char* format, va_list args)
{
    FormatInto(format, args, true);
}

void XString::FormatInto(const char* format, va_list args, bool append)
{
    const char* badFormat =
        append ? "in FormatAppend failed probably because of a bad format string or an incorrect number of arguments."
               : "in Format failed probably because of a bad format string or an incorrect number of arguments.";
    if (!format)
        Throw(XEXC_BAD_FORMAT, badFormat);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    // vsnprintf cannot raise; a negative result is its way of saying the format was bad.
    if (length < 0)
        Throw(XEXC_BAD_FORMAT, badFormat);
    if (length < 1)
    {
        if (!append)
            SetLengthRaw(0);
        return;
    }
    // Format into a separate buffer first: an argument may point into this string's own text.
    std::vector<char> text;
    try
    {
        text.resize(size_t(length) + 1);
    }
    catch (...)
    {
        Rethrow(XException(XEXC_OUT_OF_MEMORY, "XString", kMakeSizeMemory),
                append ? "in FormatAppend failed. Msg=" : "in Format MakeSize failed. Msg=");
    }
    va_list produce;
    va_copy(produce, args);
    const int written = std::vsnprintf(text.data(), text.size(), format, produce);
    va_end(produce);
    if (written != length)
        Throw(XEXC_BAD_FORMAT, badFormat);
    if (append)
    {
        try
        {
            AppendChars(text.data(), unsigned(length), kPlusEqualsMemory);
        }
        catch (const XException& e)
        {
            Rethrow(e, "in FormatAppend failed. Msg=");
        }
        return;
    }
    try
    {
        MakeSize(unsigned(length));
    }
    catch (const XException& e)
    {
        Rethrow(e, "in Format MakeSize failed. Msg=");
    }
    std::memcpy(Data(), text.data(), size_t(length) + 1);
    SetLengthRaw(unsigned(length));
}
