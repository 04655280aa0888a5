// XString: conversions to numbers, truth, the wide system string and the 64-bit hash.
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <strings.h>

#include "foundation/XException.h"
#include "foundation/XString.h"

namespace
{
// Kind 1: a polynomial hash over the text forwards and backwards, kept below 2^63 - 1.
const uint64_t kHashMultiplier = 131;
const uint64_t kHashModulus = 0x7FFFFFFFFFFFFFFFull;
const int kHashTwoWay = 1;
const char kTrue[] = "true";
const unsigned kTrueLength = 4;
} // namespace

int XString::ToInt(unsigned index) const
{
    const long value = std::strtol(GetBuffer(index), nullptr, 10);
    // Out-of-range texts saturate like the runtime's atoi instead of wrapping.
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return int(value);
}

double XString::ToDouble(unsigned index) const
{
    return std::strtod(GetBuffer(index), nullptr);
}

bool XString::IsTrue(unsigned index) const
{
    const unsigned from = index < m_uiLength ? index : m_uiLength;
    return m_uiLength - from >= kTrueLength && strncasecmp(GetBuffer(from), kTrue, kTrueLength) == 0;
}

XBStr XString::ToBStrT(unsigned index) const
{
    const unsigned from = index < m_uiLength ? index : m_uiLength;
    try
    {
        return XBStr::FromAnsi(GetBuffer(from), m_uiLength - from);
    }
    catch (...)
    {
        Throw(XEXC_OUT_OF_MEMORY, "in ToBStrT could not allocate memory for system string.");
    }
}

uint64_t XString::GetHash(int kind) const
{
    if (kind != kHashTwoWay)
        return 0;
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(Data());
    const uint64_t n = m_uiLength;
    uint64_t forward = n;
    uint64_t backward = n;
    for (uint64_t i = 0; i < n; ++i)
    {
        forward = (forward * kHashMultiplier + bytes[i]) % kHashModulus;
        backward = (backward * kHashMultiplier + bytes[n - 1 - i]) % kHashModulus;
    }
    return forward + backward;
}
