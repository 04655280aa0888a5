// The level document: exact bytes, every field read back, the reading rules, empty and damaged
// documents, and files on disk.
#include "foundation/XString.h"
#include "game/CBoard.h"
#include "game/CFieldObject.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "game/CTeleporter.h"
#include "game/CWallBlock.h"
#include "game/GameRandom.h"
#include "tests/game/LevelTestFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>

namespace
{

std::string Str(const XString& text)
{
    return std::string(text.GetBuffer(), text.GetLength());
}

// Lines written with \n become CR LF, except the lone LF after Objective; no line end at the end.
std::string Document(std::string text)
{
    std::string out;
    for (char c : text)
    {
        if (c == '\n')
            out += "\r\n";
        else
            out += c;
    }
    const std::string objectiveEnd = "</Objective>\r\n";
    const size_t at = out.find(objectiveEnd);
    if (at != std::string::npos)
        out.replace(at, objectiveEnd.size(), "</Objective>\n");
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
        out.pop_back();
    return out;
}

// A level with one object of each kind and every field away from its default.
std::unique_ptr<CGameLevel> MakeFilledLevel()
{
    auto level = std::make_unique<CGameLevel>(nullptr);
    level->SetViewAreaX(7);
    level->SetTotalScore(1200);
    level->SetBlockScore(345);
    level->SetNumBlocksRemoved(9);
    level->SetDifficulty(3);
    level->ToggleRemoveToWin(2);
    level->SetBackground(10, 20, 30);
    level->SetExBlocksAdded(2);
    level->SetCurLevel(4);
    level->SetGameSession("abc");
    level->SetTimeLeft(45000.5f);
    level->SetLevelMusic("Music3.wav");
    level->SetLevelName("Name");
    level->SetLevelFileName("MyLevel4");
    level->SetObjective("Line one\r\nLine two");
    level->AdjustCamera(-100.0f, -90.0f, 100.0f);
    level->SetFogEnabled(true);
    level->SetFogAmount(120);
    level->SetRainEnabled(true);

    level->SetNumWalls(1);
    CWallBlock& wall = level->GetWall(0);
    wall.Init(nullptr, 6);
    wall.Resize(20.0f, 0.0f, 0.0f);
    wall.SetPosition(-15.0f, 25.0f, 45.0f);
    wall.ToggleAlphaBlend();

    level->SetNumPlayBlocks(1);
    CPlayBlock& block = level->GetPlayBlock(0);
    block.Init(nullptr, 28, false);
    block.SetPosition(5.0f, 25.0f, -15.0f);

    level->SetNumTeleporters(1);
    level->GetTeleporter(0).Init(nullptr);
    level->GetTeleporter(0).SetPosition(25.0f, 25.0f, 5.0f);

    level->SetNumFieldObjects(1);
    CFieldObject& tree = level->GetFieldObject(0);
    tree.Init(nullptr, 12);
    tree.SetPosition(80.0f, 3.5f, -60.0f);
    tree.SetScale(2.0f, 2.0f, 2.0f);
    return level;
}

std::string Placement(const char* x, const char* y, const char* z, const char* scale)
{
    std::string s;
    s += std::string("\t\t<XPos>") + x + "</XPos>\n";
    s += std::string("\t\t<YPos>") + y + "</YPos>\n";
    s += std::string("\t\t<ZPos>") + z + "</ZPos>\n";
    s += "\t\t<XAngle>0.000000</XAngle>\n\t\t<YAngle>0.000000</YAngle>\n\t\t<ZAngle>0.000000</ZAngle>\n";
    s += std::string("\t\t<XScale>") + scale + "</XScale>\n";
    s += std::string("\t\t<YScale>") + scale + "</YScale>\n";
    s += std::string("\t\t<ZScale>") + scale + "</ZScale>\n";
    return s;
}

std::string EmptySpare(int index)
{
    const std::string n = std::to_string(index);
    return "\t<PlayBlock_" + n + ">\n\t\t<BlockType>-1</BlockType>\n\t\t<ColorCycle>false</ColorCycle>\n"
           "\t\t<ColorOffset>0</ColorOffset>\n\t\t<StateChangeMaxTime>0</StateChangeMaxTime>\n"
           "\t\t<StateChangeTimeLeft>0</StateChangeTimeLeft>\n\t\t<CurState>0</CurState>\n"
           "\t\t<Used>false</Used>\n\t\t<RunEffect>false</RunEffect>\n" +
           Placement("0.000000", "0.000000", "0.000000", "1.000000") + "\t</PlayBlock_" + n + ">\n";
}

// The document of MakeFilledLevel as a saved game, with the cube's colour offset filled in.
std::string ExpectedFilledDocument(int colourOffset)
{
    std::string s = "<GameLevel>\n\t<Signature></Signature>\n\t<SignatureKey></SignatureKey>\n"
                    "\t<ViewAreaX>7</ViewAreaX>\n\t<TotalScore>1200</TotalScore>\n\t<BlockScore>345</BlockScore>\n"
                    "\t<NumBlocksRemoved>9</NumBlocksRemoved>\n\t<Difficulty>3</Difficulty>\n";
    for (int i = 0; i < 10; ++i)
        s += "\t<RemoveToWinBlockColor" + std::to_string(i) + ">" + (i == 2 ? "false" : "true") +
             "</RemoveToWinBlockColor" + std::to_string(i) + ">\n";
    s += "\t<BgRed>10</BgRed>\n\t<BgGreen>20</BgGreen>\n\t<BgBlue>30</BgBlue>\n\t<ExBlocksAdded>2</ExBlocksAdded>\n"
         "\t<CurLevel>4</CurLevel>\n\t<GameSession>abc</GameSession>\n\t<BlocksLeft>0</BlocksLeft>\n"
         "\t<TimeLeft>45000.500000</TimeLeft>\n\t<LevelMusic>Music3.wav</LevelMusic>\n\t<LevelName>Name</LevelName>\n"
         "\t<LevelFileName>MyLevel4</LevelFileName>\n\t<Objective>Line one\nLine two</Objective>\n"
         "\t<CameraTilt>10.000000</CameraTilt>\n\t<CameraAngle>270.000000</CameraAngle>\n"
         "\t<CameraZoom>300.000000</CameraZoom>\n\t<GameboardId>0</GameboardId>\n\t<TerrainId>0</TerrainId>\n"
         "\t<FogEnabled>true</FogEnabled>\n\t<FogAmount>120</FogAmount>\n\t<RainEnabled>true</RainEnabled>\n"
         "\t<NumWalls>1</NumWalls>\n\t<WallBlock_0>\n\t\t<WallType>6</WallType>\n\t\t<Width>30.000000</Width>\n"
         "\t\t<Height>10.000000</Height>\n\t\t<Depth>10.000000</Depth>\n\t\t<AlphaBlend>true</AlphaBlend>\n" +
         Placement("-15.000000", "25.000000", "45.000000", "1.000000") + "\t</WallBlock_0>\n";
    s += "\t<NumPlayBlocks>1</NumPlayBlocks>\n\t<PlayBlock_0>\n\t\t<BlockType>28</BlockType>\n"
         "\t\t<ColorCycle>false</ColorCycle>\n\t\t<ColorOffset>" +
         std::to_string(colourOffset) +
         "</ColorOffset>\n\t\t<StateChangeMaxTime>0</StateChangeMaxTime>\n"
         "\t\t<StateChangeTimeLeft>0</StateChangeTimeLeft>\n\t\t<CurState>0</CurState>\n\t\t<Used>false</Used>\n"
         "\t\t<RunEffect>false</RunEffect>\n" +
         Placement("5.000000", "25.000000", "-15.000000", "1.000000") + "\t</PlayBlock_0>\n";
    s += "\t<NumTeleporters>1</NumTeleporters>\n\t<Teleporter_0>\n" +
         Placement("25.000000", "25.000000", "5.000000", "1.000000") + "\t</Teleporter_0>\n";
    s += "\t<NumFieldObjects>1</NumFieldObjects>\n\t<FieldObject_0>\n\t\t<ObjType>12</ObjType>\n" +
         Placement("80.000000", "3.500000", "-60.000000", "2.000000") + "\t</FieldObject_0>\n";
    s += EmptySpare(1000) + EmptySpare(1001) + EmptySpare(1002) + "</GameLevel>";
    return Document(s);
}

XString WriteFilled(bool isSavedGame)
{
    auto level = MakeFilledLevel();
    XString out;
    level->WriteDocument(out, isSavedGame, false);
    return out;
}

} // namespace

