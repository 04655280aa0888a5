// Whole-game runs under faults a player's machine can have: a medium missing from the install, the
// disk filling up or the process dying in the middle of a save, a saved game cut short, and
// thousands of files in the folders the lists show. None may crash the game or cost a saved game.
#include "game/CGameLevel.h"
#include "tests/e2e/run/RunChecks.h"
#include "tests/e2e/run/RunScript.h"
#include "tests/e2e/run/ScreenPoints.h"
#include "tests/e2e/run/TitleRun.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{

using namespace ScreenPoints;

bool LogMentions(const TitleRun& run, const std::string& text)
{
    for (const std::string& line : run.LogLines())
        if (line.find(text) != std::string::npos)
            return true;
    return false;
}

std::string LogText(const TitleRun& run)
{
    std::string text;
    for (const std::string& line : run.LogLines())
        text += line + "\n";
    return text;
}

// Writes to the saved games folder fail as fault says (see WriteFault.c).
void FaultySavedGames(TitleRun& run, const char* fault)
{
    run.SetEnvironment(std::string("LD_PRELOAD='") + PLK_WRITE_FAULT_LIBRARY + "' PLK_WRITE_FAULT=" + fault +
                       " PLK_WRITE_FAULT_PATH=/savedgames/");
}

// The tutorial played for a moment, saved as name, then the program left from the title. With
// dropSpare, a spare is dropped first, which the saved game counts.
int SaveTutorial(TitleRun& run, const std::string& name, bool dropSpare)
{
    RunScript script;
    script.Click(kTitleFrame, kTutorialX, kTutorialY);
    script.Key(kTitleFrame + 80, "Space");
    if (dropSpare)
        script.Click(kTitleFrame + 120, SpareX(0), SpareY(0));
    const int title = script.SaveAndExit(kTitleFrame + 200, name);
    script.Key(title, "Escape");
    return run.Run(script.Text(), title + 100);
}

// Loads the first saved game from the title, shows it and leaves the program; returns the status.
int LoadFirstSavedGame(TitleRun& run)
{
    RunScript script;
    const int card = script.LoadFromTitle(kTitleFrame, 0);
    script.Shot(card);
    script.Key(card + 10, "Space");
    script.Click(card + 30, kBarX, kExitY);
    const int title = card + 30 + kTitleAgain;
    script.Key(title, "Escape");
    return run.Run(script.Text(), title + 100);
}

} // namespace

TEST(FaultRun, AMissingMediumIsNamedInTheLogAndNeverCrashesTheGame)
{
    // The cube mesh stops the game at start-up; the game goes on without a wall texture or a sound.
    const std::vector<std::vector<std::string>> installs = {{"Block0.x"}, {"Wall01.png", "SndBlockDrop.wav"}};
    for (const std::vector<std::string>& hidden : installs)
    {
        TitleRun run;
        for (const std::string& name : hidden)
            run.HideData(name);
        const std::string& name = hidden.front();
        RunScript script;
        script.Click(kTitleFrame, kTutorialX, kTutorialY);
        script.Key(kTitleFrame + 80, "Space");
        script.Key(kTitleFrame + 120, "Escape");
        const int status = run.Run(script.Text(), kTitleFrame + 200);
        EXPECT_NE(-1, status) << name << ": the game crashed\n" << LogText(run);
        for (const std::string& missing : hidden)
            EXPECT_TRUE(LogMentions(run, missing)) << missing << " is not named in the log\n" << LogText(run);
        const std::vector<std::string> log = run.LogLines();
        ASSERT_FALSE(log.empty()) << name;
        if (status == 0)
        {
            EXPECT_EQ("----------- Game exiting normally -------------", log.back()) << name;
        }
    }
}

TEST(FaultRun, AFullDiskWhileSavingKeepsThePreviousSavedGame)
{
    TitleRun run;
    ASSERT_EQ(0, SaveTutorial(run, "evening", false));
    CGameLevel before(nullptr);
    ASSERT_TRUE(run.ReadSavedGame("evening", before));
    ASSERT_EQ(0, before.GetExBlocksAdded());

    FaultySavedGames(run, "full");
    ASSERT_EQ(0, SaveTutorial(run, "evening", true)) << LogText(run);
    EXPECT_TRUE(LogMentions(run, "evening")) << "the failed save is in the log\n" << LogText(run);

    CGameLevel after(nullptr);
    ASSERT_TRUE(run.ReadSavedGame("evening", after)) << "the earlier saved game is whole";
    EXPECT_EQ(0, after.GetExBlocksAdded()) << "and it is the earlier one";
    EXPECT_EQ(std::vector<std::string>{"evening.dat"}, run.SavedGames()) << "no half-written file left";
}

TEST(FaultRun, AKillWhileSavingLeavesTheOldSavedGameWholeAndTheGameStartsAgain)
{
    TitleRun run;
    ASSERT_EQ(0, SaveTutorial(run, "evening", false));

    FaultySavedGames(run, "kill");
    EXPECT_EQ(-1, SaveTutorial(run, "evening", true)) << "the process dies in the middle of the save";

    CGameLevel after(nullptr);
    ASSERT_TRUE(run.ReadSavedGame("evening", after)) << "the saved game is whole";
    EXPECT_EQ(0, after.GetExBlocksAdded()) << "and it is the old one: the new one never replaced it";

    run.SetEnvironment("");
    ASSERT_EQ(0, LoadFirstSavedGame(run)) << LogText(run);
    EXPECT_TRUE(IsBlueColumn(run.ShotPixel(0, 4, 300))) << "the saved game plays again";
    ExpectCleanLog(run);
}

TEST(FaultRun, ASavedGameCutInTheMiddleIsRefusedWithItsName)
{
    TitleRun run;
    ASSERT_EQ(0, SaveTutorial(run, "evening", false));
    const fs::path file = run.Install() / "data" / "savedgames" / "evening.dat";
    fs::resize_file(file, fs::file_size(file) / 2);

    ASSERT_EQ(0, LoadFirstSavedGame(run)) << LogText(run);
    EXPECT_TRUE(LogMentions(run, "evening.dat")) << "the log names the damaged file\n" << LogText(run);
    EXPECT_EQ(std::vector<std::string>{"evening.dat"}, run.SavedGames()) << "the file is left for the player";
}

TEST(FaultRun, ThousandsOfFilesKeepTheListsUsable)
{
    TitleRun run;
    ASSERT_EQ(0, SaveTutorial(run, "evening", false));
    const fs::path saved = run.Install() / "data" / "savedgames";
    const fs::path levels = run.OwnLevels();
    const int kFiles = 3000;
    for (int i = 0; i < kFiles; ++i)
    {
        char name[32];
        std::snprintf(name, sizeof name, "zz%04d.dat", i);
        fs::copy_file(saved / "evening.dat", saved / name);
        std::ofstream(levels / name, std::ios::binary) << "not a level " << i;
    }

    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(0, LoadFirstSavedGame(run)) << LogText(run);
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start);
    EXPECT_TRUE(IsBlueColumn(run.ShotPixel(0, 4, 300))) << "the first row's game loaded from the long list";
    EXPECT_LT(seconds.count(), 60) << "the lists read thousands of names without stalling the game";
    ExpectCleanLog(run);
}
