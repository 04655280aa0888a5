// XString: editing the text in place (setting, deleting, trimming, replacing, case).
#include <algorithm>
#include <cctype>
#include <cstring>

#include "foundation/XException.h"
#include "foundation/XString.h"

namespace
{
int Fold(char c)
{
    return std::tolower(static_cast<unsigned char>(c));
}
} // namespace

void XString::Set(char c, unsigned index, unsigned count)
{
    if (count == 0)
        return;
    if (c == '\0')
    {
        if (index < m_uiLength)
            SetLengthRaw(index);
        return;
    }
    // Writing beyond the end of an empty string would leave a gap of undefined characters.
    if (index >= m_uiLength && !(m_uiLength == 0 && index == 0))
        Throw(XEXC_INDEX_RANGE, "in Set index out of range.");
    const uint64_t end = uint64_t(index) + count;
    if (end >= UINT32_MAX)
        Rethrow(XException(XEXC_OUT_OF_MEMORY, "XString",
                           "in MakeSize could not allocate memory for temporary buffer."),
                "in Set MakeSize failed. Msg=");
    if (end > m_uiLength)
    {
        try
        {
            MakeSize(unsigned(end));
        }
        catch (const XException& e)
        {
            Rethrow(e, "in Set MakeSize failed. Msg=");
        }
    }
    std::memset(Data() + index, c, count);
    if (end > m_uiLength)
        SetLengthRaw(unsigned(end));
}

char XString::operator[](int index) const
{
    if (index < 0 || unsigned(index) >= m_uiLength)
        Throw(XEXC_INDEX_RANGE, "in [] index out of range.");
    return Data()[index];
}

char& XString::operator[](int index)
{
    if (index < 0 || unsigned(index) >= m_uiLength)
        Throw(XEXC_INDEX_RANGE, "in [] index out of range.");
    return Data()[index];
}

char& XString::operator[](unsigned index)
{
    if (index >= m_uiLength)
        Throw(XEXC_INDEX_RANGE, "in [] index out of range.");
    return Data()[index];
}

char XString::operator[](size_t index) const
{
    if (index >= m_uiLength)
        Throw(XEXC_INDEX_RANGE, "in [] index out of range.");
    return Data()[index];
}

char& XString::operator[](size_t index)
{
    if (index >= m_uiLength)
        Throw(XEXC_INDEX_RANGE, "in [] index out of range.");
    return Data()[index];
}

void XString::Delete(unsigned start, unsigned count)
{
    if (count == 0 || start >= m_uiLength)
        return;
    const unsigned removed = std::min(count, m_uiLength - start);
    char* text = Data();
    std::memmove(text + start, text + start + removed, m_uiLength - start - removed);
    SetLengthRaw(m_uiLength - removed);
}

void XString::Truncate(unsigned n)
{
    if (n < m_uiLength)
        SetLengthRaw(n);
}

void XString::CutAtLast(char c)
{
    if (c == '\0')
        return;
    const int found = FindRev(c);
    if (found >= 0)
        SetLengthRaw(unsigned(found));
}

void XString::TrimLeft(char c)
{
    if (c == '\0')
        return;
    unsigned run = 0;
    while (run < m_uiLength && Data()[run] == c)
        ++run;
    Delete(0, run);
}

void XString::TrimRight(char c)
{
    if (c == '\0')
        return;
    unsigned length = m_uiLength;
    while (length > 0 && Data()[length - 1] == c)
        --length;
    SetLengthRaw(length);
}

void XString::Trim(char c)
{
    TrimRight(c);
    TrimLeft(c);
}

void XString::TrimRightNoCase(const char* pcsz)
{
    if (!pcsz || !*pcsz)
        return;
    const unsigned length = unsigned(std::strlen(pcsz));
    while (EndsWithNoCase(pcsz))
        SetLengthRaw(m_uiLength - length);
}

void XString::CollapseRuns(char c)
{
    char* text = Data();
    unsigned out = 0;
    for (unsigned i = 0; i < m_uiLength; ++i)
        if (!(text[i] == c && out > 0 && text[out - 1] == c))
            text[out++] = text[i];
    SetLengthRaw(out);
}

void XString::RemoveChar(char c)
{
    char* text = Data();
    SetLengthRaw(unsigned(std::remove(text, text + m_uiLength, c) - text));
}

void XString::ReplaceChar(char from, char to)
{
    std::replace(Data(), Data() + m_uiLength, from, to);
}

void XString::ReplaceCharNoCase(char from, char to)
{
    const int folded = Fold(from);
    char* text = Data();
    for (unsigned i = 0; i < m_uiLength; ++i)
        if (Fold(text[i]) == folded)
            text[i] = to;
}

void XString::ReplaceFwd(char c, const char* with, unsigned start, unsigned maxCount)
{
    if (m_uiLength == 0 || !with || c == '\0' || maxCount == 0 || start >= m_uiLength)
        return;
    const unsigned occurrences = std::min(Count(c, maxCount, start), maxCount);
    if (occurrences == 0)
        return;
    const int64_t withLength = int64_t(std::strlen(with));
    const int64_t room = int64_t(m_uiLength) + (withLength - 1) * occurrences;
    try
    {
        if (room >= int64_t(UINT32_MAX))
            Rethrow(XException(XEXC_OUT_OF_MEMORY, "XString",
                               "in MakeSize could not allocate memory for temporary buffer."),
                    "in ReplaceFwd failed. Msg=");
        XString result(false, false);
        result.MakeSize(unsigned(room));
        unsigned copied = 0;
        unsigned replaced = 0;
        for (unsigned i = start; i < m_uiLength && replaced < occurrences; ++i)
        {
            if (Data()[i] != c)
                continue;
            result.AppendData(Data() + copied, i - copied);
            result.AppendData(with, unsigned(withLength));
            copied = i + 1;
            ++replaced;
        }
        result.AppendData(Data() + copied, m_uiLength - copied);
        *this = result;
    }
    catch (const XException& e)
    {
        Rethrow(e, "in ReplaceFwd failed. Msg=");
    }
}

void XString::ReplaceRev(char c, const char* with, unsigned start, unsigned maxCount)
{
    if (m_uiLength == 0 || !with || c == '\0' || maxCount == 0)
        return;
    if (start >= m_uiLength)
        start = m_uiLength - 1;
    unsigned found = 0;
    unsigned earliest = 0;
    for (unsigned i = start + 1; i-- > 0 && found < maxCount;)
    {
        if (Data()[i] == c)
        {
            ++found;
            earliest = i;
        }
    }
    if (found == 0)
        return;
    try
    {
        ReplaceFwd(c, with, earliest, found);
    }
    catch (const XException& e)
    {
        Rethrow(e, "in ReplaceRev failed. Msg=");
    }
}

void XString::ReplaceEndsWith(char c, const char* with)
{
    if (!EndsWith(c) || !with)
        return;
    try
    {
        ReplaceFwd(c, with, m_uiLength - 1, 1);
    }
    catch (const XException& e)
    {
        Rethrow(e, "in ReplaceEndsWith failed. Msg=");
    }
}

void XString::MakeLower()
{
    char* text = Data();
    for (unsigned i = 0; i < m_uiLength; ++i)
        text[i] = char(std::tolower(static_cast<unsigned char>(text[i])));
}

void XString::MakeUpper()
{
    char* text = Data();
    for (unsigned i = 0; i < m_uiLength; ++i)
        text[i] = char(std::toupper(static_cast<unsigned char>(text[i])));
}

void XString::Reverse()
{
    std::reverse(Data(), Data() + m_uiLength);
}