TEST(LevelDocument, SavedGameIsWrittenByteForByte)
{
    auto level = MakeFilledLevel();
    XString out;
    level->WriteDocument(out, true, false);
    EXPECT_EQ(ExpectedFilledDocument(level->GetPlayBlock(0).GetColourOffset()), Str(out));
}

TEST(LevelDocument, LevelWritesDifficultyZeroAndObjectiveEndsInLoneLineFeed)
{
    const std::string doc = Str(WriteFilled(false));
    EXPECT_NE(std::string::npos, doc.find("\t<Difficulty>0</Difficulty>\r\n"));
    EXPECT_NE(std::string::npos, doc.find("Line one\r\nLine two</Objective>\n\t<CameraTilt>"));
    EXPECT_EQ(std::string::npos, doc.find("</Objective>\r\n"));
    EXPECT_EQ('>', doc.back());
}

TEST(LevelDocument, EveryFieldReadsBack)
{
    const XString doc = WriteFilled(true);
    CGameLevel level(nullptr);
    ASSERT_TRUE(level.LoadFromDocument("MyLevel4", doc, false, true));
    EXPECT_EQ(0, level.GetViewAreaX()) << "ViewAreaX is written, never read";
    EXPECT_TRUE(level.IsTimeAdjusted()) << "a saved game's time is already scaled";
    EXPECT_EQ(CWallBlock::kKind, level.GetWall(0).GetKind());
    EXPECT_EQ(CPlayBlock::kKind, level.GetPlayBlock(0).GetKind());
    EXPECT_EQ(CTeleporter::kKind, level.GetTeleporter(0).GetKind());
    EXPECT_EQ(CFieldObject::kKind, level.GetFieldObject(0).GetKind());
    // Every other field is written again exactly as it was read (up to the spares, which loading
    // empties and whose colour offsets are drawn afresh).
    XString again;
    level.SetViewAreaX(7);
    level.WriteDocument(again, true, false);
    const std::string original = Str(doc);
    const std::string rewritten = Str(again);
    EXPECT_EQ(original.substr(0, original.find("\t<PlayBlock_1000>")),
              rewritten.substr(0, rewritten.find("\t<PlayBlock_1000>")));
}

