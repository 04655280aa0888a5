// The level object, one for the whole run: level settings, scores, difficulty and timers, the
// fixed arrays of walls, cubes, teleporters and scenery, the spare blocks, the board, terrain,
// board top, floating texts and selection; and the enciphered level document it reads and writes.
#pragma once

#include "engine/XDXMeshObject.h"
#include "foundation/XString.h"
#include "game/CLevelHistory.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

class CBoard;
class CFieldObject;
class CPlayBlock;
class CScorePopups;
class CTeleporter;
class CWallBlock;
class XBasicMesh;
class XGameEngine;

class CGameLevel
{
public:
    static constexpr int kMaxWalls = 600;
    static constexpr int kMaxPlayBlocks = 600;
    static constexpr int kMaxTeleporters = 10;
    static constexpr int kMaxFieldObjects = 150;
    static constexpr int kSpareCount = 3;
    static constexpr int kColourCount = 10;
    // Index of the first spare block in the document (PlayBlock_1000 .. PlayBlock_1002).
    static constexpr int kFirstSpareIndex = 1000;
    // A status message shows this long after it was set.
    static constexpr unsigned kStatusMessageMs = 40000;
    // The origin mark that standard and tutorial levels must carry.
    static const char* const kSignature;
    // The time limit and music of a level before a file gives its own.
    static constexpr float kDefaultTimeLeftMs = 60000.0f;
    static const char* const kDefaultMusic;

    explicit CGameLevel(XGameEngine* engine);
    ~CGameLevel();
    CGameLevel(const CGameLevel&) = delete;
    CGameLevel& operator=(const CGameLevel&) = delete;

    // The data folder (install folder + "data\\"); levels and saved games lie in its subfolders.
    void SetDataFolder(const XString& folder) { m_strDataFolder = folder; }
    const XString& GetDataFolder() const { return m_strDataFolder; }
    // Data folder + "levels\\" or + "savedgames\\" + FileName(name).
    XString BuildPath(const XString& name, bool isSavedGame) const;
    // The name of a level's or saved game's file: name with ".dat" unless already there.
    static XString FileName(const XString& name);

    // Writes the enciphered document. A level (not a saved game) first resets its game state
    // (CurLevel from the name's digits, scores 0); those resets stay even when the write fails.
    bool Save(const XString& name, bool isSavedGame);
    // Reads a level or saved game and rebuilds the board. False when the file cannot be read,
    // does not decipher to a whole GameLevel document (damaged or cut short), a standard or
    // tutorial level lacks the origin mark, or a standard level's number disagrees with its name.
    // Whatever the outcome, nothing of the level before stays: its objects, scores, time, cubes
    // left, colours to clear, names, scenery, spares and selection start from their defaults
    // before the file is read. After a failure the level may be half filled, IsLoaded() is false,
    // and it must not be played. A level keeps the running game's total and difficulty; a saved
    // game brings its own, as the player saved them.
    bool Load(const XString& name, bool builderMode, bool isSavedGame);
    // True from a successful Load or LoadFromDocument until the next one starts.
    bool IsLoaded() const { return m_bLoaded; }
    // Saved games and the builder's last edited level.
    static const char* const kAutoSaveName;     // "AutoSave", in the saved games folder
    static const char* const kLastEditedName;   // "_LAST3D1T_L3V3L", in the levels folder
    static const char* const kNewBuilderLevel;  // "StdLevelBuilder": an empty level, no file
    // At the start of a level in play: every level but the first of a series is saved at once as
    // "AutoSave", its time stored scaled by the difficulty. False only when that write failed.
    bool AutoSaveAtLevelStart();
    // The builder opens the last edited level when its file exists, else a new empty level.
    bool OpenLastEdited();
    // The level the builder starts on: the last edited level when its file exists, else the new
    // empty level.
    XString BuilderStartName() const;
    // Reads a level in builder mode. A level that cannot be read (missing, damaged) leaves its file
    // as it is and opens the new empty level instead, with the reason on the status line; then the
    // result is false. The edit history starts again unless the level read is its present step.
    bool OpenInBuilder(const XString& name);
    // What the status line says when a builder level could not be read.
    static XString UnreadableLevelMessage(const XString& name);
    // Before a test play: scores reset, the level written as the last edited level.
    bool SaveLastEdited();

