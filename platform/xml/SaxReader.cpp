// The SAX reader on expat.
#include "platform/xml/SaxReader.h"

#include <expat.h>

#include <climits>
#include <memory>

namespace plk::xml
{
namespace
{

// Separates the namespace URI from the local name in the names expat hands over.
const char kNamespaceSeparator = '\x01';

struct ParserDeleter
{
    void operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }
};

struct Context
{
    XML_Parser parser = nullptr;
    SaxHandler* handler = nullptr;
    std::size_t depth = 0;
    std::size_t maxDepth = 0;
    std::string stopReason; // empty while reading goes on
};

void SplitName(const char* name, std::string& uri, std::string& local)
{
    const std::string_view whole(name);
    const std::size_t separator = whole.find(kNamespaceSeparator);
    if (separator == std::string_view::npos)
    {
        uri.clear();
        local.assign(whole);
        return;
    }
    uri.assign(whole.substr(0, separator));
    local.assign(whole.substr(separator + 1));
}

void Stop(Context& context, std::string reason)
{
    if (context.stopReason.empty())
        context.stopReason = std::move(reason);
    XML_StopParser(context.parser, XML_FALSE);
}

void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char** attributes)
{
    auto& context = *static_cast<Context*>(data);
    if (!context.stopReason.empty())
        return;
    if (++context.depth > context.maxDepth)
    {
        Stop(context, "the document nests deeper than " + std::to_string(context.maxDepth) + " elements");
        return;
    }
    std::string uri, local;
    SplitName(name, uri, local);
    std::vector<Attribute> list;
    for (const XML_Char** a = attributes; a[0] && a[1]; a += 2)
    {
        Attribute attribute;
        SplitName(a[0], attribute.uri, attribute.local);
        attribute.value = a[1];
        list.push_back(std::move(attribute));
    }
    if (!context.handler->StartElement(uri, local, list))
        Stop(context, context.handler->StopReason());
}

void XMLCALL OnEnd(void* data, const XML_Char* name)
{
    auto& context = *static_cast<Context*>(data);
    if (!context.stopReason.empty())
        return;
    --context.depth;
    std::string uri, local;
    SplitName(name, uri, local);
    if (!context.handler->EndElement(uri, local))
        Stop(context, context.handler->StopReason());
}

void XMLCALL OnText(void* data, const XML_Char* text, int length)
{
    auto& context = *static_cast<Context*>(data);
    if (!context.stopReason.empty())
        return;
    if (!context.handler->Characters(std::string_view(text, static_cast<std::size_t>(length))))
        Stop(context, context.handler->StopReason());
}

// A document type declaration is the only way to declare entities; refusing it keeps out entity
// expansion bombs and every external fetch.
void XMLCALL OnDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int)
{
    Stop(*static_cast<Context*>(data), "the document carries a document type declaration");
}

} // namespace

bool SaxReader::Parse(std::string_view document, SaxHandler& handler)
{
    m_error.clear();
    if (document.size() > static_cast<std::size_t>(INT_MAX))
    {
        m_error = "the document is too large";
        return false;
    }
    std::unique_ptr<XML_ParserStruct, ParserDeleter> parser(XML_ParserCreateNS(nullptr, kNamespaceSeparator));
    if (!parser)
    {
        m_error = "the XML parser could not be created";
        return false;
    }
    Context context;
    context.parser = parser.get();
    context.handler = &handler;
    context.maxDepth = m_maxDepth;
    XML_SetUserData(parser.get(), &context);
    XML_SetElementHandler(parser.get(), OnStart, OnEnd);
    XML_SetCharacterDataHandler(parser.get(), OnText);
    XML_SetStartDoctypeDeclHandler(parser.get(), OnDoctype);
    XML_SetParamEntityParsing(parser.get(), XML_PARAM_ENTITY_PARSING_NEVER);

    const XML_Status status = XML_Parse(parser.get(), document.data(), static_cast<int>(document.size()), XML_TRUE);
    if (!context.stopReason.empty())
    {
        m_error = context.stopReason;
        return false;
    }
    if (status != XML_STATUS_OK)
    {
        m_error = XML_ErrorString(XML_GetErrorCode(parser.get()));
        m_error += " at line " + std::to_string(XML_GetCurrentLineNumber(parser.get()));
        return false;
    }
    return true;
}

} // namespace plk::xml