TEST(LevelDocument, MarkupInATextIsLeftOutSoTheLevelReadsBackTheSame)
{
    // A crossover once left a whole cube element inside a level's name: written as it stood, the
    // next read took that cube for the level's own.
    CGameLevel level(nullptr);
    level.SetNumPlayBlocks(1);
    level.GetPlayBlock(0).Init(nullptr, 5, false);
    level.SetLevelName("Two <PlayBlock_0><BlockType>3</BlockType></PlayBlock_0> cubes");
    level.SetObjective("a < b > c");
    XString doc;
    level.WriteDocument(doc, false, false);
    EXPECT_NE(std::string::npos, Str(doc).find("<LevelName>Two PlayBlock_0BlockType3/BlockType/PlayBlock_0 cubes<"));
    EXPECT_NE(std::string::npos, Str(doc).find("<Objective>a  b  c<"));

    // A read deals the spares new colours: both reads start from the same seed.
    CGameRandom::Seed(1);
    CGameLevel loaded(nullptr);
    ASSERT_TRUE(loaded.LoadFromDocument("Custom", doc, false, false));
    ASSERT_EQ(1, loaded.GetNumPlayBlocks());
    EXPECT_EQ(5, loaded.GetPlayBlock(0).GetType()) << "the level's own cube, not the one from the name";
    XString again;
    loaded.WriteDocument(again, false, false);
    EXPECT_NE(std::string::npos, Str(again).find("<LevelName>Two PlayBlock_0BlockType3/BlockType/PlayBlock_0 cubes<"));
    CGameRandom::Seed(1);
    CGameLevel reloaded(nullptr);
    ASSERT_TRUE(reloaded.LoadFromDocument("Custom", again, false, false));
    XString third;
    reloaded.WriteDocument(third, false, false);
    EXPECT_EQ(Str(again), Str(third));
}

TEST(LevelDocument, ObjectRotationSurvivesARoundTrip)
{
    CGameLevel level(nullptr);
    level.SetNumFieldObjects(1);
    level.GetFieldObject(0).Init(nullptr, 0);
    level.GetFieldObject(0).SetRotationDegrees(10.0f, 90.0f, 270.0f);
    XString doc;
    level.WriteDocument(doc, false, false);
    CGameLevel loaded(nullptr);
    ASSERT_TRUE(loaded.LoadFromDocument("Custom", doc, false, false));
    const plk::gfx::Vector3& rotation = loaded.GetFieldObject(0).GetRotation();
    EXPECT_NEAR(90.0f * 0.017453292f, rotation.y, 1e-5f);
    EXPECT_NEAR(270.0f * 0.017453292f, rotation.z, 1e-5f);
}

