// Every shipped level: the series are complete, each level loads, round-trips and names only
// media that exist, and each is won by its recorded solution at the hardest difficulty.
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "game/CWallBlock.h"
#include "game/CFieldObject.h"
#include "screens/CLevelSetList.h"
#include "tools/levelplay/LevelReplay.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{

// Solutions run at most this many frames: ten minutes, more than any level's time.
const int kMaxFrames = 24000;
// The board spans -50..+50; its rim reaches 53 and scenery must stand clear of it.
const float kBoardRim = 55.0f;
const int kSceneryTypes = 15;
const int kTerrains = 5;
const int kBoardTops = 5;
const int kWallTypes = 7;

std::string Env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

fs::path DataDir()
{
    return fs::path(Env("PLK_BINARY_DIR")) / "stage" / "data";
}

fs::path LevelSources()
{
    return fs::path(Env("PLK_SOURCE_DIR")) / "content" / "levels";
}

std::vector<std::string> ShippedLevels()
{
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(LevelSources(), ignored))
        if (entry.path().extension() == ".txt" && entry.path().filename() != "CMakeLists.txt")
            names.push_back(entry.path().stem().string());
    return names;
}

// How many levels prefix1, prefix2, ... exist without a gap.
int SeriesLength(const std::set<std::string>& levels, const std::string& prefix)
{
    int n = 0;
    while (levels.count(prefix + std::to_string(n + 1)))
        ++n;
    return n;
}

bool DataFileExists(const std::string& name)
{
    return fs::is_regular_file(DataDir() / name);
}

std::string GameDataFolder()
{
    return DataDir().string() + "/";
}

// The level-set names of the staged "Upg.xml", read as the title's set list reads them.
std::vector<std::string> LevelSetNames()
{
    CLevelSetList sets;
    sets.Read(GameDataFolder().c_str());
    std::vector<std::string> names;
    for (unsigned i = 0; i < sets.GetCount(); ++i)
        names.push_back(sets.GetName(i).GetBuffer());
    return names;
}

} // namespace

TEST(LevelSeries, TutorialStandardAndBonusSeriesAreCompleteWithoutStrays)
{
    const std::vector<std::string> names = ShippedLevels();
    const std::set<std::string> levels(names.begin(), names.end());
    const int tutorials = SeriesLength(levels, "__Lrn");
    const int standard = SeriesLength(levels, "StdLevel");
    EXPECT_GE(tutorials, 6);
    EXPECT_GE(standard, 25);
    const std::vector<std::string> sets = LevelSetNames();
    ASSERT_FALSE(sets.empty()) << "the staged Upg.xml lists the bonus set";
    int bonus = 0;
    for (const std::string& set : sets)
    {
        EXPECT_GE(SeriesLength(levels, set), 5) << set;
        bonus += SeriesLength(levels, set);
    }
    // A level outside every series could never be reached by the next-level rule.
    EXPECT_EQ(names.size(), static_cast<size_t>(tutorials + standard + bonus));
}

