// SOAP 1.1 document/literal envelopes: the request writer and the response and fault readers.
#pragma once

#include "foundation/XString.h"

#include <string>
#include <string_view>
#include <vector>

enum class ESoapType
{
    kString,
    kBoolean
};

struct CSoapParameter
{
    XString name;
    ESoapType type = ESoapType::kString;
};

// One parameter value. Strings are UTF-16 inside the program and may be NULL (written as
// xsi:nil), which is not the same as empty. A default value is the initial value of every output:
// false, NULL.
struct CSoapValue
{
    bool boolean = false;
    bool isNull = true;
    std::u16string text;

    static CSoapValue Boolean(bool value);
    static CSoapValue Text(std::u16string value);
    static CSoapValue Text(const XString& ansi); // Windows-1252 text, as XString holds it
    static CSoapValue Null();
    // The text back in Windows-1252 (characters outside it become '?'); "" for NULL.
    XString ToAnsi() const;
};

struct CSoapOperation
{
    XString name;    // the request element, e.g. "LoginUser"; the response is name + "Response"
    XString ns;      // the service namespace URI
    std::vector<CSoapParameter> inputs;
    std::vector<CSoapParameter> outputs;

    // "SOAPAction: \"" + namespace + name + "\"\r\n"
    XString SoapActionLine() const;
};

// Texts in UTF-8 as they arrived.
struct CSoapFault
{
    XString code;
    XString string;
    XString detail;
};

class CSoapEnvelope
{
public:
    static const char* const kEnvelopeNamespace; // http://schemas.xmlsoap.org/soap/envelope/
    static const char* const kInstanceNamespace; // http://www.w3.org/2001/XMLSchema-instance

    // The whole request envelope on one line, pure ASCII: every character that is not printable
    // ASCII, and < > & " ', is written as a reference ("&#x%04X;", "&#x%06X;" above U+FFFF).
    // False, with the reason in error, when the value count differs from the operation's inputs
    // or a text holds what XML 1.0 cannot carry at all (C0 controls other than tab, line feed and
    // carriage return, U+FFFE, U+FFFF, an unpaired surrogate).
    static bool WriteRequest(const CSoapOperation& operation, const std::vector<CSoapValue>& inputs,
                             XString& envelope, XString& error);
    // Appends text XML-escaped as above; false on a character XML cannot carry.
    static bool AppendEscaped(std::u16string_view text, XString& out);

    // Reads a response envelope (Envelope, optional Header, Body, operation name + "Response" in
    // the operation's namespace). Children are matched to the outputs by local name; unknown
    // elements, attributes and the Header's content are skipped. An output that does not appear
    // keeps its initial value. A boolean must be "true", "false", "1" or "0". False, with outputs
    // untouched and the reason in error, on anything else: not well-formed, a document type
    // declaration, deeper than 64 levels, other root or body element, a bad boolean.
    static bool ReadResponse(const CSoapOperation& operation, std::string_view body,
                             std::vector<CSoapValue>& outputs, XString& error);
    // Reads Envelope/Body/Fault with faultcode, faultstring and detail (its text content). False,
    // with fault untouched, when the body is no such document.
    static bool ReadFault(std::string_view body, CSoapFault& fault, XString& error);
};
