// Text-entry rules of the prompts.
#include "screens/CTextEntry.h"

#include <cstring>

namespace
{

// Punctuation each class admits besides letters, digits and the blank. Free text ends up inside a
// level document's elements, which are found by tag search: a "<" or ">" could make it a tag.
const char* const kFreeTextPunctuation = "~!@#$%^&*()-_+=[]{},.:;|\\/?`'\"";
const char* const kFileNamePunctuation = "~!@#$%^&()-_+=[]{},.;`'";

bool IsLetterOrDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

} // namespace

CTextEntry::CTextEntry(CharClass charClass, unsigned maxLength, const XString& initial)
    : m_class(charClass), m_uiMaxLength(maxLength), m_strText(initial), m_uiCursor(initial.GetLength())
{
}

bool CTextEntry::Accepts(CharClass charClass, char c)
{
    if (c == 0)
        return false;
    switch (charClass)
    {
    case CharClass::kDigits: return c >= '0' && c <= '9';
    case CharClass::kFileName: return IsLetterOrDigit(c) || c == ' ' || std::strchr(kFileNamePunctuation, c);
    case CharClass::kFreeText: return IsLetterOrDigit(c) || c == ' ' || std::strchr(kFreeTextPunctuation, c);
    }
    return false;
}

void CTextEntry::Type(char c)
{
    if (c == kBackspace)
    {
        if (m_uiCursor == 0)
            return;
        // A line break is one step for the player, so it goes as a whole.
        const bool lineBreak = m_uiCursor >= 2 && m_strText[static_cast<int>(m_uiCursor - 1)] == '\n' &&
                               m_strText[static_cast<int>(m_uiCursor - 2)] == '\r';
        const unsigned count = lineBreak ? 2 : 1;
        m_uiCursor -= count;
        m_strText.Delete(m_uiCursor, count);
        return;
    }
    if (c == kDelete)
    {
        if (m_uiCursor >= m_strText.GetLength())
            return;
        const bool lineBreak = m_uiCursor + 1 < m_strText.GetLength() &&
                               m_strText[static_cast<int>(m_uiCursor)] == '\r' &&
                               m_strText[static_cast<int>(m_uiCursor + 1)] == '\n';
        m_strText.Delete(m_uiCursor, lineBreak ? 2 : 1);
        return;
    }
    if (!Accepts(m_class, c) || !Fits(1))
        return;
    m_strText.Insert(c, m_uiCursor);
    ++m_uiCursor;
}

void CTextEntry::InsertLineBreak()
{
    // Both characters must fit: a break that half fits would leave a lone carriage return.
    if (m_class != CharClass::kFreeText || !Fits(2))
        return;
    m_strText.Insert("\r\n", m_uiCursor);
    m_uiCursor += 2;
}

void CTextEntry::MoveLeft()
{
    if (m_uiCursor > 0)
        --m_uiCursor;
}

void CTextEntry::MoveRight()
{
    if (m_uiCursor < m_strText.GetLength())
        ++m_uiCursor;
}

XString CTextEntry::WithCursor() const
{
    XString shown(m_strText);
    shown.Insert('|', m_uiCursor);
    return shown;
}