TEST(LevelDocument, EmptyDocumentIsALevelWithNothing)
{
    CGameLevel level(nullptr);
    ASSERT_TRUE(level.LoadFromDocument("Custom", "<GameLevel></GameLevel>", false, false));
    EXPECT_EQ(0, level.GetNumWalls());
    EXPECT_EQ(0, level.GetNumPlayBlocks());
    EXPECT_EQ(0, level.GetNumTeleporters());
    EXPECT_EQ(0, level.GetNumFieldObjects());
    EXPECT_EQ(0u, level.GetBackgroundColour() & 0x00FFFFFFu) << "background black";
    for (int colour = 0; colour < 10; ++colour)
        EXPECT_FALSE(level.GetRemoveToWin(colour));
    EXPECT_FLOAT_EQ(0.0f, level.GetTimeLeft());
    EXPECT_EQ(0, level.SecondsLeft());
    EXPECT_TRUE(level.GetLevelMusic().IsEmpty());
    // A camera of zeros would sit inside the board: it is kept within its limits.
    EXPECT_FLOAT_EQ(10.0f, level.GetCameraTilt());
    EXPECT_FLOAT_EQ(130.0f, level.GetCameraZoom());
}

TEST(LevelDocument, OriginMarkGuardsStandardAndTutorialLevels)
{
    const XString plain = WriteFilled(false);
    std::string marked = Str(plain);
    marked.replace(marked.find("<Signature></Signature>"), 23, "<Signature>Vantorel Software</Signature>");
    const std::string markedNumberOne = [&] {
        std::string s = marked;
        s.replace(s.find("<CurLevel>4</CurLevel>"), 22, "<CurLevel>1</CurLevel>");
        return s;
    }();

    CGameLevel level(nullptr);
    EXPECT_FALSE(level.LoadFromDocument("StdLevel1", plain, false, false));
    EXPECT_FALSE(level.LoadFromDocument("stdlevel1", plain, false, false));
    EXPECT_FALSE(level.LoadFromDocument("__lrn2", plain, false, false));
    EXPECT_TRUE(level.LoadFromDocument("MyLevel", plain, false, false));
    EXPECT_TRUE(level.LoadFromDocument("StdLevel1", markedNumberOne.c_str(), false, false));
    EXPECT_EQ("Vantorel Software", Str(level.GetSignature()));
    EXPECT_TRUE(level.LoadFromDocument("__Lrn2", marked.c_str(), false, false));
    // A mark that only begins right is no mark.
    std::string almost = Str(plain);
    almost.replace(almost.find("<Signature></Signature>"), 23, "<Signature>Vantorel Softwarez</Signature>");
    EXPECT_FALSE(level.LoadFromDocument("StdLevel0", almost.c_str(), false, false));
}

TEST(LevelDocument, StandardLevelNumberMustMatchItsName)
{
    std::string doc = Str(WriteFilled(false));
    doc.replace(doc.find("<Signature></Signature>"), 23, "<Signature>Vantorel Software</Signature>");
        CGameLevel level(nullptr);
    EXPECT_FALSE(level.LoadFromDocument("StdLevel3", doc.c_str(), false, false));
    EXPECT_TRUE(level.LoadFromDocument("MyLevel3", doc.c_str(), false, false));
    EXPECT_TRUE(level.LoadFromDocument("StdLevel4", doc.c_str(), false, false));
    // A standard name without a digit is not checked against CurLevel.
    EXPECT_TRUE(level.LoadFromDocument("StdLevelFinal", doc.c_str(), false, false));
}

TEST(LevelDocument, ScoresAndDifficultyCarryOverAsTheRulesSay)
{
    const XString savedWithZeroTotal = [] {
        auto level = MakeFilledLevel();
        level->SetTotalScore(0);
        XString out;
        level->WriteDocument(out, true, false);
        return out;
    }();
    CGameLevel level(nullptr);
    level.SetTotalScore(5000);
    level.SetDifficulty(1);
    ASSERT_TRUE(level.LoadFromDocument("MyLevel4", savedWithZeroTotal, false, false));
    EXPECT_EQ(5000, level.GetTotalScore()) << "a 0 in a level's file keeps the total in memory";
    EXPECT_EQ(1, level.GetDifficulty()) << "a chosen difficulty is kept";
    ASSERT_TRUE(level.LoadFromDocument("MySave", savedWithZeroTotal, false, true));
    EXPECT_EQ(0, level.GetTotalScore()) << "a saved game's total is the one saved";
    EXPECT_EQ(3, level.GetDifficulty()) << "a saved game's difficulty is the one saved";

    CGameLevel fresh(nullptr);
    ASSERT_TRUE(fresh.LoadFromDocument("MySave", WriteFilled(true), false, true));
    EXPECT_EQ(1200, fresh.GetTotalScore());
    EXPECT_EQ(3, fresh.GetDifficulty()) << "no difficulty chosen: the file's applies";
}

