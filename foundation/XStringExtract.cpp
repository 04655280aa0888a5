// XString: the extracting members, which answer in this string's scratch sub-result and split result.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <new>

#include "foundation/XException.h"
#include "foundation/XString.h"
#include "foundation/XStringArray.h"

namespace
{
// Whether c is admitted by set, where a lower-case letter also admits its upper-case form.
bool AdmitsNoCase(const char* set, char c)
{
    for (const char* s = set; *s; ++s)
    {
        if (*s == c)
            return true;
        const unsigned char letter = static_cast<unsigned char>(*s);
        if (std::islower(letter) && std::toupper(letter) == static_cast<unsigned char>(c))
            return true;
    }
    return false;
}
} // namespace

XString& XString::Sub(unsigned start, unsigned count) const
{
    XString& result = SubResult("in Sub could not allocate memory return XString.");
    if (start >= m_uiLength || count == 0)
        return result;
    try
    {
        result.SetData(Data() + start, int(std::min(count, m_uiLength - start)));
    }
    catch (const XException& e)
    {
        Rethrow(e, "in Sub failed. Msg=");
    }
    return result;
}

XString& XString::SubBegFindFwd(char c) const
{
    XString& result = SubResult("in SubBegFindFwd could not allocate memory return XString.");
    const int found = Find(c);
    try
    {
        result.SetData(Data(), found < 0 ? int(m_uiLength) : found);
    }
    catch (const XException& e)
    {
        Rethrow(e, "in SubBegFindFwd failed. Msg=");
    }
    return result;
}

XString& XString::SubEndFindFwd(char c) const
{
    XString& result = SubResult("in SubEndFindFwd could not allocate memory return XString.");
    const int found = Find(c);
    const unsigned from = found < 0 ? 0 : unsigned(found) + 1;
    try
    {
        result.SetData(Data() + from, int(m_uiLength - from));
    }
    catch (const XException& e)
    {
        Rethrow(e, "in SubEndFindFwd failed. Msg=");
    }
    return result;
}

XString& XString::SubEndFindRev(char c) const
{
    XString& result = SubResult("in SubEndFindRev could not allocate memory return XString.");
    const int found = FindRev(c);
    const unsigned from = found < 0 ? 0 : unsigned(found) + 1;
    try
    {
        result.SetData(Data() + from, int(m_uiLength - from));
    }
    catch (const XException& e)
    {
        Rethrow(e, "in SubEndFindRev failed. Msg=");
    }
    return result;
}

XString& XString::SubEndFindRev(const char* pcsz) const
{
    // Search before the sub-result is reset: pcsz may be that very sub-result's text.
    const int found = FindRev(pcsz);
    const unsigned from = found < 0 ? 0 : unsigned(found + std::strlen(pcsz));
    XString& result = SubResult("in SubEndFindRev could not allocate memory return XString.");
    try
    {
        result.SetData(Data() + from, int(m_uiLength - from));
    }
    catch (const XException& e)
    {
        Rethrow(e, "in SubEndFindRev failed. Msg=");
    }
    return result;
}

XString& XString::SubBetweenFwd(const char* begin, const char* end, unsigned start) const
{
    int beginAt = -1;
    int endAt = -1;
    unsigned textAt = 0;
    if (start < m_uiLength && begin && end)
    {
        beginAt = Find(begin, start);
        if (beginAt >= 0)
        {
            // The end marker is searched from the first character after the whole begin marker.
            textAt = unsigned(beginAt) + unsigned(std::strlen(begin));
            endAt = Find(end, textAt);
        }
    }
    XString& result = SubResult("in SubBetweenFwd could not allocate memory return XString.");
    if (endAt < 0)
        return result;
    try
    {
        result.SetData(Data() + textAt, int(unsigned(endAt) - textAt));
    }
    catch (const XException& e)
    {
        Rethrow(e, "in SubBetweenFwd failed. Msg=");
    }
    return result;
}

XString& XString::SubBetweenFwd(const XString& begin, const XString& end, unsigned start) const
{
    return SubBetweenFwd(begin.GetBuffer(), end.GetBuffer(), start);
}

XString& XString::SpanFwdExcluding(const char* set, unsigned start, unsigned count) const
{
    unsigned stop = start;
    if (start < m_uiLength && set)
    {
        const int found = FindOneOf(set, start, count);
        stop = found < 0 ? unsigned(std::min<uint64_t>(uint64_t(start) + count, m_uiLength)) : unsigned(found);
    }
    XString& result = SubResult("in SpanFwdExcluding could not allocate memory return XString.");
    if (stop == start)
        return result;
    try
    {
        result.SetData(Data() + start, int(stop - start));
    }
    catch (const XException& e)
    {
        Rethrow(e, "in SpanFwdExcluding failed. Msg=");
    }
    return result;
}

XString& XString::SpanFwdIncludingNoCase(const char* set, unsigned start, unsigned count) const
{
    unsigned stop = start;
    if (start < m_uiLength && set && *set)
    {
        const unsigned windowEnd = unsigned(std::min<uint64_t>(uint64_t(start) + count, m_uiLength));
        while (stop < windowEnd && Data()[stop] != '\0' && AdmitsNoCase(set, Data()[stop]))
            ++stop;
    }
    XString& result = SubResult("in SpanFwdIncludingNoCase could not allocate memory return XString.");
    if (stop == start)
        return result;
    try
    {
        result.SetData(Data() + start, int(stop - start));
    }
    catch (const XException& e)
    {
        Rethrow(e, "in SpanFwdIncludingNoCase failed. Msg=");
    }
    return result;
}

XStringArray& XString::Split(char separator, unsigned maxParts) const
{
    if (!m_pSplit)
    {
        m_pSplit = new (std::nothrow) XStringArray();
        if (!m_pSplit)
            Throw(XEXC_OUT_OF_MEMORY, "in Split could not allocate memory for return XStringArray.");
    }
    XStringArray& parts = *m_pSplit;
    try
    {
        parts.Free();
        unsigned reserve = Count(separator) + 1;
        if (maxParts != 0 && maxParts < reserve)
            reserve = maxParts;
        parts.GrowArray(reserve);

        XString piece(false, false);
        unsigned position = 0;
        for (;;)
        {
            const int found = position < m_uiLength ? Find(separator, position) : -1;
            const unsigned stop = found < 0 ? m_uiLength : unsigned(found);
            piece.SetData(Data() + position, int(stop - position));
            parts.Add(piece);
            if (found < 0 || (maxParts != 0 && parts.GetCount() >= maxParts))
                break;
            position = stop + 1;
        }
    }
    catch (const XException& e)
    {
        Rethrow(e, "in Split failed. Msg=");
    }
    return parts;
}
