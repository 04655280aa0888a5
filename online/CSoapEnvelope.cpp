// Writing request envelopes and reading responses and faults through the SAX reader.
#include "online/CSoapEnvelope.h"

#include "foundation/XBStr.h"
#include "platform/xml/SaxReader.h"

#include <cstdio>

namespace
{

const char* const kNilTrue[] = {"1", "true"};

bool IsHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendReference(unsigned codePoint, XString& out)
{
    char reference[16];
    std::snprintf(reference, sizeof reference, codePoint > 0xFFFF ? "&#x%06X;" : "&#x%04X;", codePoint);
    out += reference;
}

void AppendUtf16(std::string_view utf8, std::u16string& out)
{
    // expat hands over well-formed UTF-8 only.
    for (std::size_t i = 0; i < utf8.size();)
    {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        unsigned codePoint = lead;
        std::size_t extra = 0;
        if (lead >= 0xF0)
        {
            codePoint = lead & 0x07u;
            extra = 3;
        }
        else if (lead >= 0xE0)
        {
            codePoint = lead & 0x0Fu;
            extra = 2;
        }
        else if (lead >= 0xC0)
        {
            codePoint = lead & 0x1Fu;
            extra = 1;
        }
        for (std::size_t k = 1; k <= extra && i + k < utf8.size(); ++k)
            codePoint = (codePoint << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3Fu);
        i += extra + 1;
        if (codePoint > 0xFFFF)
        {
            codePoint -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (codePoint >> 10));
            out += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
        }
        else
        {
            out += static_cast<char16_t>(codePoint);
        }
    }
}

bool IsNil(const std::vector<plk::xml::Attribute>& attributes)
{
    for (const auto& attribute : attributes)
        if (attribute.uri == CSoapEnvelope::kInstanceNamespace && attribute.local == "nil")
            for (const char* yes : kNilTrue)
                if (attribute.value == yes)
                    return true;
    return false;
}

bool ParseBoolean(const std::u16string& text, bool& value)
{
    std::size_t first = text.find_first_not_of(u" \t\r\n");
    std::size_t last = text.find_last_not_of(u" \t\r\n");
    const std::u16string word = first == std::u16string::npos ? u"" : text.substr(first, last - first + 1);
    if (word == u"true" || word == u"1")
        value = true;
    else if (word == u"false" || word == u"0")
        value = false;
    else
        return false;
    return true;
}

// Walks Envelope / [Header] / Body / <operation>Response / outputs.
class ResponseHandler : public plk::xml::SaxHandler
{
public:
    ResponseHandler(const CSoapOperation& operation, std::vector<CSoapValue>& values)
        : m_operation(operation), m_values(values)
    {
        m_responseName = operation.name.GetBuffer();
        m_responseName += "Response";
    }

    bool StartElement(const std::string& uri, const std::string& local,
                      const std::vector<plk::xml::Attribute>& attributes) override
    {
        ++m_depth;
        if (m_depth == 1)
            return Expect(uri == CSoapEnvelope::kEnvelopeNamespace && local == "Envelope",
                          "the root element is not a SOAP Envelope");
        if (m_depth == 2)
        {
            if (uri == CSoapEnvelope::kEnvelopeNamespace && local == "Body")
            {
                if (m_sawBody)
                    return Expect(false, "the envelope has two Body elements");
                m_sawBody = m_inBody = true;
            }
            return true;
        }
        if (!m_inBody)
            return true;
        if (m_depth == 3)
        {
            if (m_sawResponse)
                return true;
            m_sawResponse = m_inResponse = true;
            return Expect(uri == m_operation.ns.GetBuffer() && local == m_responseName,
                          "the body holds no " + m_responseName + " of the operation's namespace");
        }
        if (m_depth == 4 && m_inResponse)
        {
            m_output = -1;
            for (std::size_t i = 0; i < m_operation.outputs.size(); ++i)
                if (local == m_operation.outputs[i].name.GetBuffer())
                    m_output = static_cast<int>(i);
            m_text.clear();
            m_nil = IsNil(attributes);
        }
        return true;
    }

    bool EndElement(const std::string&, const std::string&) override
    {
        if (m_depth == 4 && m_output >= 0)
        {
            const std::size_t index = static_cast<std::size_t>(m_output);
            CSoapValue& value = m_values[index];
            if (m_operation.outputs[index].type == ESoapType::kBoolean)
            {
                if (!m_nil && !ParseBoolean(m_text, value.boolean))
                    return Expect(false, std::string("the output ") + m_operation.outputs[index].name.GetBuffer() +
                                             " is not a boolean");
            }
            else
            {
                value.isNull = m_nil;
                value.text = m_nil ? std::u16string() : m_text;
            }
            m_output = -1;
        }
        if (m_depth == 3)
            m_inResponse = false;
        if (m_depth == 2)
            m_inBody = false;
        --m_depth;
        return true;
    }

