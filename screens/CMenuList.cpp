// List contents and scrolling of the menu lists.
#include "screens/CMenuList.h"

#include "game/CGameLevel.h"

#include "platform/fs/Directory.h"

#include <vector>

namespace
{

// The sixth character of a music file's name is its number: "Music3.wav".
const unsigned kMusicDigitIndex = 5;

} // namespace

void CMenuList::Clear()
{
    m_astrEntries.Free();
    m_uiScroll = 0;
    m_iHovered = -1;
}

void CMenuList::AddFilesOf(const XString& folder, bool (*accept)(const XString&))
{
    std::vector<plk::fs::DirEntry> entries;
    if (plk::fs::ListDirectory(folder.GetBuffer(), entries) != 0)
        return;
    for (const plk::fs::DirEntry& entry : entries)
    {
        const XString name(entry.name.c_str());
        if (entry.isDirectory || !accept(name))
            continue;
        XString path(folder);
        path += name;
        m_astrEntries.Add(path);
    }
}

void CMenuList::ListLevels(const XString& levelsFolder)
{
    Clear();
    AddFilesOf(levelsFolder, IsLoadableLevel);
}

void CMenuList::ListSavedGames(const XString& dataFolder)
{
    Clear();
    XString folder(dataFolder);
    folder += "savedgames\\";
    AddFilesOf(folder, IsSavedGame);
}

void CMenuList::ListMusic(const XString& dataFolder)
{
    Clear();
    m_astrEntries.Add(XString("No Music"));
    std::vector<plk::fs::DirEntry> entries;
    if (plk::fs::ListDirectory(dataFolder.GetBuffer(), entries) != 0)
        return;
    for (const plk::fs::DirEntry& entry : entries)
    {
        const XString name(entry.name.c_str());
        if (!entry.isDirectory && IsMusic(name))
            m_astrEntries.Add(name);
    }
}

bool CMenuList::IsLoadableLevel(const XString& fileName)
{
    return fileName.EndsWithNoCase(".dat") && !fileName.StartsWithNoCase(CGameLevel::kLastEditedName) &&
           !fileName.StartsWithNoCase("StdLevel") && !fileName.StartsWithNoCase("__Lrn");
}

bool CMenuList::IsSavedGame(const XString& fileName)
{
    return fileName.EndsWithNoCase(".dat") && !fileName.StartsWithNoCase(CGameLevel::kLastEditedName);
}

bool CMenuList::IsMusic(const XString& fileName)
{
    if (!fileName.EndsWithNoCase(".wav") || !fileName.StartsWithNoCase("music") ||
        fileName.GetLength() <= kMusicDigitIndex)
        return false;
    const char c = fileName[static_cast<int>(kMusicDigitIndex)];
    return c >= '0' && c <= '9';
}

XString CMenuList::DisplayName(const XString& entry)
{
    const int slash = entry.FindRev('\\');
    XString name(slash >= 0 ? entry.GetBuffer(static_cast<unsigned>(slash + 1)) : entry.GetBuffer());
    if (name.EndsWithNoCase(".dat"))
        name.Truncate(name.GetLength() - 4);
    return name;
}

unsigned CMenuList::GetShownCount() const
{
    const unsigned left = GetCount() > m_uiScroll ? GetCount() - m_uiScroll : 0;
    return left < m_uiVisibleRows ? left : m_uiVisibleRows;
}

void CMenuList::SetHovered(int entry)
{
    m_iHovered = entry >= 0 && static_cast<unsigned>(entry) < GetCount() ? entry : -1;
}

bool CMenuList::CanScrollUp() const
{
    return GetCount() >= m_uiVisibleRows && m_uiScroll > 0;
}

bool CMenuList::CanScrollDown() const
{
    return GetCount() >= m_uiVisibleRows && m_uiScroll + m_uiVisibleRows < GetCount();
}

bool CMenuList::ScrollUp()
{
    if (!CanScrollUp())
        return false;
    --m_uiScroll;
    return true;
}

bool CMenuList::ScrollDown()
{
    if (!CanScrollDown())
        return false;
    ++m_uiScroll;
    return true;
}

void CMenuList::RemoveHovered()
{
    if (m_iHovered < 0)
        return;
    m_astrEntries.Remove(static_cast<unsigned>(m_iHovered));
    if (m_iHovered > 0)
        --m_iHovered;
    if (GetCount() == 0)
        m_iHovered = -1;
    if (m_iHovered >= 0 && static_cast<unsigned>(m_iHovered) < m_uiScroll)
        --m_uiScroll;
    // Rows must not run out below the frame when the removed entry was among the last shown.
    if (m_uiScroll > 0 && m_uiScroll + m_uiVisibleRows > GetCount())
        m_uiScroll = GetCount() > m_uiVisibleRows ? GetCount() - m_uiVisibleRows : 0;
}
