// The start-up loader: order of loading and unloading, failures, and the flag the level sees.
#include "app/CSharedLoader.h"
#include "foundation/XException.h"

#include <gtest/gtest.h>

#include <cstring>

#include <mutex>
#include <string>

namespace
{

struct Journal
{
    std::mutex lock;
    std::vector<std::string> lines;

    void Add(const std::string& line)
    {
        std::lock_guard<std::mutex> guard(lock);
        lines.push_back(line);
    }
};

std::vector<CSharedLoader::Step> Steps(Journal& journal, int failing)
{
    std::vector<CSharedLoader::Step> steps;
    static const char* const kNames[] = {"scenery", "walls", "cubes"};
    for (int i = 0; i < 3; ++i)
    {
        steps.push_back({kNames[i],
                         [&journal, i, failing](XString& error) {
                             journal.Add(std::string("load ") + kNames[i]);
                             if (i == failing)
                                 error = "missing file";
                             return i != failing;
                         },
                         [&journal, i] { journal.Add(std::string("unload ") + kNames[i]); }});
    }
    return steps;
}

TEST(SharedLoaderTest, LoadsInOrderOnItsThreadThenUnloadsInReverse)
{
    Journal journal;
    std::atomic<bool> levelFlag{false};
    {
        CSharedLoader loader(Steps(journal, -1), [&] { levelFlag = true; });
        EXPECT_TRUE(loader.Start());
        ASSERT_TRUE(loader.Wait(10000));
        EXPECT_TRUE(levelFlag);
        EXPECT_TRUE(loader.GetErrors().empty());
        EXPECT_TRUE(loader.Unload());
        EXPECT_FALSE(loader.Unload()) << "unloading twice would free twice";
    }
    const std::vector<std::string> expected = {"load scenery", "load walls",   "load cubes",
                                               "unload cubes", "unload walls", "unload scenery"};
    EXPECT_EQ(expected, journal.lines);
}

TEST(SharedLoaderTest, AFailingOrThrowingLoaderIsReportedAndTheOthersStillRun)
{
    Journal journal;
    auto steps = Steps(journal, 1);
    steps[2].load = [](XString&) -> bool { throw XException(XEXC_OUT_OF_MEMORY, "XBasicMesh", "out of memory"); };
    CSharedLoader loader(std::move(steps), nullptr);
    loader.Start();
    ASSERT_TRUE(loader.Wait(10000));
    ASSERT_EQ(2u, loader.GetErrors().size());
    EXPECT_NE(nullptr, std::strstr(loader.GetErrors()[0].GetBuffer(), "wall"));
    EXPECT_NE(nullptr, std::strstr(loader.GetErrors()[0].GetBuffer(), "missing file"));
    EXPECT_NE(nullptr, std::strstr(loader.GetErrors()[1].GetBuffer(), "out of memory"));
    EXPECT_TRUE(loader.Unload());
}

TEST(SharedLoaderTest, WaitGivesUpAfterItsTimeAndUnloadWaitsForTheThread)
{
    std::atomic<bool> release{false};
    std::atomic<bool> unloaded{false};
    std::vector<CSharedLoader::Step> steps = {{"slow",
                                               [&](XString&) {
                                                   while (!release)
                                                       std::this_thread::yield();
                                                   return true;
                                               },
                                               [&] { unloaded = true; }}};
    CSharedLoader loader(std::move(steps), nullptr);
    loader.Start();
    EXPECT_FALSE(loader.Wait(20));
    release = true;
    EXPECT_TRUE(loader.Unload());
    EXPECT_TRUE(unloaded);
}

} // namespace
