// Saving and loading a level: the GameLevel document written byte for byte and read back by tag
// search, with the rules that guard standard levels and carry scores between levels.
#include "game/CGameLevel.h"

#include "game/CBoard.h"
#include "game/CFieldObject.h"
#include "game/CGameLevelXml.h"
#include "game/CPlayBlock.h"
#include "game/CScorePopups.h"
#include "game/CTeleporter.h"
#include "game/CWallBlock.h"
#include "game/GameRandom.h"

#include <algorithm>

using namespace LevelXml;

namespace
{

const char* const kCrLf = "\r\n";
const char* const kStandardPrefix = "StdLevel";
const char* const kTutorialPrefix = "__Lrn";
// Camera a level starts with before its own values are read.
const float kDefaultTilt = 45.0f;
const int kDefaultRed = 55;
const int kDefaultGreen = 120;
const int kDefaultBlue = 255;
// A new builder level stands on the first board top and terrain, so that the player starts from a
// scene to build on rather than the bare background.
const int kNewLevelBoardTop = 1;
const int kNewLevelTerrain = 1;
// Sizes a written document is reserved by: its head, and the most one object element takes.
const unsigned kHeaderBytes = 2048;
const unsigned kObjectBytes = 640;
// No level lasts longer than a day, and the seconds a day shows stay far inside an int.
const float kLongestTimeMs = 86400000.0f;

bool HasDigit(const XString& name)
{
    return name.FindOneOf("0123456789") >= 0;
}

// A GameLevel element from its opening to its closing tag, as the level compiler demands.
bool IsLevelDocument(const XString& document)
{
    const int open = document.Find("<GameLevel>");
    return open >= 0 && document.Find("</GameLevel>", static_cast<unsigned>(open)) > open;
}

} // namespace

void CGameLevel::WriteDocument(XString& out, bool isSavedGame, bool scaledTime) const
{
    out = "<GameLevel>";
    // Room for the whole document at once: the builder writes it on every edit.
    const int objects = m_iNumWalls + m_iNumPlayBlocks + m_iNumTeleporters + m_iNumFieldObjects + kSpareCount;
    out.MakeSize(kHeaderBytes + static_cast<unsigned>(std::max(objects, 0)) * kObjectBytes);
    out += kCrLf;
    AppendText(out, 1, "Signature", XString());
    AppendText(out, 1, "SignatureKey", XString());
    AppendInt(out, 1, "ViewAreaX", m_iViewAreaX);
    AppendInt(out, 1, "TotalScore", m_iTotalScore);
    AppendInt(out, 1, "BlockScore", m_iBlockScore);
    AppendInt(out, 1, "NumBlocksRemoved", m_iNumBlocksRemoved);
    AppendInt(out, 1, "Difficulty", isSavedGame ? m_iDifficulty : 0);
    for (int i = 0; i < kColourCount; ++i)
    {
        XString name("RemoveToWinBlockColor");
        name += i;
        AppendBool(out, 1, name.GetBuffer(), m_abRemoveToWin[static_cast<size_t>(i)]);
    }
    AppendInt(out, 1, "BgRed", m_iBgRed);
    AppendInt(out, 1, "BgGreen", m_iBgGreen);
    AppendInt(out, 1, "BgBlue", m_iBgBlue);
    AppendInt(out, 1, "ExBlocksAdded", m_iExBlocksAdded);
    AppendUnsigned(out, 1, "CurLevel", m_uiCurLevel);
    AppendText(out, 1, "GameSession", m_strGameSession);
    AppendUnsigned(out, 1, "BlocksLeft", m_uiBlocksLeft);
    AppendFloat(out, 1, "TimeLeft", scaledTime ? ScaledTimeLeft() : m_fTimeLeft);
    AppendText(out, 1, "LevelMusic", m_strLevelMusic);
    AppendText(out, 1, "LevelName", m_strLevelName);
    AppendText(out, 1, "LevelFileName", m_strLevelFileName);
    AppendText(out, 1, "Objective", m_strObjective);
    // The objective's line ends in a lone line feed: the level and saved-game files in use have it,
    // and a file written back must keep its bytes.
    out.Truncate(out.GetLength() - 2);
    out += '\n';
    AppendFloat(out, 1, "CameraTilt", m_fCameraTilt);
    AppendFloat(out, 1, "CameraAngle", m_fCameraAngle);
    AppendFloat(out, 1, "CameraZoom", m_fCameraZoom);
    AppendInt(out, 1, "GameboardId", m_iGameboardId);
    AppendInt(out, 1, "TerrainId", m_iTerrainId);
    AppendBool(out, 1, "FogEnabled", m_bFogEnabled);
    AppendInt(out, 1, "FogAmount", m_iFogAmount);
    AppendBool(out, 1, "RainEnabled", m_bRainEnabled);
    AppendInt(out, 1, "NumWalls", m_iNumWalls);
    for (int i = 0; i < m_iNumWalls; ++i)
        m_pWalls[static_cast<size_t>(i)].WriteXml(out, i);
    AppendInt(out, 1, "NumPlayBlocks", m_iNumPlayBlocks);
    for (int i = 0; i < m_iNumPlayBlocks; ++i)
        m_pPlayBlocks[static_cast<size_t>(i)].WriteXml(out, i);
    AppendInt(out, 1, "NumTeleporters", m_iNumTeleporters);
    for (int i = 0; i < m_iNumTeleporters; ++i)
        m_pTeleporters[static_cast<size_t>(i)].WriteXml(out, i);
    AppendInt(out, 1, "NumFieldObjects", m_iNumFieldObjects);
    for (int i = 0; i < m_iNumFieldObjects; ++i)
        m_pFieldObjects[static_cast<size_t>(i)].WriteXml(out, i);
    for (int i = 0; i < kSpareCount; ++i)
        m_pSpares[static_cast<size_t>(i)].WriteXml(out, kFirstSpareIndex + i);
    out += "</GameLevel>";
}