    bool Characters(std::string_view text) override
    {
        // Text of elements nested inside an output is not part of it.
        if (m_depth == 4 && m_output >= 0)
            AppendUtf16(text, m_text);
        return true;
    }

    std::string StopReason() const override { return m_reason; }

    bool Complete(XString& error) const
    {
        if (!m_sawBody)
            error = "the envelope has no Body";
        else if (!m_sawResponse)
            error = ("the body holds no " + m_responseName).c_str();
        else
            return true;
        return false;
    }

private:
    bool Expect(bool condition, const std::string& reason)
    {
        if (!condition)
            m_reason = reason;
        return condition;
    }

    const CSoapOperation& m_operation;
    std::vector<CSoapValue>& m_values;
    std::string m_responseName;
    std::string m_reason;
    int m_depth = 0;
    bool m_sawBody = false;
    bool m_inBody = false;
    bool m_sawResponse = false;
    bool m_inResponse = false;
    int m_output = -1;
    bool m_nil = false;
    std::u16string m_text;
};

// Walks Envelope / [Header] / Body / Fault / faultcode, faultstring, detail.
class FaultHandler : public plk::xml::SaxHandler
{
public:
    explicit FaultHandler(CSoapFault& fault) : m_fault(fault) {}

    bool StartElement(const std::string& uri, const std::string& local,
                      const std::vector<plk::xml::Attribute>&) override
    {
        ++m_depth;
        if (m_depth == 1)
            return Expect(uri == CSoapEnvelope::kEnvelopeNamespace && local == "Envelope",
                          "the root element is not a SOAP Envelope");
        if (m_depth == 2)
            m_inBody = uri == CSoapEnvelope::kEnvelopeNamespace && local == "Body";
        else if (m_depth == 3 && m_inBody && !m_sawFault)
        {
            m_sawFault = true;
            return Expect(uri == CSoapEnvelope::kEnvelopeNamespace && local == "Fault",
                          "the body holds no SOAP Fault");
        }
        else if (m_depth == 4 && m_inBody)
        {
            m_field = local == "faultcode" ? &m_fault.code
                      : local == "faultstring" ? &m_fault.string
                      : local == "detail"      ? &m_fault.detail
                                               : nullptr;
            if (m_field)
                *m_field = "";
        }
        return true;
    }

    bool EndElement(const std::string&, const std::string&) override
    {
        if (m_depth == 4)
            m_field = nullptr;
        if (m_depth == 2)
            m_inBody = false;
        --m_depth;
        return true;
    }

    bool Characters(std::string_view text) override
    {
        if (m_field && m_depth >= 4)
            m_field->AppendData(text.data(), static_cast<unsigned>(text.size()));
        return true;
    }

    std::string StopReason() const override { return m_reason; }
    bool SawFault() const { return m_sawFault; }

private:
    bool Expect(bool condition, const std::string& reason)
    {
        if (!condition)
            m_reason = reason;
        return condition;
    }

    CSoapFault& m_fault;
    std::string m_reason;
    int m_depth = 0;
    bool m_inBody = false;
    bool m_sawFault = false;
    XString* m_field = nullptr;
};

} // namespace

const char* const CSoapEnvelope::kEnvelopeNamespace = "http://schemas.xmlsoap.org/soap/envelope/";
const char* const CSoapEnvelope::kInstanceNamespace = "http://www.w3.org/2001/XMLSchema-instance";

CSoapValue CSoapValue::Boolean(bool value)
{
    CSoapValue result;
    result.boolean = value;
    return result;
}

CSoapValue CSoapValue::Text(std::u16string value)
{
    CSoapValue result;
    result.isNull = false;
    result.text = std::move(value);
    return result;
}

CSoapValue CSoapValue::Text(const XString& ansi)
{
    return Text(std::u16string(XBStr::FromAnsi(ansi.GetBuffer(), ansi.GetLength()).View()));
}

CSoapValue CSoapValue::Null()
{
    return CSoapValue();
}

XString CSoapValue::ToAnsi() const
{
    XString out;
    if (!isNull)
    {
        const std::string ansi = XBStr(text).ToAnsi();
        out.AppendData(ansi.data(), static_cast<unsigned>(ansi.size()));
    }
    return out;
}

