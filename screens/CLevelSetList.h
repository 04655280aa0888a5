// The level sets an install offers besides the standard series, read from "Upg.xml".
#pragma once

#include "foundation/XString.h"
#include "foundation/XStringArray.h"

class CLevelSetList
{
public:
    static const char* const kFileName;

    // Re-reads data folder + "Upg.xml"; a missing or unreadable file leaves the list empty. Sets
    // are numbered from 0 without gaps; a set without a Name or Description is skipped.
    void Read(const XString& dataFolder);
    // The same from text already in memory.
    void Parse(const XString& text);

    unsigned GetCount() const { return m_astrNames.GetCount(); }
    const XString& GetDescription(unsigned i) const { return m_astrDescriptions.Get(i); }
    // The file-name prefix of the set's levels: its first level is name + "1".
    const XString& GetName(unsigned i) const { return m_astrNames.Get(i); }

private:
    XStringArray m_astrDescriptions;
    XStringArray m_astrNames;
};
