// SOAP request reading on the platform's SAX reader, and response and fault writing.
#include "server/SoapMessage.h"

#include "platform/xml/SaxReader.h"

namespace plk::server
{

const char* const kSoapEnvelopeNamespace = "http://schemas.xmlsoap.org/soap/envelope/";

namespace
{

const char kInstanceNamespace[] = "http://www.w3.org/2001/XMLSchema-instance";

bool IsBlank(std::string_view text)
{
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// Depths: 1 Envelope, 2 Header or Body, 3 the operation, 4 a parameter.
class CallReader : public xml::SaxHandler
{
public:
    explicit CallReader(CSoapCall& call) : m_call(call) {}

    bool StartElement(const std::string& uri, const std::string& local,
                      const std::vector<xml::Attribute>& attributes) override
    {
        ++m_depth;
        if (m_inHeader)
            return true;
        switch (m_depth)
        {
        case 1:
            if (uri != kSoapEnvelopeNamespace || local != "Envelope")
                return Refuse("the document is no SOAP 1.1 envelope");
            return true;
        case 2:
            if (uri != kSoapEnvelopeNamespace || m_sawBody)
                return Refuse("the envelope holds " + local + " where only Header and Body may be");
            if (local == "Header" && !m_sawHeader)
            {
                m_sawHeader = true;
                m_inHeader = true;
                return true;
            }
            if (local != "Body")
                return Refuse("the envelope holds " + local + " where only Header and Body may be");
            m_sawBody = true;
            return true;
        case 3:
            if (!m_call.operation.empty())
                return Refuse("the body holds more than one operation");
            m_call.operation = local;
            m_call.ns = uri;
            return true;
        case 4:
            if (!uri.empty() && uri != m_call.ns)
                return Refuse("parameter " + local + " is in another namespace");
            if (m_call.parameters.count(local))
                return Refuse("parameter " + local + " appears twice");
            m_parameter = local;
            m_text.clear();
            m_nil = false;
            for (const xml::Attribute& attribute : attributes)
                if (attribute.uri == kInstanceNamespace && attribute.local == "nil")
                    m_nil = attribute.value == "1" || attribute.value == "true";
            return true;
        default:
            return Refuse("parameter " + m_parameter + " holds an element");
        }
    }

    bool EndElement(const std::string&, const std::string&) override
    {
        if (m_inHeader && m_depth == 2)
            m_inHeader = false;
        if (!m_inHeader && m_depth == 4)
        {
            if (m_nil && !m_text.empty())
                return Refuse("parameter " + m_parameter + " is nil and has text");
            if (m_nil)
                m_call.parameters[m_parameter] = std::nullopt;
            else
                m_call.parameters[m_parameter] = m_text;
        }
        --m_depth;
        return true;
    }

    bool Characters(std::string_view text) override
    {
        if (m_inHeader)
            return true;
        if (m_depth == 4)
        {
            m_text.append(text);
            return true;
        }
        return IsBlank(text) || Refuse("text outside the parameters");
    }

    std::string StopReason() const override { return m_reason; }

    bool Complete(std::string& error) const
    {
        if (!m_sawBody || m_call.operation.empty())
        {
            error = "the envelope has no operation in its body";
            return false;
        }
        return true;
    }

private:
    bool Refuse(std::string reason)
    {
        m_reason = std::move(reason);
        return false;
    }

    CSoapCall& m_call;
    int m_depth = 0;
    bool m_sawHeader = false;
    bool m_inHeader = false;
    bool m_sawBody = false;
    std::string m_parameter;
    std::string m_text;
    bool m_nil = false;
    std::string m_reason;
};

void AppendElement(std::string& out, const CSoapOutput& output)
{
    switch (output.kind)
    {
    case CSoapOutput::EKind::kBoolean:
        out += "<" + output.name + ">" + (output.boolean ? "true" : "false") + "</" + output.name + ">";
        break;
    case CSoapOutput::EKind::kText:
        out += "<" + output.name + ">" + XmlEscape(output.text) + "</" + output.name + ">";
        break;
    case CSoapOutput::EKind::kNull:
        out += "<" + output.name + " xsi:nil=\"true\"/>";
        break;
    }
}

const char kEnvelopeStart[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
    "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\" "
    "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
    "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\"><soap:Body>";
const char kEnvelopeEnd[] = "</soap:Body></soap:Envelope>";

} // namespace

const std::string* CSoapCall::Text(const std::string& name) const
{
    const auto found = parameters.find(name);
    if (found == parameters.end() || !found->second)
        return nullptr;
    return &*found->second;
}

bool ReadSoapCall(std::string_view body, CSoapCall& call, std::string& error)
{
    CSoapCall read;
    CallReader handler(read);
    xml::SaxReader reader;
    if (!reader.Parse(body, handler))
    {
        error = reader.GetError();
        return false;
    }
    if (!handler.Complete(error))
        return false;
    call = std::move(read);
    return true;
}

CSoapOutput CSoapOutput::Boolean(std::string name, bool value)
{
    CSoapOutput output;
    output.name = std::move(name);
    output.kind = EKind::kBoolean;
    output.boolean = value;
    return output;
}

CSoapOutput CSoapOutput::Text(std::string name, std::string value)
{
    CSoapOutput output;
    output.name = std::move(name);
    output.kind = EKind::kText;
    output.text = std::move(value);
    return output;
}

CSoapOutput CSoapOutput::Null(std::string name)
{
    CSoapOutput output;
    output.name = std::move(name);
    return output;
}

std::string WriteSoapResponse(const CSoapCall& call, const std::vector<CSoapOutput>& outputs)
{
    std::string out = kEnvelopeStart;
    out += "<" + call.operation + "Response xmlns=\"" + XmlEscape(call.ns) + "\">";
    for (const CSoapOutput& output : outputs)
        AppendElement(out, output);
    out += "</" + call.operation + "Response>";
    out += kEnvelopeEnd;
    return out;
}

std::string WriteSoapFault(const std::string& code, const std::string& text)
{
    std::string out = kEnvelopeStart;
    out += "<soap:Fault><faultcode>" + XmlEscape(code) + "</faultcode><faultstring>" + XmlEscape(text) +
           "</faultstring><detail/></soap:Fault>";
    out += kEnvelopeEnd;
    return out;
}

std::string XmlEscape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text)
    {
        switch (c)
        {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
                out += '?';
            else
                out += c;
        }
    }
    return out;
}

} // namespace plk::server
