// The level compiler: origin mark, validation through the game's own reader, encipherment.
#include "tools/levelc/LevelCompiler.h"

#include "game/CGameLevel.h"

#include <memory>

namespace
{

const char* const kSignatureTags = "<Signature></Signature>";
// The mark goes right after the opening tag.
const unsigned kSignatureOpenLength = sizeof("<Signature>") - 1;

bool NeedsOriginMark(const XString& name)
{
    return name.StartsWithNoCase("StdLevel") || name.StartsWithNoCase("__Lrn");
}

// The part of a path after its last slash or backslash, without its extension.
XString LevelNameOf(const XString& path)
{
    int start = path.FindRev('/');
    const int backslash = path.FindRev('\\');
    if (backslash > start)
        start = backslash;
    XString name(path.GetBuffer(static_cast<unsigned>(start + 1)));
    const int dot = name.FindRev('.');
    if (dot > 0)
        name.Truncate(static_cast<unsigned>(dot));
    return name;
}

} // namespace

bool CLevelCompiler::Compile(const XString& name, const XString& plainDocument, XString& out)
{
    m_strErrorMsg = "";
    if (plainDocument.Find("<GameLevel>") < 0 || plainDocument.Find("</GameLevel>") < 0)
    {
        m_strErrorMsg = "Error: in CLevelCompiler::Compile, no GameLevel document. Level=";
        m_strErrorMsg += name;
        return false;
    }
    out = plainDocument;
    if (NeedsOriginMark(name))
    {
        const int at = out.Find(kSignatureTags);
        if (at < 0)
        {
            m_strErrorMsg = "Error: in CLevelCompiler::Compile, a standard or tutorial level needs an empty "
                            "<Signature></Signature> element. Level=";
            m_strErrorMsg += name;
            return false;
        }
        out.Insert(CGameLevel::kSignature, static_cast<unsigned>(at) + kSignatureOpenLength);
    }

    auto level = std::make_unique<CGameLevel>(nullptr);
    if (!level->LoadFromDocument(name, out, false, false))
    {
        m_strErrorMsg = "Error: in CLevelCompiler::Compile, the level does not load. Msg=";
        m_strErrorMsg += level->GetErrorMsg();
        return false;
    }
    if (!CGameLevel::EncipherDocumentWithTime(out, kBuildTimeValue))
    {
        m_strErrorMsg = "Error: in CLevelCompiler::Compile, enciphering failed. Level=";
        m_strErrorMsg += name;
        return false;
    }
    return true;
}

bool CLevelCompiler::CompileFile(const XString& inputPath, const XString& outputPath)
{
    XString plain;
    if (!plain.ReadFile(inputPath.GetBuffer()))
    {
        m_strErrorMsg = "Error: in CLevelCompiler::CompileFile, reading the level failed. Msg=";
        m_strErrorMsg += plain.GetErrorMsg();
        return false;
    }
    XString enciphered;
    if (!Compile(LevelNameOf(inputPath), plain, enciphered))
        return false;
    if (!enciphered.WriteFile(outputPath.GetBuffer(), true))
    {
        m_strErrorMsg = "Error: in CLevelCompiler::CompileFile, writing the level failed. Msg=";
        m_strErrorMsg += enciphered.GetErrorMsg();
        return false;
    }
    return true;
}