TEST(LevelDocument, FinishedLevelIsAddedToTheTotalBeforeTheNextOneLoads)
{
    CGameLevel level(nullptr);
    level.SetDifficulty(2);
    level.SetTotalScore(1000);
    level.SetBlockScore(500);
    level.SetExBlocksAdded(1);
    level.SetTimeLeft(12500.0f);
    level.SetTimeAdjusted(true);
    level.SetAddLevelToTotal(true);
    ASSERT_TRUE(level.LoadFromDocument("MyLevel2", "<GameLevel><CurLevel>2</CurLevel></GameLevel>", false, false));
    // 1000 - 200 + 500 + 12 s x 10 = 1420; the level's own TotalScore of 0 keeps it.
    EXPECT_EQ(1420, level.GetTotalScore());
    EXPECT_FALSE(level.GetAddLevelToTotal());
    EXPECT_EQ(0, level.GetExBlocksAdded());
    EXPECT_FALSE(level.IsTimeAdjusted());
}

TEST(LevelDocument, CountsAreClampedToTheArrays)
{
    std::string doc = Str(WriteFilled(false));
    doc.replace(doc.find("<NumPlayBlocks>1<"), 17, "<NumPlayBlocks>5000<");
    doc.replace(doc.find("<NumWalls>1<"), 12, "<NumWalls>-3<");
    doc.replace(doc.find("<NumTeleporters>1<"), 18, "<NumTeleporters>11<");
    doc.replace(doc.find("<NumFieldObjects>1<"), 19, "<NumFieldObjects>99999999999<");
    CGameLevel level(nullptr);
    ASSERT_TRUE(level.LoadFromDocument("Custom", doc.c_str(), false, false));
    EXPECT_EQ(CGameLevel::kMaxPlayBlocks, level.GetNumPlayBlocks());
    EXPECT_EQ(0, level.GetNumWalls());
    EXPECT_EQ(CGameLevel::kMaxTeleporters, level.GetNumTeleporters());
    EXPECT_EQ(CGameLevel::kMaxFieldObjects, level.GetNumFieldObjects());
    // Objects the document lacks read as zeros: the first cube is there, the rest are blue cubes.
    EXPECT_EQ(28, level.GetPlayBlock(0).GetType());
    EXPECT_EQ(0, level.GetPlayBlock(599).GetType());
}

TEST(LevelDocument, SpareBlocksInAFileAreIgnored)
{
    std::string doc = Str(WriteFilled(false));
    const size_t at = doc.find("<PlayBlock_1000>");
    doc.replace(doc.find("<BlockType>-1</BlockType>", at), 25, "<BlockType>61</BlockType>");
    CGameLevel level(nullptr);
    ASSERT_TRUE(level.LoadFromDocument("Custom", doc.c_str(), false, false));
    for (int i = 0; i < CGameLevel::kSpareCount; ++i)
        EXPECT_EQ(CPlayBlock::kTypeNone, level.GetSpare(i).GetType());
    EXPECT_EQ(1, level.GetNumPlayBlocks());
}

TEST(LevelDocument, ObjectTenIsNotFoundByTheTagOfObjectOne)
{
    CGameLevel source(nullptr);
    source.SetNumPlayBlocks(11);
    for (int i = 0; i < 11; ++i)
        source.GetPlayBlock(i).Init(nullptr, i == 10 ? 61 : i % 10, false);
    XString doc;
    source.WriteDocument(doc, false, false);
    CGameLevel level(nullptr);
    ASSERT_TRUE(level.LoadFromDocument("Custom", doc, false, false));
    EXPECT_EQ(1, level.GetPlayBlock(1).GetType());
    EXPECT_EQ(61, level.GetPlayBlock(10).GetType());
}

TEST(LevelDocument, DamagedAndTruncatedDocumentsNeverCrash)
{
    const std::string doc = Str(WriteFilled(true));
    CGameLevel level(nullptr);
    // Every cut through the document, including inside tags and numbers.
    for (size_t length = 0; length <= doc.size(); length += 13)
    {
        XString cut;
        cut.SetData(doc.data(), static_cast<int>(length));
        ASSERT_TRUE(level.LoadFromDocument("Custom", cut, false, true)) << "cut at " << length;
        EXPECT_LE(level.GetNumPlayBlocks(), CGameLevel::kMaxPlayBlocks);
    }
    // Bytes overwritten with NULs and noise.
    CGameRandom::Seed(7);
    for (int round = 0; round < 40; ++round)
    {
        std::string damaged = doc;
        for (int i = 0; i < 25; ++i)
            damaged[static_cast<size_t>(CGameRandom::Below(static_cast<int>(damaged.size())))] =
                static_cast<char>(CGameRandom::Below(256));
        XString text;
        text.SetData(damaged.data(), static_cast<int>(damaged.size()));
        level.LoadFromDocument("Custom", text, false, true);
        EXPECT_GE(level.GetNumWalls(), 0);
        EXPECT_LE(level.GetNumWalls(), CGameLevel::kMaxWalls);
    }
}