bool CGameLevel::Save(const XString& name, bool isSavedGame)
{
    m_strErrorMsg = "";
    if (!isSavedGame)
    {
        m_uiCurLevel = FirstNumberIn(name);
        m_strLevelFileName = name;
        m_iTotalScore = 0;
        m_iBlockScore = 0;
        m_iNumBlocksRemoved = 0;
        m_iDifficulty = 0;
        m_iExBlocksAdded = 0;
    }
    m_uiBlocksLeft = static_cast<unsigned>(m_iNumPlayBlocks);

    XString document;
    // The auto-save is taken before play has scaled the time; once the time is scaled (a resumed
    // game, or a player who names a save "AutoSave") scaling it again would cut it twice.
    const bool scaleTime = !m_bTimeAdjusted && name.CompareNoCase(CGameLevel::kAutoSaveName) == 0;
    WriteDocument(document, isSavedGame, scaleTime);
    if (!EncipherDocument(document))
    {
        m_strErrorMsg = "Error: in CGameLevel::Save, enciphering the level failed.";
        return false;
    }
    const XString path = BuildPath(name, isSavedGame);
    if (!document.WriteFile(path.GetBuffer(), true))
    {
        m_strErrorMsg = "Error: in CGameLevel::Save, writing the file failed. File=";
        m_strErrorMsg += path;
        m_strErrorMsg += " Msg=";
        m_strErrorMsg += document.GetErrorMsg();
        return false;
    }
    return true;
}

void CGameLevel::ResetLevelState()
{
    m_bLoaded = false;
    m_strSignature = "";
    m_strSignatureKey = "";
    m_iBlockScore = 0;
    m_iNumBlocksRemoved = 0;
    m_abRemoveToWin.fill(true);
    m_iBgRed = kDefaultRed;
    m_iBgGreen = kDefaultGreen;
    m_iBgBlue = kDefaultBlue;
    m_iExBlocksAdded = 0;
    m_uiCurLevel = 0;
    m_uiBlocksLeft = 0;
    m_fTimeLeft = kDefaultTimeLeftMs;
    m_strLevelMusic = kDefaultMusic;
    m_strLevelName = "";
    m_strLevelFileName = "";
    m_strObjective = "";
    m_fCameraTilt = kDefaultTilt;
    m_fCameraAngle = 0.0f;
    m_bFogEnabled = false;
    m_iFogAmount = 0;
    m_bRainEnabled = false;
    m_iNumWalls = m_iNumPlayBlocks = m_iNumTeleporters = m_iNumFieldObjects = 0;
    // The selection and the board point into slots that the file may fill with other objects.
    ClearSelection();
    m_pBoard->Clear();
    m_pScorePopups->Clear();
    if (!m_bBuilderMode)
        EmptySpares();
    ParkScene();
    m_iGameboardId = m_iTerrainId = 0;
}

