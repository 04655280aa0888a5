// Saved games, the auto-save at the start of a level and the level builder's last edited level.
#include "game/CGameLevel.h"

#include "game/CPlayBlock.h"
#include "platform/fs/Path.h"

#include <filesystem>

const char* const CGameLevel::kAutoSaveName = "AutoSave";
const char* const CGameLevel::kLastEditedName = "_LAST3D1T_L3V3L";
const char* const CGameLevel::kNewBuilderLevel = "StdLevelBuilder";

bool CGameLevel::AutoSaveAtLevelStart()
{
    if (m_bBuilderMode || m_uiCurLevel == 1)
        return true;
    return Save(kAutoSaveName, true);
}

XString CGameLevel::BuilderStartName() const
{
    const XString path = BuildPath(kLastEditedName, false);
    std::error_code ignored;
    if (std::filesystem::is_regular_file(plk::fs::ResolvePath(path.GetBuffer()), ignored))
        return XString(kLastEditedName);
    return XString(kNewBuilderLevel);
}

bool CGameLevel::OpenLastEdited()
{
    return Load(BuilderStartName(), true, false);
}

XString CGameLevel::UnreadableLevelMessage(const XString& name)
{
    XString message("The level ");
    message += FileName(name);
    message += " could not be read (missing or damaged) and was left as it is; a new empty level is open.";
    return message;
}

void CGameLevel::SettleSparesForBuilder()
{
    for (int i = 0; i < kSpareCount; ++i)
    {
        XString tag("PlayBlock_");
        tag += kFirstSpareIndex + i;
        XString spare("<");
        spare += tag;
        spare += "><BlockType>";
        spare += CPlayBlock::kTypeNone;
        spare += "</BlockType></";
        spare += tag;
        spare += ">";
        m_pSpares[static_cast<size_t>(i)].ReadXml(m_pEngine, spare, kFirstSpareIndex + i);
    }
}

bool CGameLevel::OpenInBuilder(const XString& name)
{
    // A difficulty left from a test play would scale the time limit the builder shows and saves.
    m_iDifficulty = 0;
    if (Load(name, true, false))
    {
        SettleSparesForBuilder();
        // Coming back from a test play reads what was written when it began: the steps before it
        // stay undoable. Any other level starts a history of its own.
        if (m_history.Record(*this))
            m_history.Reset(*this);
        return true;
    }
    const XString reason = m_strErrorMsg;
    // Reading the new empty level touches no file, so the damaged one stays as it was until the
    // player writes the level.
    Load(kNewBuilderLevel, true, false);
    SettleSparesForBuilder();
    m_history.Reset(*this);
    SetStatusMessage(UnreadableLevelMessage(name));
    m_strErrorMsg = reason;
    return false;
}

bool CGameLevel::SaveLastEdited()
{
    ResetScores();
    return Save(kLastEditedName, false);
}
