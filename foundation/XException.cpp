// XException: builds the fixed-size message text once, in the constructor.
#include "foundation/XException.h"

namespace
{
const char kPrefix[] = "Exception(Quellib): Class ";
// Codes from 5000 to 5999 form the second category (runtime formatting failures).
const uint32_t kCategoryOneBegin = 5000;
const uint32_t kCategoryOneEnd = 5999;
} // namespace

XException::XException() : m_szMessage{}, m_uiLength(0), m_uiCode(0)
{
}

XException::XException(uint32_t code, const char* className, const char* message, const char* inner)
    : m_szMessage{}, m_uiLength(0), m_uiCode(code)
{
    Append(kPrefix);
    Append(className ? className : "NULL");
    Append(", Msg=");
    Append(message ? message : "NULL");
    if (inner)
        Append(inner);
}

void XException::Append(const char* text)
{
    // Cut at the buffer's end instead of overrunning it: the type must stay a fixed-size value.
    while (*text && m_uiLength < kMessageSize - 1)
        m_szMessage[m_uiLength++] = *text++;
    m_szMessage[m_uiLength] = '\0';
}

bool XException::InCategory(int kind) const
{
    if (kind == 0)
        return m_uiCode < kCategoryOneBegin;
    if (kind == 1)
        return m_uiCode >= kCategoryOneBegin && m_uiCode <= kCategoryOneEnd;
    return false;
}
