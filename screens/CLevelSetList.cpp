// Reading the level-set file.
#include "screens/CLevelSetList.h"

#include <cstring>

const char* const CLevelSetList::kFileName = "Upg.xml";

namespace
{

// The text between begin and the next end at or after from; false when either is missing.
bool Between(const XString& text, const char* begin, const char* end, XString& out, unsigned from = 0)
{
    const int at = text.Find(begin, from);
    if (at < 0)
        return false;
    const unsigned valueAt = static_cast<unsigned>(at) + static_cast<unsigned>(std::strlen(begin));
    const int endAt = text.Find(end, valueAt);
    if (endAt < 0)
        return false;
    out = text.Sub(valueAt, static_cast<unsigned>(endAt) - valueAt);
    return true;
}

} // namespace

void CLevelSetList::Read(const XString& dataFolder)
{
    XString path(dataFolder);
    path += kFileName;
    XString text;
    if (!text.ReadFile(path.GetBuffer()))
    {
        m_astrDescriptions.Free();
        m_astrNames.Free();
        return;
    }
    Parse(text);
}

void CLevelSetList::Parse(const XString& text)
{
    m_astrDescriptions.Free();
    m_astrNames.Free();
    XString sets;
    if (!Between(text, "<LevelSets>", "</LevelSets>", sets))
        return;
    for (int n = 0;; ++n)
    {
        XString begin("<Set");
        begin += n;
        begin += ' ';
        XString set;
        if (!Between(sets, begin.GetBuffer(), "/>", set))
            break;
        XString description, name;
        Between(set, "Description=\"", "\"", description);
        Between(set, "Name=\"", "\"", name);
        if (description.IsEmpty() || name.IsEmpty())
            continue;
        m_astrDescriptions.Add(description);
        m_astrNames.Add(name);
    }
}
