#include "tests/e2e/run/RunChecks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

bool IsBlack(const Rgb& c)
{
    return c.r < 16 && c.g < 16 && c.b < 16;
}

bool IsBlueColumn(const Rgb& c)
{
    return c.b > 120 && c.b > c.r + 40;
}

void ExpectCleanLog(const TitleRun& run)
{
    const std::vector<std::string> log = run.LogLines();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ("----------- Game exiting normally -------------", log.back());
    for (const std::string& line : log)
    {
        EXPECT_EQ(std::string::npos, line.find("CStatusBar")) << line;
        EXPECT_EQ(std::string::npos, line.find("CGameOver")) << line;
    }
}
