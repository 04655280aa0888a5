// XString: comparing and searching inside a window of the text, without copying it.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "foundation/XException.h"
#include "foundation/XString.h"

namespace
{
int Fold(char c)
{
    return std::tolower(static_cast<unsigned char>(c));
}

bool EqualNoCase(const char* a, const char* b, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        if (Fold(a[i]) != Fold(b[i]))
            return false;
    return true;
}

// Windows at least this long are searched with memmem.
const unsigned kLongWindow = 4096;

// End of the window [start, start + count) clipped to the length.
unsigned WindowEnd(unsigned start, unsigned count, unsigned length)
{
    const uint64_t end = uint64_t(start) + count;
    return end < length ? unsigned(end) : length;
}

// Whether c occurs in set; when it does, *which receives its position there.
bool InSet(const char* set, char c, bool noCase, unsigned* which)
{
    for (unsigned i = 0; set[i]; ++i)
    {
        if (set[i] == c || (noCase && Fold(set[i]) == Fold(c)))
        {
            if (which)
                *which = i;
            return true;
        }
    }
    return false;
}

// The shared body of Compare and CompareNoCase; only the character step differs.
int CompareTexts(const char* source, unsigned sourceLength, const char* other, unsigned otherLength,
                 unsigned otherIndex, unsigned sourceIndex, unsigned count, bool noCase)
{
    const char* member = noCase ? "in CompareNoCase" : "in Compare";
    if (sourceIndex >= sourceLength && sourceLength != 0)
        throw XException(XEXC_INDEX_RANGE, "XString",
                         (std::string(member) +
                          " uiSrcIndex is an invalid index past the end of the source string length.")
                             .c_str());
    if (otherIndex >= otherLength && otherLength != 0)
        throw XException(XEXC_INDEX_RANGE, "XString",
                         (std::string(member) +
                          " uiCompareToIndex is an invalid index past the end of the compare to string length.")
                             .c_str());
    // An index into an empty text is not rejected above; it leaves nothing to compare.
    const unsigned a = sourceLength > sourceIndex ? sourceLength - sourceIndex : 0;
    const unsigned b = otherLength > otherIndex ? otherLength - otherIndex : 0;
    if (a == 0)
        return b == 0 ? 0 : -1;
    if (b == 0)
        return 1;
    const unsigned common = std::min({a, b, count});
    const unsigned char* x = reinterpret_cast<const unsigned char*>(source + sourceIndex);
    const unsigned char* y = reinterpret_cast<const unsigned char*>(other + otherIndex);
    for (unsigned i = 0; i < common; ++i)
    {
        if (noCase)
        {
            const int difference = std::tolower(x[i]) - std::tolower(y[i]);
            if (difference != 0)
                return difference;
        }
        else if (x[i] != y[i])
            return x[i] < y[i] ? -1 : 1;
    }
    if (count <= common)
        return 0;
    const unsigned restA = std::min(count, a);
    const unsigned restB = std::min(count, b);
    return restA > restB ? 1 : (restA == restB ? 0 : -1);
}
} // namespace

bool XString::operator==(const char* pcsz) const
{
    if (!pcsz)
        Throw(XEXC_NULL_POINTER, "in == pcsz was passed in as a NULL pointer.");
    const size_t length = std::strlen(pcsz);
    return length == m_uiLength && std::memcmp(Data(), pcsz, length) == 0;
}

bool XString::operator!=(const char* pcsz) const
{
    if (!pcsz)
        Throw(XEXC_NULL_POINTER, "in != pcsz was passed in as a NULL pointer.");
    return !(*this == pcsz);
}

bool operator!=(const char* pcsz, const XString& str)
{
    return str != pcsz;
}

bool XString::operator==(const XString& other) const
{
    return m_uiLength == other.m_uiLength && std::memcmp(Data(), other.Data(), m_uiLength) == 0;
}

int XString::Compare(const char* pcszCompareTo, unsigned uiCompareToIndex, unsigned uiSrcIndex,
                     unsigned count) const
{
    if (!pcszCompareTo)
        Throw(XEXC_NULL_POINTER, "in Compare pcszCompareTo was passed in as a NULL pointer.");
    return CompareTexts(Data(), m_uiLength, pcszCompareTo, unsigned(std::strlen(pcszCompareTo)),
                        uiCompareToIndex, uiSrcIndex, count, false);
}

int XString::Compare(const XString& compareTo, unsigned uiCompareToIndex, unsigned uiSrcIndex,
                     unsigned count) const
{
    return CompareTexts(Data(), m_uiLength, compareTo.Data(), compareTo.m_uiLength, uiCompareToIndex,
                        uiSrcIndex, count, false);
}

int XString::CompareNoCase(const char* pcszCompareTo, unsigned uiCompareToIndex, unsigned uiSrcIndex,
                           unsigned count) const
{
    if (!pcszCompareTo)
        Throw(XEXC_NULL_POINTER, "in CompareNoCase pcszCompareTo was passed in as a NULL pointer.");
    return CompareTexts(Data(), m_uiLength, pcszCompareTo, unsigned(std::strlen(pcszCompareTo)),
                        uiCompareToIndex, uiSrcIndex, count, true);
}

int XString::CompareNoCase(const XString& compareTo, unsigned uiCompareToIndex, unsigned uiSrcIndex,
                           unsigned count) const
{
    return CompareTexts(Data(), m_uiLength, compareTo.Data(), compareTo.m_uiLength, uiCompareToIndex,
                        uiSrcIndex, count, true);
}

bool XString::StartsWith(char c) const
{
    return c != '\0' && m_uiLength != 0 && Data()[0] == c;
}

bool XString::EndsWith(char c) const
{
    return c != '\0' && m_uiLength != 0 && Data()[m_uiLength - 1] == c;
}

