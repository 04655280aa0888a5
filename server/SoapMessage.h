// The SOAP 1.1 side of the score server: reading a wrapped document/literal request, writing the
// response and the fault.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plk::server
{

extern const char* const kSoapEnvelopeNamespace;

// One request as it arrived: the body's operation element and its parameters in UTF-8.
struct CSoapCall
{
    std::string operation; // local name, e.g. "AddScore"
    std::string ns;        // the operation element's namespace URI
    // nullopt for an element marked xsi:nil; an element without text is "".
    std::map<std::string, std::optional<std::string>> parameters;

    // The parameter's text, or nullptr when it is missing or nil.
    const std::string* Text(const std::string& name) const;
};

// Reads Envelope (SOAP 1.1 namespace), an optional Header (skipped), and a Body holding exactly
// one operation element whose children carry text only. Unknown parameters are kept and left to
// the caller. False with the reason in error on anything else, including any document type
// declaration (so no entity is ever expanded) and nesting deeper than the reader's limit.
bool ReadSoapCall(std::string_view body, CSoapCall& call, std::string& error);

struct CSoapOutput
{
    enum class EKind
    {
        kBoolean,
        kText,
        kNull
    };
    std::string name;
    EKind kind = EKind::kNull;
    bool boolean = false;
    std::string text;

    static CSoapOutput Boolean(std::string name, bool value);
    static CSoapOutput Text(std::string name, std::string value);
    static CSoapOutput Null(std::string name);
};

// The response envelope: operation + "Response" in the request's namespace, one child per output.
std::string WriteSoapResponse(const CSoapCall& call, const std::vector<CSoapOutput>& outputs);
// A fault envelope; code is "soap:Client" (the request was at fault) or "soap:Server".
std::string WriteSoapFault(const std::string& code, const std::string& text);

// Escapes UTF-8 text for element content and attribute values. Control characters that XML 1.0
// cannot carry become '?'.
std::string XmlEscape(std::string_view text);

} // namespace plk::server
