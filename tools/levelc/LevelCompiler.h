// The level compiler: a plain GameLevel document in, the enciphered level file out, with the
// origin mark that standard and tutorial levels need; the level is loaded once to prove it reads.
#pragma once

#include "foundation/XString.h"

#include <cstdint>

class CLevelCompiler
{
public:
    // Time value the cipher is keyed with, so that a build always writes the same bytes.
    static constexpr uint64_t kBuildTimeValue = 20061206ull;

    // name is the level's file name without folder or extension ("StdLevel1"). On success out
    // holds the enciphered bytes; on failure the reason is in GetErrorMsg().
    bool Compile(const XString& name, const XString& plainDocument, XString& out);
    // Reads inputPath, compiles it under the name of its file and writes outputPath.
    bool CompileFile(const XString& inputPath, const XString& outputPath);

    const XString& GetErrorMsg() const { return m_strErrorMsg; }

private:
    XString m_strErrorMsg;
};