    // Load from an already deciphered document instead of a file (level compiler, tests). The
    // text is read as it stands, without the whole-document check of Load.
    bool LoadFromDocument(const XString& name, const XString& document, bool builderMode, bool isSavedGame);
    // The plain document as Save writes it; scaledTime writes TimeLeft scaled by the difficulty.
    void WriteDocument(XString& out, bool isSavedGame, bool scaledTime) const;

    // The level pass phrase's cipher over a whole document.
    static bool EncipherDocument(XString& text);
    // The same with a fixed time value, for repeatable files (the level compiler).
    static bool EncipherDocumentWithTime(XString& text, uint64_t timeValue);
    static bool DecipherDocument(XString& text);
    // A new game session identifier for a game started on the level of that name.
    static XString MakeGameSession(const XString& levelName);
    // The number formed by the first run of digits in name; 0 without a digit.
    static unsigned FirstNumberIn(const XString& name);

    // Clears TotalScore, BlockScore, NumBlocksRemoved and Difficulty: a new game.
    void ResetScores();

    // Difficulty arithmetic: factor 0.5 / 1.0 / 1.5 for difficulty 1 / other / 3.
    float DifficultyFactor() const;
    float ReverseDifficultyFactor() const;
    int ScaleByDifficulty(int points) const;
    int ScaleByReverseDifficulty(int points) const;
    // Scales TimeLeft once per load when a difficulty is set, then whole seconds left (0 below 1).
    int SecondsLeft();
    int TimeBonus();
    int LevelScore(bool withBonus);
    int GameTotal(bool withBonus);
    // TimeLeft scaled by the difficulty as the auto-save stores it.
    float ScaledTimeLeft() const;

    // One frame: time, physics, scoring and spares in play; positions and grids in the builder.
    void Update();
    // The scene: the opaque things (with the device's shortcuts nearest first, else board top,
    // terrain, scenery, opaque walls, cubes), then blended walls and teleporters.
    void Draw();

    // Adds then clamps tilt to 10..89.5 and zoom to 130..300; wraps the angle into 0..360.
    void AdjustCamera(float dTilt, float dAngle, float dZoom);
    // The camera looks at the middle of the board's floor from tilt, angle and zoom.
    static const plk::gfx::Vector3 kCameraTarget;
    plk::gfx::Vector3 GetCameraEye() const;
    // Adds 5 x step and clamps to 0..255.
    void AdjustBgRed(int step);
    void AdjustBgGreen(int step);
    void AdjustBgBlue(int step);
    void ToggleRemoveToWin(int colour);

    // Releases the terrain, then loads "TerrainNN.x" for a non-zero id and seats every scenery
    // object on it.
    void SetTerrain(int id);
    // Releases the board top, then loads "BoardTop.x" with the textures of board top id - 1.
    void SetBoardTop(int id);
    // Seats one scenery object on the terrain (no terrain: unchanged).
    void SeatOnTerrain(CFieldObject& object);
    // Height of the terrain under x, z by a downward ray from high above; false when it misses.
    bool TerrainHeightAt(float x, float z, float& height) const;

    // Selecting makes the old selection the previous one.
    void SetSelected(XDXMeshObject* object);
    XDXMeshObject* GetSelected() const { return m_pSelected; }
    XDXMeshObject* GetPreviousSelected() const { return m_pPreviousSelected; }
    void ClearSelection();

    // Spare blocks (the draw table and dropping live with the board's rules).
    CPlayBlock& GetSpare(int i);
    void RefillSpares();
    void EmptySpares();
    // Puts a cube of that type in cell (gx, gy, gz), reusing a gone slot; false when refused.
    bool AddBlock(int type, int gx, int gy, int gz);