TEST(LevelDocument, NonNumbersReadLikeTheRuntimeConversions)
{
    const char* doc = "<GameLevel><BgRed>  42abc</BgRed><BgGreen>-7</BgGreen><BgBlue>999</BgBlue>"
                      "<TimeLeft>nan</TimeLeft><FogEnabled>TRUEish</FogEnabled><RainEnabled> true</RainEnabled>"
                      "<CameraZoom>1e3</CameraZoom><CurLevel>-2</CurLevel><BlockScore>99999999999</BlockScore>"
                      "</GameLevel>";
    CGameLevel level(nullptr);
    ASSERT_TRUE(level.LoadFromDocument("Custom", doc, false, false));
    EXPECT_EQ(42, level.GetBgRed());
    EXPECT_EQ(0, level.GetBgGreen()) << "clamped to 0..255";
    EXPECT_EQ(255, level.GetBgBlue());
    EXPECT_FLOAT_EQ(0.0f, level.GetTimeLeft()) << "a NaN time reads as 0";
    EXPECT_TRUE(level.IsFogEnabled());
    EXPECT_FALSE(level.IsRainEnabled()) << "a leading blank is not \"true\"";
    EXPECT_FLOAT_EQ(300.0f, level.GetCameraZoom());
    EXPECT_EQ(0u, level.GetCurLevel());
    EXPECT_EQ(2147483647, level.GetBlockScore());
}

TEST(LevelDocument, HugeAndNonFiniteFloatsReadWithinTheirRangesAndPlayStaysFinite)
{
    std::string doc = Str(WriteFilled(true));
    // Replaces the text of the first element of that name at or after the given one's tag.
    auto set = [&doc](const std::string& element, const std::string& value, const std::string& after) {
        const size_t from = after.empty() ? 0 : doc.find(after);
        const size_t begin = doc.find("<" + element + ">", from) + element.size() + 2;
        doc.replace(begin, doc.find("</" + element + ">", begin) - begin, value);
    };
    set("TimeLeft", "1e13", "");
    set("CameraTilt", "nan", "");
    set("CameraAngle", "1e30", "");
    set("CameraZoom", "-inf", "");
    set("Width", "1e30", "<WallBlock_0>");
    set("Height", "inf", "<WallBlock_0>");
    set("Depth", "nan", "<WallBlock_0>");
    set("XPos", "1e30", "<WallBlock_0>");
    set("XPos", "1e30", "<PlayBlock_0>");
    set("YPos", "-inf", "<PlayBlock_0>");
    set("ZPos", "nan", "<PlayBlock_0>");
    set("XAngle", "1e30", "<PlayBlock_0>");
    set("YAngle", "-inf", "<PlayBlock_0>");
    set("XScale", "1e30", "<PlayBlock_0>");
    set("ZPos", "-1e30", "<Teleporter_0>");
    set("YPos", "1e300", "<FieldObject_0>");
    set("ZScale", "-1e39", "<FieldObject_0>");

    CGameLevel level(nullptr);
    ASSERT_TRUE(level.LoadFromDocument("MySave", doc.c_str(), false, true));
    EXPECT_FLOAT_EQ(86400000.0f, level.GetTimeLeft()) << "no level lasts more than a day";
    EXPECT_EQ(86400, level.SecondsLeft());
    EXPECT_FLOAT_EQ(10.0f, level.GetCameraTilt()) << "a NaN tilt reads as 0, then the lowest tilt";
    EXPECT_GE(level.GetCameraAngle(), 0.0f);
    EXPECT_LT(level.GetCameraAngle(), 360.0f);
    EXPECT_FLOAT_EQ(130.0f, level.GetCameraZoom());

    const CWallBlock& wall = level.GetWall(0);
    EXPECT_FLOAT_EQ(1000.0f, wall.GetWidth());
    EXPECT_FLOAT_EQ(1000.0f, wall.GetHeight());
    EXPECT_FLOAT_EQ(10.0f, wall.GetDepth()) << "a NaN size reads as the thinnest wall";
    EXPECT_FLOAT_EQ(1000.0f, wall.GetPosition().x);

    const CPlayBlock& cube = level.GetPlayBlock(0);
    EXPECT_FLOAT_EQ(1000.0f, cube.GetPosition().x);
    EXPECT_FLOAT_EQ(-1000.0f, cube.GetPosition().y);
    EXPECT_FLOAT_EQ(0.0f, cube.GetPosition().z);
    EXPECT_LE(std::fabs(cube.GetRotation().x), 6.2832f) << "a turn of 1e30 degrees is within one turn";
    EXPECT_FLOAT_EQ(0.0f, cube.GetRotation().y);
    EXPECT_FLOAT_EQ(100.0f, cube.GetScale().x);
    EXPECT_FLOAT_EQ(-1000.0f, level.GetTeleporter(0).GetPosition().z);
    EXPECT_FLOAT_EQ(1000.0f, level.GetFieldObject(0).GetPosition().y);
    EXPECT_FLOAT_EQ(-100.0f, level.GetFieldObject(0).GetScale().z);

    const int kFrames = 200;
    const float kFrameMs = 25.0f;
    for (int frame = 0; frame < kFrames; ++frame)
    {
        CBoard::PlayLevelFrame(level, kFrameMs);
        for (int i = 0; i < level.GetNumPlayBlocks(); ++i)
        {
            const plk::gfx::Vector3& p = level.GetPlayBlock(i).GetPosition();
            ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z))
                << "cube " << i << " after frame " << frame;
        }
    }
    EXPECT_EQ(86400 - 5, level.SecondsLeft()) << "200 frames of 25 ms";
}

