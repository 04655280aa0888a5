// The entries of a menu list: which files a list offers, what each row shows, the scroll
// position, the hovered entry and the removal of a deleted entry.
#pragma once

#include "foundation/XString.h"
#include "foundation/XStringArray.h"

class CMenuList
{
public:
    // Rows a list frame shows at once.
    static const unsigned kVisibleRows = 19;

    // A list with a heading above its rows shows fewer of them at a time.
    void SetVisibleRows(unsigned rows) { m_uiVisibleRows = rows; }

    // Every "*.dat" of the levels folder that is not a standard, tutorial or last-edited level.
    void ListLevels(const XString& levelsFolder);
    // Every "*.dat" of data folder + "savedgames\" but the last-edited level.
    void ListSavedGames(const XString& dataFolder);
    // "No Music", then every "music<digit>...wav" of the data folder.
    void ListMusic(const XString& dataFolder);
    void Add(const XString& entry) { m_astrEntries.Add(entry); }
    void Clear();

    static bool IsLoadableLevel(const XString& fileName);
    static bool IsSavedGame(const XString& fileName);
    static bool IsMusic(const XString& fileName);
    // What a row shows: the name without folder and without ".dat".
    static XString DisplayName(const XString& entry);

    unsigned GetCount() const { return m_astrEntries.GetCount(); }
    const XString& Get(unsigned i) const { return m_astrEntries.Get(i); }
    unsigned GetScroll() const { return m_uiScroll; }
    // Rows shown from the scroll position: at most kVisibleRows.
    unsigned GetShownCount() const;
    int GetHovered() const { return m_iHovered; }
    // -1 or an entry index; anything else means none.
    void SetHovered(int entry);

    bool CanScrollUp() const;
    bool CanScrollDown() const;
    // Each returns whether the list moved.
    bool ScrollUp();
    bool ScrollDown();
    // Removes the hovered entry after its file was deleted; the hovered index moves up by one and
    // the list follows it when it went above the first shown row.
    void RemoveHovered();

private:
    unsigned m_uiVisibleRows = kVisibleRows;
    void AddFilesOf(const XString& folder, bool (*accept)(const XString&));

    XStringArray m_astrEntries;
    unsigned m_uiScroll = 0;
    int m_iHovered = -1;
};
