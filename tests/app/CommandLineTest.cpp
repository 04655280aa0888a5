// The game's command line and the engine options it passes on.
#include "app/CCommandLine.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{

bool Parse(std::initializer_list<const char*> args, CCommandLine& out, XString& error)
{
    std::vector<const char*> argv{"Plinkett3"};
    argv.insert(argv.end(), args);
    return out.Parse(static_cast<int>(argv.size()), argv.data(), error);
}

TEST(CommandLineTest, AutomationOptionsReachTheEngineAndFixedStepsSeedWithOne)
{
    CCommandLine line;
    XString error;
    ASSERT_TRUE(Parse({"--install-dir", "/games/p3", "--fixed-step", "16", "--script", "run.txt", "--capture-dir",
                       "shots", "--max-frames", "300", "--skip-dialog"},
                      line, error))
        << error.GetBuffer();
    EXPECT_STREQ("/games/p3", line.installDir.GetBuffer());
    EXPECT_TRUE(line.skipDialog);
    EXPECT_EQ(16u, line.engine.fixedStepMs);
    EXPECT_EQ(300u, line.engine.maxFrames);
    EXPECT_STREQ("run.txt", line.engine.scriptFile.GetBuffer());
    EXPECT_STREQ("shots", line.engine.captureDir.GetBuffer());
    EXPECT_TRUE(line.seedGiven);
    EXPECT_EQ(1u, line.seed);
    EXPECT_TRUE(line.IsUnattended());
}

TEST(CommandLineTest, SeedOverridesTheFixedStepSeedAndPlainRunsAreAttended)
{
    CCommandLine line;
    XString error;
    ASSERT_TRUE(Parse({"--seed", "0", "--fixed-step", "10"}, line, error));
    EXPECT_TRUE(line.seedGiven);
    EXPECT_EQ(0u, line.seed);

    CCommandLine plain;
    ASSERT_TRUE(Parse({}, plain, error));
    EXPECT_FALSE(plain.seedGiven);
    EXPECT_FALSE(plain.IsUnattended());
}

TEST(CommandLineTest, BadOptionsAreRefusedWithTheirName)
{
    CCommandLine line;
    XString error;
    EXPECT_FALSE(Parse({"--install-dir"}, line, error));
    EXPECT_NE(nullptr, std::strstr(error.GetBuffer(), "--install-dir"));
    EXPECT_FALSE(Parse({"--seed", "-3"}, line, error));
    EXPECT_NE(nullptr, std::strstr(error.GetBuffer(), "--seed"));
    EXPECT_FALSE(Parse({"--fullscreen"}, line, error));
    EXPECT_NE(nullptr, std::strstr(error.GetBuffer(), "--fullscreen"));
    EXPECT_FALSE(Parse({"--max-frames", "0"}, line, error));
}

} // namespace
