// A namespace-aware SAX reader for documents that arrive from other machines: it refuses every
// document type declaration, so no entity is ever declared, expanded or fetched from outside.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace plk::xml
{

// Deeper documents are refused; nothing this program reads nests more than a few levels.
const std::size_t kDefaultMaxDepth = 64;

struct Attribute
{
    std::string uri;   // namespace URI; empty for an attribute without prefix
    std::string local; // name without prefix
    std::string value; // UTF-8, references replaced
};

// Receives the document in order. Returning false from any member stops the reading; Parse then
// fails with the handler's reason.
class SaxHandler
{
  public:
    virtual ~SaxHandler() = default;
    virtual bool StartElement(const std::string& uri, const std::string& local,
                              const std::vector<Attribute>& attributes) = 0;
    virtual bool EndElement(const std::string& uri, const std::string& local) = 0;
    // Text in UTF-8; one run of text may arrive in several pieces.
    virtual bool Characters(std::string_view text) = 0;
    // Why the handler stopped, for the error text.
    virtual std::string StopReason() const { return "the handler stopped"; }
};

class SaxReader
{
  public:
    void SetMaxDepth(std::size_t depth) { m_maxDepth = depth; }

    // Reads a whole document. False with the reason in GetError() when it is not well-formed,
    // carries a document type declaration, nests deeper than the limit or the handler stopped.
    bool Parse(std::string_view document, SaxHandler& handler);
    const std::string& GetError() const { return m_error; }

  private:
    std::size_t m_maxDepth = kDefaultMaxDepth;
    std::string m_error;
};

} // namespace plk::xml
