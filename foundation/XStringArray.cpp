// XStringArray: copying with the error text, and adding plain texts.
#include "foundation/XStringArray.h"

#include <new>

#include "foundation/XException.h"

XStringArray::XStringArray(const XStringArray& other) : XArray<XString>()
{
    *this = other;
}

XStringArray::~XStringArray()
{
    delete m_pErrorMsg;
    m_pErrorMsg = nullptr;
}

XStringArray& XStringArray::operator=(const XStringArray& other)
{
    if (&other == this)
        return *this;
    if (other.m_pErrorMsg)
        ErrorText("in = could not allocate memory for return error.") = *other.m_pErrorMsg;
    else if (m_pErrorMsg)
        m_pErrorMsg->SetData("");
    Free();
    XArray<XString>::operator=(other);
    return *this;
}

void XStringArray::Add(const char* text, unsigned times, unsigned* firstIndex)
{
    try
    {
        const XString value(text);
        XArray<XString>::Add(value, times, firstIndex);
    }
    catch (const XException& e)
    {
        throw XException(e.GetCode(), "XStringArray", "in Add failed. Msg=", e.GetMessage());
    }
}

const char* XStringArray::GetErrorMsg() const
{
    return m_pErrorMsg ? m_pErrorMsg->GetBuffer() : "";
}

XString& XStringArray::ErrorText(const char* memoryError)
{
    if (!m_pErrorMsg)
    {
        m_pErrorMsg = new (std::nothrow) XString(false, false);
        if (!m_pErrorMsg)
            throw XException(XEXC_OUT_OF_MEMORY, "XStringArray", memoryError);
    }
    return *m_pErrorMsg;
}
