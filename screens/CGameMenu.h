// The one framed overlay of the game: the level-start card, the difficulty choice, the help card,
// text prompts, lists of levels, saved games, music and level sets, the delete questions and the
// card of a level that could not be loaded, selected by its mode.
#pragma once

#include "engine/XDXFont.h"
#include "engine/XDXSound.h"
#include "engine/XDXTexture.h"
#include "engine/XGameScreen.h"
#include "foundation/XString.h"
#include "screens/CMenuList.h"
#include "screens/CTextEntry.h"

#include <array>

class CGameLevel;

enum class MenuMode
{
    LevelStart = 0,
    LevelComplete = 1,
    BuilderTestComplete = 2,
    Help = 3,
    ChooseDifficulty = 4,
    EditLevelName = 10,
    EditObjective = 11,
    EditTime = 12,
    SaveLevel = 13,
    SaveGame = 14,
    LoadLevel = 15,
    LoadGame = 16,
    ConfirmDeleteLevel = 17,
    ConfirmDeleteGame = 18,
    TitleLoadGame = 19,
    ChooseMusic = 20,
    ChooseLevelSet = 21,
    // A level or saved game that could not be loaded: any key or click leads to the title.
    LoadFailed = 22,
};

class CGameMenu : public XGameScreen
{
public:
    // text: the full path of the file a delete question is about, or the file name of the level
    // that could not be loaded; unused by the other modes.
    // answer: receives a delete question's result (true = deleted); may be null.
    CGameMenu(CGameLevel* level, int frameStyle, MenuMode mode, const XString& text, bool* answer);

    void MyInit() override;
    void MyDraw() override;
    void MyUpdate() override;
    void MyFree() override;

    // The edit text's limit and class of a prompt mode; false for modes without text entry.
    static bool EntryRules(MenuMode mode, unsigned& maxLength, CTextEntry::CharClass& charClass);
    // A typed file name made ready to save: blanks trimmed, ".dat" added unless present in any case.
    static XString SaveName(const XString& typed);
    // The seconds a typed time gives: 60 to 9999.
    static int ClampSeconds(const XString& typed);
    // The first level of list entry i of the level-set menu (0 = the standard series).
    static XString LevelSetStart(const class CLevelSetList& sets, unsigned entry);
    // What the load-failure card says about the level file of that name.
    static XString LoadFailedText(const XString& fileName);
    // What the status line says when a save failed; the level in memory is kept.
    static XString SaveFailedText(const XString& name, bool isSavedGame, const XString& error);
    // The edit text EditTime starts with: the level's time limit in whole seconds, never scaled
    // by a difficulty (the builder's level belongs to no game).
    static XString TimeText(const CGameLevel& level);

    MenuMode GetMode() const { return m_mode; }
    const CTextEntry& GetEntry() const { return m_entry; }
    const CMenuList& GetList() const { return m_list; }

private:
    static const int kFrameParts = 11;

    enum FramePart
    {
        kTL, kT, kTR, kL, kR, kBL, kB, kBR, kSL, kSM, kSR
    };

    bool IsList() const;
    bool IsPrompt() const;
    bool IsSummary() const;
    bool IsQuestion() const;
    XString ComposedText() const;

    // Drawing (CGameMenuDraw.cpp).
    void DrawFrame(float x, float y, int columns, int rows);
    float CentredLeft(int columns, float centreX) const;
    float CentredTop(int rows) const;
    void DrawLevelStart();
    void DrawDifficulty();
    void DrawHelp();
    void DrawTextFrame();
    void DrawList();
    // The top of the first row inside a list's frame: lower under a heading.
    float FirstRowTop() const;
    // A translucent bar behind the row under the mouse, in design units.
    void DrawRowHighlight(float x, float y, float w, float h);
    void DrawSummary();
    void DrawLoadFailed();
    void PrintText(XDXFont& font, const XString& text, float x, float y, float width, float height, uint32_t colour,
                   uint32_t format);
    void DrawSprite(const char* name, float x, float y);

    // Input (CGameMenuInput.cpp).
    void UpdateCard();
    void UpdateDifficulty();
    void UpdateQuestion();
    void UpdateTyping();
    void UpdateList();
    void UpdateSummary();
    void Accept();
    void AcceptList();
    // False when the menu is to stay open (no name typed yet).
    bool SaveTyped(bool isSavedGame);
    // An accepted edit of the level in the builder becomes one undo step.
    void RecordEdit();
    void AskDelete();
    // The design-unit rectangles of the list's controls.
    void ArrowRects(float& upX, float& upY, float& downX, float& downY, float& closeX, float& closeY) const;
    bool DifficultyOptionRect(int option, float& x, float& y, float& w, float& h) const;
    void Hover(int button);

    CGameLevel* m_pLevel;
    int m_iFrameStyle;
    MenuMode m_mode;
    bool* m_pAnswer;
    XString m_strFile; // the delete question's file, or the level that could not be loaded

    std::array<XDXTexture, kFrameParts> m_texFrame;
    XDXTexture m_texFill;
    XDXTexture m_texReady;
    XDXTexture m_texHeader0;
    XDXTexture m_texHeader1;
    XDXTexture m_texSprites;
    XDXFont m_font;
    XDXFont m_fontLarge;
    XDXSound m_sndMouseOver;
    XDXSound m_sndSelect;

    CTextEntry m_entry;
    bool m_bEditable = false;
    CMenuList m_list;
    int m_iHoveredButton = -1;
    bool m_bDeleted = false;
    // Top-left corner of the frame as last drawn, in design units, for the hit tests.
    float m_fFrameX = 0.0f;
    float m_fFrameY = 0.0f;
    bool m_bDone = false;
};