bool CGameLevel::PrepareLoad(const XString& name, bool builderMode, bool isSavedGame)
{
    m_strErrorMsg = "";
    m_bBuilderMode = builderMode;
    const bool newBuilderLevel = name == CGameLevel::kNewBuilderLevel;
    // The finished level is banked before its values are cleared. A saved game brings its own
    // total, and a new builder level belongs to no game.
    if (m_bAddLevelToTotal && !newBuilderLevel)
    {
        if (!isSavedGame)
            m_iTotalScore = GameTotal(true);
        m_bAddLevelToTotal = false;
    }
    ResetLevelState();
    if (isSavedGame)
    {
        m_bTimeAdjusted = true;
        m_uiStatusMessageTime = 0;
    }
    else if (!newBuilderLevel)
    {
        m_bTimeAdjusted = false;
    }
    if (newBuilderLevel)
    {
        m_iGameboardId = kNewLevelBoardTop;
        m_iTerrainId = kNewLevelTerrain;
    }
    return !newBuilderLevel;
}

bool CGameLevel::Load(const XString& name, bool builderMode, bool isSavedGame)
{
    if (PrepareLoad(name, builderMode, isSavedGame))
    {
        const XString path = BuildPath(name, isSavedGame);
        XString document;
        if (!document.ReadFile(path.GetBuffer()))
        {
            m_strErrorMsg = "Error: in CGameLevel::Load, reading the file failed. Msg=";
            m_strErrorMsg += document.GetErrorMsg();
            return false;
        }
        // The cipher carries no check of its own, but a file cut short, or damaged in its first
        // bytes (the key of all the others), deciphers to noise throughout: it has no closing tag.
        DecipherDocument(document);
        if (!IsLevelDocument(document))
        {
            m_strErrorMsg = "Error: in CGameLevel::Load, the file holds no whole level; it may be damaged. File=";
            m_strErrorMsg += path;
            return false;
        }
        if (!ReadDocument(name, document, isSavedGame))
            return false;
    }
    FinishLoad();
    return true;
}

bool CGameLevel::LoadFromDocument(const XString& name, const XString& document, bool builderMode, bool isSavedGame)
{
    if (PrepareLoad(name, builderMode, isSavedGame) && !ReadDocument(name, document, isSavedGame))
        return false;
    FinishLoad();
    return true;
}