    // Level builder editing; each new object becomes the selected one. False when its array is
    // full (walls stop at 599).
    bool AddWall(int wallType);
    bool AddTeleporter();
    // At a random place around the board, resting on the terrain.
    bool AddFieldObject(int objType);
    // A cell for a new cube or teleporter: the best free cell next to the selected object, or
    // with nothing (or scenery) selected a random free cell standing on something.
    bool FindCellForNewObject(int& gx, int& gy, int& gz);
    // The best-scored free cell among the 26 around object's cell; false when none is free.
    bool FindFreeCellNear(const XDXMeshObject& object, int& gx, int& gy, int& gz);
    // Removes a wall, cube, teleporter or scenery object, later ones moving down one index, and
    // rebuilds the board; false when the object is not one of the level's.
    bool DeleteObject(const XDXMeshObject* object);
    // A cube of that type in the cell FindCellForNewObject gives; false when 599 cubes exist or
    // no cell is free.
    bool AddCube(int type);
    // Moves the selection by whole cells. Cubes and teleporters stay in free cells of the board;
    // walls stay in the building space around it and out of every other object; scenery moves on
    // the ground only (dy must be 0) within the terrain. False, with nothing moved, otherwise.
    bool MoveSelected(int dx, int dy, int dz);
    // Grows or shrinks the selected wall in steps of a cell under the same rules; false when
    // nothing changed.
    bool ResizeSelectedWall(int dWidth, int dHeight, int dDepth);
    // Turns the selected scenery object about the vertical axis; false when no scenery is selected.
    bool TurnSelectedScenery(float degrees);
    // Whether an axis-aligned box lies in the walls' building space and overlaps no object but
    // ignore.
    bool IsPlaceFree(const plk::gfx::Vector3& min, const plk::gfx::Vector3& max, const XDXMeshObject* ignore) const;

    CBoard& GetBoard() { return *m_pBoard; }
    CScorePopups& GetScorePopups() { return *m_pScorePopups; }
    XGameEngine* GetEngine() const { return m_pEngine; }

    CWallBlock& GetWall(int i);
    CPlayBlock& GetPlayBlock(int i);
    CTeleporter& GetTeleporter(int i);
    CFieldObject& GetFieldObject(int i);
    int GetNumWalls() const { return m_iNumWalls; }
    int GetNumPlayBlocks() const { return m_iNumPlayBlocks; }
    int GetNumTeleporters() const { return m_iNumTeleporters; }
    int GetNumFieldObjects() const { return m_iNumFieldObjects; }
    // Counts are clamped to 0..capacity.
    void SetNumWalls(int n);
    void SetNumPlayBlocks(int n);
    void SetNumTeleporters(int n);
    void SetNumFieldObjects(int n);
    // Index of a cube in the array; -1 when the object is not one of them.
    int IndexOfPlayBlock(const XDXMeshObject* object) const;

    // The terrain and board top mesh objects (no mesh while their id is 0).
    XDXMeshObject& GetTerrain() { return m_terrain; }
    XDXMeshObject& GetBoardTop() { return m_boardTop; }