XString CSoapOperation::SoapActionLine() const
{
    XString line("SOAPAction: \"");
    line += ns;
    line += name;
    line += "\"\r\n";
    return line;
}

bool CSoapEnvelope::AppendEscaped(std::u16string_view text, XString& out)
{
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        const char16_t unit = text[i];
        switch (unit)
        {
        case u'&': out += "&amp;"; continue;
        case u'"': out += "&quot;"; continue;
        case u'\'': out += "&apos;"; continue;
        default: break;
        }
        if (unit >= 0x20 && unit < 0x7F && unit != u'<' && unit != u'>')
        {
            out += static_cast<char>(unit);
            continue;
        }
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
        {
            AppendReference(0x10000 + ((unsigned(unit) - 0xD800) << 10) + (unsigned(text[i + 1]) - 0xDC00), out);
            ++i;
            continue;
        }
        const bool allowedControl = unit == u'\t' || unit == u'\n' || unit == u'\r';
        if ((unit < 0x20 && !allowedControl) || IsHighSurrogate(unit) || IsLowSurrogate(unit) || unit == 0xFFFE ||
            unit == 0xFFFF)
            return false;
        AppendReference(unit, out);
    }
    return true;
}

bool CSoapEnvelope::WriteRequest(const CSoapOperation& operation, const std::vector<CSoapValue>& inputs,
                                 XString& envelope, XString& error)
{
    if (inputs.size() != operation.inputs.size())
    {
        error.Format("Error: in CSoapEnvelope::WriteRequest, %s takes %u inputs, %u were given.",
                     operation.name.GetBuffer(), static_cast<unsigned>(operation.inputs.size()),
                     static_cast<unsigned>(inputs.size()));
        return false;
    }
    XString out("<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\" "
                "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" "
                "xmlns:soapenc=\"http://schemas.xmlsoap.org/soap/encoding/\"><soap:Body><");
    out += operation.name;
    out += " xmlns=\"";
    if (!AppendEscaped(std::u16string(XBStr::FromAnsi(operation.ns.GetBuffer(), operation.ns.GetLength()).View()), out))
    {
        error = "Error: in CSoapEnvelope::WriteRequest, the namespace holds a character XML cannot carry.";
        return false;
    }
    out += "\">";
    for (std::size_t i = 0; i < inputs.size(); ++i)
    {
        const XString& name = operation.inputs[i].name;
        const CSoapValue& value = inputs[i];
        out += '<';
        out += name;
        if (operation.inputs[i].type == ESoapType::kBoolean)
        {
            out += value.boolean ? ">true</" : ">false</";
        }
        else if (value.isNull)
        {
            out += " xsi:nil=\"1\"/>";
            continue;
        }
        else
        {
            out += '>';
            if (!AppendEscaped(value.text, out))
            {
                error = "Error: in CSoapEnvelope::WriteRequest, the value of ";
                error += name;
                error += " holds a character XML cannot carry.";
                return false;
            }
            out += "</";
        }
        out += name;
        out += '>';
    }
    out += "</";
    out += operation.name;
    out += "></soap:Body></soap:Envelope>";
    envelope = out;
    return true;
}

bool CSoapEnvelope::ReadResponse(const CSoapOperation& operation, std::string_view body,
                                 std::vector<CSoapValue>& outputs, XString& error)
{
    std::vector<CSoapValue> values =
        outputs.size() == operation.outputs.size() ? outputs : std::vector<CSoapValue>(operation.outputs.size());
    ResponseHandler handler(operation, values);
    plk::xml::SaxReader reader;
    if (!reader.Parse(body, handler))
    {
        error = "Error: in CSoapEnvelope::ReadResponse, the response could not be read. Msg=";
        error += reader.GetError().c_str();
        return false;
    }
    XString missing;
    if (!handler.Complete(missing))
    {
        error = "Error: in CSoapEnvelope::ReadResponse, ";
        error += missing;
        error += '.';
        return false;
    }
    outputs = std::move(values);
    return true;
}

bool CSoapEnvelope::ReadFault(std::string_view body, CSoapFault& fault, XString& error)
{
    CSoapFault read;
    FaultHandler handler(read);
    plk::xml::SaxReader reader;
    if (!reader.Parse(body, handler))
    {
        error = "Error: in CSoapEnvelope::ReadFault, the fault could not be read. Msg=";
        error += reader.GetError().c_str();
        return false;
    }
    if (!handler.SawFault())
    {
        error = "Error: in CSoapEnvelope::ReadFault, the body holds no SOAP Fault.";
        return false;
    }
    fault = read;
    return true;
}