bool CGameLevel::ReadDocument(const XString& name, const XString& document, bool isSavedGame)
{
    m_strSignature = ElementText(document, "Signature");
    if (m_strSignature != kSignature && (name.StartsWithNoCase(kStandardPrefix) || name.StartsWithNoCase(kTutorialPrefix)))
    {
        m_strErrorMsg = "Error: in CGameLevel::Load, the level carries no origin mark. File=";
        m_strErrorMsg += name;
        return false;
    }
    m_strSignatureKey = ElementText(document, "SignatureKey");
    // A level's file holds 0 for both: the running game's total and chosen difficulty go on. A
    // saved game is the game as the player saved it, whatever was played before it was loaded.
    const int totalScore = ReadInt(document, "TotalScore");
    if (isSavedGame || totalScore != 0)
        m_iTotalScore = totalScore;
    m_iBlockScore = ReadInt(document, "BlockScore");
    m_iNumBlocksRemoved = ReadInt(document, "NumBlocksRemoved");
    if (isSavedGame || m_iDifficulty == 0)
        m_iDifficulty = ReadInt(document, "Difficulty");
    for (int i = 0; i < kColourCount; ++i)
    {
        XString element("RemoveToWinBlockColor");
        element += i;
        m_abRemoveToWin[static_cast<size_t>(i)] = ReadBool(document, element.GetBuffer());
    }
    SetBackground(ReadInt(document, "BgRed"), ReadInt(document, "BgGreen"), ReadInt(document, "BgBlue"));
    m_iExBlocksAdded = ReadInt(document, "ExBlocksAdded");
    m_uiCurLevel = ReadUnsigned(document, "CurLevel");
    if (m_uiCurLevel == 1)
        m_uiStatusMessageTime = 0;

    if (name.StartsWithNoCase(kStandardPrefix) && HasDigit(name) && FirstNumberIn(name) != m_uiCurLevel)
    {
        m_strErrorMsg = "Error: in CGameLevel::Load, the level number differs from the file name. File=";
        m_strErrorMsg += name;
        return false;
    }

    if (!m_bBuilderMode)
    {
        if (isSavedGame)
            m_strGameSession = ElementText(document, "GameSession");
        else if (m_uiCurLevel == 1)
            m_strGameSession = MakeGameSession(name);
    }

    m_uiBlocksLeft = ReadUnsigned(document, "BlocksLeft");
    m_fTimeLeft = ReadFloat(document, "TimeLeft", 0.0f, kLongestTimeMs);
    m_strLevelMusic = ElementText(document, "LevelMusic");
    m_strLevelName = ElementText(document, "LevelName");
    m_strLevelFileName = ElementText(document, "LevelFileName");
    m_strObjective = ElementText(document, "Objective");
    // A camera outside the player's own limits (an empty or hand-edited file) would look from
    // inside the board: AdjustCamera holds tilt and zoom within them once they are read as finite
    // numbers, and wraps the angle that ReadAngle has brought within one turn.
    m_fCameraTilt = ReadFloat(document, "CameraTilt", -kWorldReach, kWorldReach);
    m_fCameraAngle = ReadAngle(document, "CameraAngle");
    m_fCameraZoom = ReadFloat(document, "CameraZoom", -kWorldReach, kWorldReach);
    AdjustCamera(0.0f, 0.0f, 0.0f);
    m_iGameboardId = ReadInt(document, "GameboardId");
    m_iTerrainId = ReadInt(document, "TerrainId");
    m_bFogEnabled = ReadBool(document, "FogEnabled");
    m_iFogAmount = ReadInt(document, "FogAmount");
    m_bRainEnabled = ReadBool(document, "RainEnabled");
    ReadObjects(document);
    return true;
}

void CGameLevel::ReadObjects(const XString& document)
{
    // Counts beyond the arrays are clamped so that no object is read past its array's end.
    unsigned cursor = 0;
    SetNumWalls(ReadInt(document, "NumWalls"));
    for (int i = 0; i < m_iNumWalls; ++i)
        m_pWalls[static_cast<size_t>(i)].ReadXml(m_pEngine, ObjectElement(document, "WallBlock", i, cursor), i);
    SetNumPlayBlocks(ReadInt(document, "NumPlayBlocks"));
    for (int i = 0; i < m_iNumPlayBlocks; ++i)
        m_pPlayBlocks[static_cast<size_t>(i)].ReadXml(m_pEngine, ObjectElement(document, "PlayBlock", i, cursor), i);
    SetNumTeleporters(ReadInt(document, "NumTeleporters"));
    for (int i = 0; i < m_iNumTeleporters; ++i)
        m_pTeleporters[static_cast<size_t>(i)].ReadXml(m_pEngine, ObjectElement(document, "Teleporter", i, cursor), i);
    SetNumFieldObjects(ReadInt(document, "NumFieldObjects"));
    for (int i = 0; i < m_iNumFieldObjects; ++i)
        m_pFieldObjects[static_cast<size_t>(i)].ReadXml(m_pEngine, ObjectElement(document, "FieldObject", i, cursor),
                                                        i);
}

void CGameLevel::FinishLoad()
{
    RebuildBoard();
    SetBoardTop(m_iGameboardId);
    SetTerrain(m_iTerrainId);
    DropParkedScene();
    // Whatever earlier levels drew, this level's spares and drops follow from the seed alone.
    CGameRandom::Restart();
    m_bLoaded = true;
}

void CGameLevel::RebuildBoard()
{
    m_pBoard->Clear();
    for (int i = 0; i < m_iNumWalls; ++i)
        m_pBoard->AddBody(&m_pWalls[static_cast<size_t>(i)]);
    for (int i = 0; i < m_iNumPlayBlocks; ++i)
        m_pBoard->AddBody(&m_pPlayBlocks[static_cast<size_t>(i)]);
    for (int i = 0; i < m_iNumTeleporters; ++i)
        m_pBoard->AddBody(&m_pTeleporters[static_cast<size_t>(i)]);
}