TEST(LevelDocument, AFadeSavedAtTheLargestTimeRunsDown)
{
    std::string doc = Str(WriteFilled(true));
    doc.replace(doc.find("<StateChangeMaxTime>0<"), 22, "<StateChangeMaxTime>2147483647<");
    doc.replace(doc.find("<StateChangeTimeLeft>0<"), 23, "<StateChangeTimeLeft>2147483647<");
    doc.replace(doc.find("<CurState>0<"), 12, "<CurState>1<");
    CGameLevel level(nullptr);
    ASSERT_TRUE(level.LoadFromDocument("MySave", doc.c_str(), false, true));
    for (int frame = 0; frame < 4; ++frame)
        CBoard::PlayLevelFrame(level, 25.0f);
    EXPECT_EQ(2147483647 - 100, level.GetPlayBlock(0).GetStateChangeTimeLeft());
    EXPECT_EQ(CPlayBlock::kStateRemoving, level.GetPlayBlock(0).GetState());
}

TEST(LevelDocument, NewGameGetsASessionLaterLevelsKeepIt)
{
    std::string first = Str(WriteFilled(false));
    first.replace(first.find("<CurLevel>4</CurLevel>"), 22, "<CurLevel>1</CurLevel>");
    CGameLevel level(nullptr);
    level.SetGameSession("old");
    ASSERT_TRUE(level.LoadFromDocument("MyLevel1", first.c_str(), false, false));
    const std::string session = Str(level.GetGameSession());
    EXPECT_NE("old", session);
    EXPECT_FALSE(session.empty());

    XString deciphered(level.GetGameSession());
    deciphered.DecodeBase64();
    ASSERT_TRUE(CGameLevel::DecipherDocument(deciphered));
    const std::string plain = Str(deciphered);
    EXPECT_EQ(0u, plain.find("MyLevel_")) << plain;
    EXPECT_NE(std::string::npos, plain.find('@'));

    std::string second = first;
    second.replace(second.find("<CurLevel>1</CurLevel>"), 22, "<CurLevel>2</CurLevel>");
    ASSERT_TRUE(level.LoadFromDocument("MyLevel2", second.c_str(), false, false));
    EXPECT_EQ(session, Str(level.GetGameSession()));

    ASSERT_TRUE(level.LoadFromDocument("MyLevel1", first.c_str(), true, false));
    EXPECT_EQ(session, Str(level.GetGameSession())) << "the builder leaves the session alone";

    ASSERT_TRUE(level.LoadFromDocument("MySave", WriteFilled(true), false, true));
    EXPECT_EQ("abc", Str(level.GetGameSession()));

    EXPECT_EQ("Custom", Str(CGameLevel::MakeGameSession("Custom")));
}