TEST(LevelSeries, EveryLevelLoadsRoundTripsAndNamesOnlyExistingMedia)
{
    for (const std::string& name : ShippedLevels())
    {
        SCOPED_TRACE(name);
        CGameLevel level(nullptr);
        level.SetDataFolder(GameDataFolder().c_str());
        ASSERT_TRUE(level.Load(name.c_str(), false, false)) << level.GetErrorMsg().GetBuffer();
        const bool marked = name.rfind("StdLevel", 0) == 0 || name.rfind("__Lrn", 0) == 0;
        EXPECT_EQ(marked, level.GetSignature() == CGameLevel::kSignature);
        EXPECT_EQ(CGameLevel::FirstNumberIn(name.c_str()), level.GetCurLevel());
        EXPECT_EQ(name, level.GetLevelFileName().GetBuffer());
        EXPECT_FALSE(level.GetLevelName().IsEmpty());
        EXPECT_FALSE(level.GetObjective().IsEmpty());
        if (name.rfind("StdLevel", 0) == 0)
        {
            EXPECT_FALSE(level.GetSignatureKey().IsEmpty()) << "score posting needs a key";
        }

        // Round trip: what the game writes reads back to the same document (the spare blocks at
        // its end are drawn afresh on every load, and a first level starts a new game session).
        level.SetGameSession(XString());
        XString first;
        level.WriteDocument(first, false, false);
        CGameLevel again(nullptr);
        ASSERT_TRUE(again.LoadFromDocument("RoundTrip", first, false, false));
        again.SetGameSession(XString());
        XString second;
        again.WriteDocument(second, false, false);
        const std::string firstText(first.GetBuffer(), first.GetLength());
        const std::string secondText(second.GetBuffer(), second.GetLength());
        EXPECT_EQ(firstText.substr(0, firstText.find("<PlayBlock_1000>")),
                  secondText.substr(0, secondText.find("<PlayBlock_1000>")));

        EXPECT_TRUE(DataFileExists(level.GetLevelMusic().GetBuffer())) << level.GetLevelMusic().GetBuffer();
        ASSERT_GE(level.GetTerrainId(), 1);
        ASSERT_LE(level.GetTerrainId(), kTerrains);
        EXPECT_TRUE(DataFileExists("Terrain0" + std::to_string(level.GetTerrainId()) + ".x"));
        ASSERT_GE(level.GetGameboardId(), 1);
        ASSERT_LE(level.GetGameboardId(), kBoardTops);
        EXPECT_TRUE(DataFileExists("BoardTop" + std::to_string(level.GetGameboardId() - 1) + "_C3.bmp"));

        bool anyTarget = false;
        for (int i = 0; i < level.GetNumPlayBlocks(); ++i)
        {
            const CPlayBlock& block = level.GetPlayBlock(i);
            ASSERT_GE(block.GetType(), 0);
            ASSERT_LT(block.GetType(), CPlayBlock::kTypeCount);
            EXPECT_FALSE(block.IsColourCycling()) << "cycling follows the engine clock, which replays cannot fix";
            if (block.GetType() < 50)
            {
                EXPECT_TRUE(DataFileExists(CPlayBlock::TextureNameOfType(block.GetType()).GetBuffer()));
            }
            const plk::gfx::Vector3& p = block.GetPosition();
            EXPECT_LT(std::abs(p.x), 50.0f) << "cube " << i;
            EXPECT_LT(std::abs(p.z), 50.0f) << "cube " << i;
            anyTarget = anyTarget || (block.GetType() < CPlayBlock::kTypeSmasher && level.GetRemoveToWin(block.GetColour()));
        }
        EXPECT_TRUE(anyTarget) << "a level with nothing to clear is won before it starts";
        EXPECT_LE(level.GetNumTeleporters(), 2) << "with more, where a cube comes out is a matter of chance";
        for (int i = 0; i < level.GetNumWalls(); ++i)
        {
            ASSERT_GE(level.GetWall(i).GetWallType(), 0);
            ASSERT_LT(level.GetWall(i).GetWallType(), kWallTypes);
        }
        EXPECT_GT(level.GetNumFieldObjects(), 0) << "every level has scenery round the board";
        for (int i = 0; i < level.GetNumFieldObjects(); ++i)
        {
            CFieldObject& object = level.GetFieldObject(i);
            ASSERT_GE(object.GetObjType(), 0);
            ASSERT_LT(object.GetObjType(), kSceneryTypes);
            const plk::gfx::Vector3& p = object.GetPosition();
            EXPECT_GT(std::max(std::abs(p.x), std::abs(p.z)), kBoardRim) << "scenery " << i << " stands on the board";
        }
    }
}

TEST(LevelSeries, EveryLevelIsWonByItsRecordedSolutionAtTheHardestDifficulty)
{
    std::map<std::string, int> secondsLeft;
    for (const std::string& name : ShippedLevels())
    {
        SCOPED_TRACE(name);
        CLevelSolution solution;
        const fs::path path = LevelSources() / "solutions" / (name + ".sol");
        ASSERT_TRUE(solution.ReadFile(path.string().c_str())) << solution.GetErrorMsg().GetBuffer();
        ASSERT_FALSE(solution.GetMoves().empty());
        CLevelReplay replay(GameDataFolder().c_str());
        ASSERT_TRUE(replay.Load(name.c_str(), solution.GetSeed())) << replay.GetErrorMsg().GetBuffer();
        EXPECT_EQ(CLevelReplay::kHardest, replay.GetLevel().GetDifficulty());
        EXPECT_TRUE(replay.Play(solution, kMaxFrames)) << replay.GetErrorMsg().GetBuffer();
        const ReplayResult& result = replay.GetResult();
        EXPECT_TRUE(result.won) << result.blocksLeft << " cubes left, " << result.secondsLeft << " s left";
        EXPECT_GT(result.secondsLeft, 0);
        secondsLeft[name] = result.secondsLeft;
    }
    for (const auto& [name, seconds] : secondsLeft)
        std::printf("%-12s won with %3d s left\n", name.c_str(), seconds);
}