bool XString::StartsWith(const char* pcsz) const
{
    const size_t length = pcsz ? std::strlen(pcsz) : 0;
    return length != 0 && length <= m_uiLength && std::memcmp(Data(), pcsz, length) == 0;
}

bool XString::EndsWith(const char* pcsz) const
{
    const size_t length = pcsz ? std::strlen(pcsz) : 0;
    return length != 0 && length <= m_uiLength &&
           std::memcmp(Data() + m_uiLength - length, pcsz, length) == 0;
}

bool XString::StartsWithNoCase(const char* pcsz) const
{
    const size_t length = pcsz ? std::strlen(pcsz) : 0;
    return length != 0 && length <= m_uiLength && EqualNoCase(Data(), pcsz, length);
}

bool XString::EndsWithNoCase(const char* pcsz) const
{
    const size_t length = pcsz ? std::strlen(pcsz) : 0;
    return length != 0 && length <= m_uiLength && EqualNoCase(Data() + m_uiLength - length, pcsz, length);
}

int XString::Find(char c, unsigned start, unsigned count) const
{
    if (start >= m_uiLength || count == 0)
        return -1;
    const unsigned end = WindowEnd(start, count, m_uiLength);
    const void* found = std::memchr(Data() + start, c, end - start);
    return found ? int(static_cast<const char*>(found) - Data()) : -1;
}

int XString::Find(const char* pcsz, unsigned start, unsigned count) const
{
    if (start >= m_uiLength || !pcsz || count == 0 || !*pcsz)
        return -1;
    const unsigned end = WindowEnd(start, count, m_uiLength);
    const size_t length = std::strlen(pcsz);
    if (length > end - start)
        return -1;
    const char* text = Data();
    // memmem skips ahead where a plain scan compares at every byte (level documents are searched
    // for tags hundreds of kilobytes in), but sets up tables first that cost more than a short
    // window takes to scan from one first character to the next.
    if (end - start >= kLongWindow)
    {
        const void* found = memmem(text + start, end - start, pcsz, length);
        return found ? int(static_cast<const char*>(found) - text) : -1;
    }
    const char* const last = text + end - length;
    for (const char* at = text + start; at <= last; ++at)
    {
        at = static_cast<const char*>(std::memchr(at, *pcsz, size_t(last - at) + 1));
        if (!at)
            return -1;
        if (at[length - 1] == pcsz[length - 1] && std::memcmp(at, pcsz, length) == 0)
            return int(at - text);
    }
    return -1;
}

int XString::FindNoCase(const char* pcsz, unsigned start, unsigned count) const
{
    if (start >= m_uiLength || !pcsz || count == 0 || !*pcsz)
        return -1;
    const unsigned end = WindowEnd(start, count, m_uiLength);
    const size_t length = std::strlen(pcsz);
    for (uint64_t i = start; i + length <= end; ++i)
        if (EqualNoCase(Data() + i, pcsz, length))
            return int(i);
    return -1;
}

int XString::FindRev(char c, unsigned start, unsigned count) const
{
    if (m_uiLength == 0 || count == 0)
        return -1;
    if (start >= m_uiLength)
        start = m_uiLength - 1;
    const unsigned lowest = start + 1 > count ? start + 1 - count : 0;
    for (unsigned i = start + 1; i-- > lowest;)
        if (Data()[i] == c)
            return int(i);
    return -1;
}

int XString::FindRev(const char* pcsz, unsigned start, unsigned count) const
{
    if (!pcsz || !*pcsz || m_uiLength == 0 || count == 0)
        return -1;
    if (start >= m_uiLength)
        start = m_uiLength - 1;
    const size_t length = std::strlen(pcsz);
    if (length > uint64_t(start) + 1)
        return -1;
    const unsigned lowest = start + 1 > count ? start + 1 - count : 0;
    // The last possible beginning is the one whose final character sits at `start`.
    for (int64_t i = int64_t(start) + 1 - int64_t(length); i >= int64_t(lowest); --i)
        if (std::memcmp(Data() + i, pcsz, length) == 0)
            return int(i);
    return -1;
}

int XString::FindOneOf(const char* set, unsigned start, unsigned count, unsigned* which) const
{
    if (start >= m_uiLength || !set || count == 0)
        return -1;
    const unsigned end = WindowEnd(start, count, m_uiLength);
    for (unsigned i = start; i < end; ++i)
        if (Data()[i] != '\0' && InSet(set, Data()[i], false, which))
            return int(i);
    return -1;
}

int XString::FindOneOfNoCase(const char* set, unsigned start, unsigned count, unsigned* which) const
{
    if (start >= m_uiLength || !set || count == 0)
        return -1;
    const unsigned end = WindowEnd(start, count, m_uiLength);
    for (unsigned i = start; i < end; ++i)
        if (Data()[i] != '\0' && InSet(set, Data()[i], true, which))
            return int(i);
    return -1;
}

bool XString::Contains(char c, unsigned start, unsigned count) const
{
    return Find(c, start, count) != -1;
}

bool XString::Contains(const char* pcsz, unsigned start, unsigned count) const
{
    return Find(pcsz, start, count) != -1;
}

bool XString::ContainsNoCase(const char* pcsz, unsigned start, unsigned count) const
{
    return FindNoCase(pcsz, start, count) != -1;
}

unsigned XString::Count(char c) const
{
    return unsigned(std::count(Data(), Data() + m_uiLength, c));
}

unsigned XString::Count(char c, unsigned max, unsigned start) const
{
    if (start >= m_uiLength || max == 0)
        return 0;
    unsigned found = 0;
    for (unsigned i = start; i < m_uiLength && found < max; ++i)
        if (Data()[i] == c)
            ++found;
    return found;
}