    const XString& GetSignature() const { return m_strSignature; }
    const XString& GetSignatureKey() const { return m_strSignatureKey; }
    int GetViewAreaX() const { return m_iViewAreaX; }
    void SetViewAreaX(int value) { m_iViewAreaX = value; }
    int GetTotalScore() const { return m_iTotalScore; }
    void SetTotalScore(int value) { m_iTotalScore = value; }
    int GetBlockScore() const { return m_iBlockScore; }
    void SetBlockScore(int value) { m_iBlockScore = value; }
    int GetNumBlocksRemoved() const { return m_iNumBlocksRemoved; }
    void SetNumBlocksRemoved(int value) { m_iNumBlocksRemoved = value; }
    int GetDifficulty() const { return m_iDifficulty; }
    void SetDifficulty(int value) { m_iDifficulty = value; }
    bool GetRemoveToWin(int colour) const;
    void SetRemoveToWin(int colour, bool on);
    int GetBgRed() const { return m_iBgRed; }
    int GetBgGreen() const { return m_iBgGreen; }
    int GetBgBlue() const { return m_iBgBlue; }
    void SetBackground(int red, int green, int blue);
    // Opaque ARGB of the background colour.
    uint32_t GetBackgroundColour() const;
    int GetExBlocksAdded() const { return m_iExBlocksAdded; }
    void SetExBlocksAdded(int value) { m_iExBlocksAdded = value; }
    unsigned GetCurLevel() const { return m_uiCurLevel; }
    void SetCurLevel(unsigned value) { m_uiCurLevel = value; }
    const XString& GetGameSession() const { return m_strGameSession; }
    void SetGameSession(const XString& value) { m_strGameSession = value; }
    unsigned GetBlocksLeft() const { return m_uiBlocksLeft; }
    void SetBlocksLeft(unsigned value) { m_uiBlocksLeft = value; }
    float GetTimeLeft() const { return m_fTimeLeft; }
    void SetTimeLeft(float ms) { m_fTimeLeft = ms; }
    const XString& GetLevelMusic() const { return m_strLevelMusic; }
    void SetLevelMusic(const XString& value) { m_strLevelMusic = value; }
    const XString& GetLevelName() const { return m_strLevelName; }
    void SetLevelName(const XString& value) { m_strLevelName = value; }
    const XString& GetLevelFileName() const { return m_strLevelFileName; }
    void SetLevelFileName(const XString& value) { m_strLevelFileName = value; }
    const XString& GetObjective() const { return m_strObjective; }
    void SetObjective(const XString& value) { m_strObjective = value; }
    float GetCameraTilt() const { return m_fCameraTilt; }
    float GetCameraAngle() const { return m_fCameraAngle; }
    float GetCameraZoom() const { return m_fCameraZoom; }
    int GetGameboardId() const { return m_iGameboardId; }
    int GetTerrainId() const { return m_iTerrainId; }
    bool IsFogEnabled() const { return m_bFogEnabled; }
    void SetFogEnabled(bool on) { m_bFogEnabled = on; }
    int GetFogAmount() const { return m_iFogAmount; }
    void SetFogAmount(int value) { m_iFogAmount = value; }
    bool IsRainEnabled() const { return m_bRainEnabled; }
    void SetRainEnabled(bool on) { m_bRainEnabled = on; }

    bool IsBuilderMode() const { return m_bBuilderMode; }
    void SetBuilderMode(bool on) { m_bBuilderMode = on; }
    bool GetAddLevelToTotal() const { return m_bAddLevelToTotal; }
    void SetAddLevelToTotal(bool on) { m_bAddLevelToTotal = on; }
    bool IsTimeAdjusted() const { return m_bTimeAdjusted; }
    void SetTimeAdjusted(bool on) { m_bTimeAdjusted = on; }

    // Remembers the text and the engine time it was set at.
    void SetStatusMessage(const XString& text);
    const XString& GetStatusMessage() const { return m_strStatusMessage; }
    unsigned GetStatusMessageTime() const { return m_uiStatusMessageTime; }
    // True while the message is younger than 40 000 ms at engine time now.
    bool IsStatusMessageShown(unsigned now) const;

    // Set by the start-up loader thread when the shared meshes and textures are in memory.
    void SetSharedLoaded(bool done) { m_bSharedLoaded = done; }
    bool IsSharedLoaded() const { return m_bSharedLoaded; }

    const XString& GetErrorMsg() const { return m_strErrorMsg; }