TEST(LevelFiles, SaveAndLoadThroughTheLevelsAndSavedGamesFolders)
{
    LevelTestFolder folder;
    auto level = MakeFilledLevel();
    level->SetDataFolder(folder.GamePath().c_str());
    ASSERT_TRUE(level->Save("Custom7", false));
    // Writing a level resets its game state from the name.
    EXPECT_EQ(7u, level->GetCurLevel());
    EXPECT_EQ("Custom7", Str(level->GetLevelFileName()));
    EXPECT_EQ(0, level->GetTotalScore());
    EXPECT_EQ(0, level->GetDifficulty());
    EXPECT_EQ(1u, level->GetBlocksLeft());
    EXPECT_TRUE(std::filesystem::exists(folder.Path() + "/levels/Custom7.dat"));

    ASSERT_TRUE(level->Save("MyGame.DAT", true));
    EXPECT_TRUE(std::filesystem::exists(folder.Path() + "/savedgames/MyGame.DAT"));
    EXPECT_FALSE(std::filesystem::exists(folder.Path() + "/savedgames/MyGame.DAT.dat"));

    CGameLevel loaded(nullptr);
    loaded.SetDataFolder(folder.GamePath().c_str());
    ASSERT_TRUE(loaded.Load("Custom7", false, false));
    EXPECT_EQ(7u, loaded.GetCurLevel());
    EXPECT_EQ(1, loaded.GetNumPlayBlocks());
    EXPECT_FALSE(loaded.Load("Missing", false, false));
    EXPECT_FALSE(loaded.GetErrorMsg().IsEmpty());

    // The file on disk is enciphered, not the plain document.
    std::ifstream in(folder.Path() + "/levels/Custom7.dat", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(std::string::npos, bytes.find("<GameLevel>"));
}

TEST(LevelFiles, AutoSaveStoresTheTimeScaledByDifficulty)
{
    LevelTestFolder folder;
    CGameLevel level(nullptr);
    level.SetDataFolder(folder.GamePath().c_str());
    level.SetDifficulty(1);
    level.SetTimeLeft(60000.0f);
    ASSERT_TRUE(level.Save("autosave", true));
    EXPECT_FLOAT_EQ(60000.0f, level.GetTimeLeft()) << "the level in memory is not scaled";

    XString doc;
    ASSERT_TRUE(doc.ReadFile((folder.Path() + "/savedgames/autosave.dat").c_str()));
    ASSERT_TRUE(CGameLevel::DecipherDocument(doc));
    EXPECT_NE(std::string::npos, Str(doc).find("<TimeLeft>84000.000000</TimeLeft>"));

    // Resumed at difficulty 3, the auto-save keeps 70 % of the limit, not 49 %.
    CGameLevel hard(nullptr);
    hard.SetDataFolder(folder.GamePath().c_str());
    hard.SetDifficulty(3);
    hard.SetTimeLeft(60000.0f);
    ASSERT_TRUE(hard.Save("AutoSave", true));
    CGameLevel resumed(nullptr);
    resumed.SetDataFolder(folder.GamePath().c_str());
    ASSERT_TRUE(resumed.Load("AutoSave", false, true));
    EXPECT_EQ(42, resumed.SecondsLeft());

    // A resumed game already carries scaled time: saving it as "AutoSave" again keeps 42 s.
    ASSERT_TRUE(resumed.Save("AutoSave", true));
    CGameLevel again(nullptr);
    again.SetDataFolder(folder.GamePath().c_str());
    ASSERT_TRUE(again.Load("AutoSave", false, true));
    EXPECT_EQ(42, again.SecondsLeft()) << "time scaled twice";
}

TEST(LevelFiles, DamagedFilesLoadAsEmptyOrFailCleanly)
{
    LevelTestFolder folder;
    std::filesystem::create_directories(folder.Path() + "/levels");
    const std::string garbage[] = {"", "x", std::string("\0\0\0\0\0\0\0\0\0\0", 10), "<GameLevel>plain</GameLevel>"};
    CGameLevel level(nullptr);
    level.SetDataFolder(folder.GamePath().c_str());
    for (const std::string& bytes : garbage)
    {
        std::ofstream(folder.Path() + "/levels/Custom.dat", std::ios::binary) << bytes;
        std::ofstream(folder.Path() + "/levels/StdLevel1.dat", std::ios::binary) << bytes;
        level.Load("Custom", false, false);
        EXPECT_LE(level.GetNumPlayBlocks(), CGameLevel::kMaxPlayBlocks);
        EXPECT_FALSE(level.Load("StdLevel1", false, false)) << "no origin mark in garbage";
    }
    // A real file cut short.
    auto filled = MakeFilledLevel();
    filled->SetDataFolder(folder.GamePath().c_str());
    ASSERT_TRUE(filled->Save("Cut", false));
    const std::string path = folder.Path() + "/levels/Cut.dat";
    const std::uintmax_t size = std::filesystem::file_size(path);
    for (std::uintmax_t keep : {size / 2, size - 1, std::uintmax_t{9}})
    {
        std::filesystem::resize_file(path, keep);
        level.Load("Cut", false, false);
        EXPECT_LE(level.GetNumWalls(), CGameLevel::kMaxWalls);
    }
}
