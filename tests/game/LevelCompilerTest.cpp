// The level compiler on every shipped level document: the mark where it belongs, output that
// deciphers and loads, and the refusals that keep a bad level out of the build.
#include "foundation/XString.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "tools/levelc/LevelCompiler.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace
{

std::vector<std::filesystem::path> ShippedLevels()
{
    std::vector<std::filesystem::path> levels;
    const char* source = std::getenv("PLK_SOURCE_DIR");
    if (!source)
        return levels;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(source) / "content" / "levels"))
        if (entry.path().extension() == ".txt" && entry.path().filename() != "CMakeLists.txt")
            levels.push_back(entry.path());
    return levels;
}

} // namespace

TEST(LevelCompiler, EveryShippedLevelCompilesAndLoadsBack)
{
    const auto levels = ShippedLevels();
    ASSERT_FALSE(levels.empty()) << "PLK_SOURCE_DIR/content/levels holds the level documents";
    for (const auto& path : levels)
    {
        const std::string name = path.stem().string();
        SCOPED_TRACE(name);
        XString plain;
        ASSERT_TRUE(plain.ReadFile(path.string().c_str()));
        CLevelCompiler compiler;
        XString enciphered;
        ASSERT_TRUE(compiler.Compile(name.c_str(), plain, enciphered)) << compiler.GetErrorMsg().GetBuffer();
        EXPECT_EQ(-1, enciphered.Find("<GameLevel>"));

        XString deciphered(enciphered);
        ASSERT_TRUE(CGameLevel::DecipherDocument(deciphered));
        CGameLevel level(nullptr);
        ASSERT_TRUE(level.LoadFromDocument(name.c_str(), deciphered, false, false)) << level.GetErrorMsg().GetBuffer();
        EXPECT_EQ(CGameLevel::FirstNumberIn(name.c_str()), level.GetCurLevel());
        EXPECT_GT(level.GetNumPlayBlocks(), 0);
        EXPECT_GT(level.GetTimeLeft(), 0.0f);
        EXPECT_FALSE(level.GetLevelName().IsEmpty());
        // Every cube of a colour to clear has at least two partners, unless a zap cube can paint
        // the stray one into another colour.
        int perColour[CGameLevel::kColourCount] = {};
        bool canRepaint = false;
        for (int i = 0; i < level.GetNumPlayBlocks(); ++i)
        {
            const CPlayBlock& block = level.GetPlayBlock(i);
            canRepaint |= block.IsZap();
            const int colour = block.GetColour();
            if (colour >= 0 && colour < CGameLevel::kColourCount)
                ++perColour[colour];
        }
        for (int colour = 0; colour < CGameLevel::kColourCount && !canRepaint; ++colour)
        {
            if (level.GetRemoveToWin(colour))
            {
                EXPECT_TRUE(perColour[colour] == 0 || perColour[colour] >= 3) << "colour " << colour;
            }
        }

        // The same input always gives the same bytes.
        XString again;
        ASSERT_TRUE(compiler.Compile(name.c_str(), plain, again));
        EXPECT_EQ(std::string(enciphered.GetBuffer(), enciphered.GetLength()),
                  std::string(again.GetBuffer(), again.GetLength()));
    }
}

TEST(LevelCompiler, MarksOnlyStandardAndTutorialLevels)
{
    const XString plain = "<GameLevel>\n\t<Signature></Signature>\n\t<CurLevel>2</CurLevel>\n</GameLevel>";
    CLevelCompiler compiler;
    for (const char* name : {"StdLevel2", "__Lrn2", "MyLevel2"})
    {
        XString out;
        ASSERT_TRUE(compiler.Compile(name, plain, out)) << name;
        ASSERT_TRUE(CGameLevel::DecipherDocument(out));
        const bool marked = out.Find("<Signature>Vantorel Software</Signature>") >= 0;
        EXPECT_EQ(std::string(name) != "MyLevel2", marked) << name;
    }
}

TEST(LevelCompiler, RefusesLevelsTheGameWouldRefuse)
{
    CLevelCompiler compiler;
    XString out;
    EXPECT_FALSE(compiler.Compile("StdLevel3", "<GameLevel><Signature></Signature><CurLevel>4</CurLevel></GameLevel>",
                                  out));
    EXPECT_FALSE(compiler.GetErrorMsg().IsEmpty());
    EXPECT_FALSE(compiler.Compile("StdLevel1", "<GameLevel><CurLevel>1</CurLevel></GameLevel>", out))
        << "no Signature element to carry the mark";
    EXPECT_FALSE(compiler.Compile("MyLevel", "just text", out));
}