    // The builder's undo steps; loading a level leaves them alone, its opener resets them.
    CLevelHistory& GetHistory() { return m_history; }

private:
    bool PrepareLoad(const XString& name, bool builderMode, bool isSavedGame);
    // The spares mean nothing in the builder, but they are written: a fixed empty state keeps the
    // builder's documents the same however the level was played before.
    void SettleSparesForBuilder();
    // Every value of a level back to its default: nothing of the level before survives a load.
    void ResetLevelState();
    bool ReadDocument(const XString& name, const XString& document, bool isSavedGame);
    void ReadObjects(const XString& document);
    void FinishLoad();
    // Enters every wall, cube and teleporter in a cleared board.
    void RebuildBoard();
    void ReleaseTerrain();
    void DrawScenery();
    void DrawOpaqueWalls();
    void DrawPlayBlocks();
    // Cubes that have looked the same for a few frames are drawn with the still scene; the rest
    // over it. A look is all a cube's drawing depends on.
    struct CubeLook
    {
        plk::gfx::Matrix world;
        int frame = -1;
        const XDXTexture* texture = nullptr;
        int state = -1;
        int timeLeft = 0;
        bool effect = false;
        bool operator==(const CubeLook&) const = default;
    };
    struct CubeHistory
    {
        CubeLook look;
        int stillFrames = 0; // frames it has kept its look, up to a few
    };
    void NoteCubeLooks();
    bool IsCubeStill(int cube) const;
    void ReleaseBoardTop();
    // Puts the terrain and board top meshes aside during a load, so that a level read again with
    // the same ones (every undo in the builder) takes them back instead of reading them anew.
    void ParkScene();
    void DropParkedScene();

    XGameEngine* m_pEngine;
    XString m_strDataFolder;
    XString m_strErrorMsg;

    XString m_strSignature;
    XString m_strSignatureKey;
    int m_iViewAreaX = 0;
    int m_iTotalScore = 0;
    int m_iBlockScore = 0;
    int m_iNumBlocksRemoved = 0;
    int m_iDifficulty = 0;
    std::array<bool, kColourCount> m_abRemoveToWin{};
    int m_iBgRed = 55, m_iBgGreen = 120, m_iBgBlue = 255;
    int m_iExBlocksAdded = 0;
    unsigned m_uiCurLevel = 0;
    XString m_strGameSession;
    unsigned m_uiBlocksLeft = 0;
    float m_fTimeLeft = kDefaultTimeLeftMs;
    XString m_strLevelMusic;
    XString m_strLevelName;
    XString m_strLevelFileName;
    XString m_strObjective;
    float m_fCameraTilt = 38.29f;
    float m_fCameraAngle = 0.0f;
    float m_fCameraZoom = 215.15f;
    int m_iGameboardId = 0;
    int m_iTerrainId = 0;
    bool m_bFogEnabled = false;
    int m_iFogAmount = 0;
    bool m_bRainEnabled = false;

    bool m_bBuilderMode = false;
    bool m_bAddLevelToTotal = false;
    bool m_bTimeAdjusted = false;
    bool m_bLoaded = false;
    XString m_strStatusMessage;
    unsigned m_uiStatusMessageTime = 0;
    std::atomic<bool> m_bSharedLoaded{false};

    std::unique_ptr<CWallBlock[]> m_pWalls;
    std::unique_ptr<CPlayBlock[]> m_pPlayBlocks;
    std::vector<CubeHistory> m_cubeHistory;
    std::unique_ptr<CTeleporter[]> m_pTeleporters;
    std::unique_ptr<CFieldObject[]> m_pFieldObjects;
    std::unique_ptr<CPlayBlock[]> m_pSpares;
    int m_iNumWalls = 0;
    int m_iNumPlayBlocks = 0;
    int m_iNumTeleporters = 0;
    int m_iNumFieldObjects = 0;

    std::unique_ptr<CBoard> m_pBoard;
    std::unique_ptr<CScorePopups> m_pScorePopups;
    XDXMeshObject m_terrain;
    XDXMeshObject m_boardTop;
    std::unique_ptr<XBasicMesh> m_pTerrainMesh;
    std::unique_ptr<XBasicMesh> m_pBoardTopMesh;
    std::unique_ptr<XBasicMesh> m_pParkedTerrainMesh;
    std::unique_ptr<XBasicMesh> m_pParkedBoardTopMesh;
    int m_iParkedTerrainId = 0;
    int m_iParkedBoardTopId = 0;

    XDXMeshObject* m_pSelected = nullptr;
    XDXMeshObject* m_pPreviousSelected = nullptr;
    CLevelHistory m_history;
};
