// XException: the foundation library's one exception type, a fixed-size value with a code.
#pragma once

#include <cstddef>
#include <cstdint>

// Codes the library throws; below 5000 are programming and resource errors.
const uint32_t XEXC_OUT_OF_MEMORY = 1;
const uint32_t XEXC_INDEX_RANGE = 2;
const uint32_t XEXC_NULL_POINTER = 3;
const uint32_t XEXC_BAD_FORMAT = 5019;

class XException
{
public:
    // The whole message lives inside the object so that throwing never allocates.
    static const size_t kMessageSize = 2048;

    XException();
    // Builds "Exception(Quellib): Class <className>, Msg=<message><inner>". NULL class name or
    // message print as "NULL"; a NULL inner text adds nothing. Text beyond 2047 characters is cut.
    XException(uint32_t code, const char* className, const char* message, const char* inner = nullptr);

    const char* GetMessage() const { return m_szMessage; }
    uint32_t GetLength() const { return m_uiLength; }
    uint32_t GetCode() const { return m_uiCode; }
    // kind 0: code below 5000; kind 1: code 5000..5999; any other kind: false.
    bool InCategory(int kind) const;

private:
    void Append(const char* text);

    char m_szMessage[kMessageSize];
    uint32_t m_uiLength;
    uint32_t m_uiCode;
};
