// XTextCipher: the password cipher of level files, saved games, session identifiers and score data.
#pragma once

#include <cstdint>

#include "foundation/XString.h"

// Enciphered text = L cipher bytes + an eight-byte trailer carrying the time value that keyed
// them, masked by the first cipher bytes. A wrong password is not detected: Decrypt then
// succeeds with meaningless bytes. Neither operation throws; on failure the text is unchanged.
class XTextCipher
{
public:
    static const unsigned kTrailerBytes = 8;
    static const unsigned kMinPasswordLength = 4;

    XTextCipher();

    // Enciphers in place under the current UTC time, so that two calls rarely give the same bytes.
    bool Encrypt(XString& text, const char* password);
    // The same with a given time value: the same text, password and value always give the same
    // bytes (repeatable builds of enciphered files, known-answer tests).
    bool EncryptWithTime(XString& text, const char* password, uint64_t timeValue);
    // Deciphers in place; the text must hold at least one byte before its trailer.
    bool Decrypt(XString& text, const char* password);

    // The error text of the last call; "" after success.
    const char* GetErrorMsg() const { return m_strErrorMsg.GetBuffer(); }

private:
    XString m_strErrorMsg;
};
