// The edit text of a prompt: its character class and length limit, the cursor, and the editing
// keys (Backspace, Delete, line breaks, cursor moves).
#pragma once

#include "foundation/XString.h"

class CTextEntry
{
public:
    enum class CharClass
    {
        kFreeText, // letters, digits, blank, most punctuation (not < >) and line breaks
        kFileName, // what a file name may hold: no * < > : | \ / ? " and no line break
        kDigits,
    };

    // The characters the input layer reports for the editing keys.
    static const char kBackspace = 8;
    static const char kEnter = 13;
    static const char kEscape = 27;
    static const char kDelete = 127;

    CTextEntry() = default;
    // The cursor starts at the end of the text.
    CTextEntry(CharClass charClass, unsigned maxLength, const XString& initial);

    static bool Accepts(CharClass charClass, char c);

    // One typed character: Backspace and Delete edit, any other is inserted at the cursor when the
    // class admits it and the text stays within the limit. Enter and Escape are the caller's.
    void Type(char c);
    // Carriage return + line feed at the cursor (free text only, and only when both fit).
    void InsertLineBreak();
    void MoveLeft();
    void MoveRight();
    void MoveHome() { m_uiCursor = 0; }
    void MoveEnd() { m_uiCursor = m_strText.GetLength(); }

    const XString& GetText() const { return m_strText; }
    unsigned GetCursor() const { return m_uiCursor; }
    unsigned GetMaxLength() const { return m_uiMaxLength; }
    CharClass GetCharClass() const { return m_class; }
    // The text with "|" at the cursor, as the blinking cursor shows it.
    XString WithCursor() const;

private:
    bool Fits(unsigned extra) const { return m_strText.GetLength() + extra <= m_uiMaxLength; }

    CharClass m_class = CharClass::kFreeText;
    unsigned m_uiMaxLength = 0;
    XString m_strText;
    unsigned m_uiCursor = 0;
};
