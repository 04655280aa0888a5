// The start-up loader: order of loading and unloading, failures, and the flag the level sees.
#include "app/CSharedLoader.h"
#include "foundation/XException.h"

#include <gtest/gtest.h>

#include <cstring>
#include <mutex>
#include <new>
#include <stdexcept>
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
        EXPECT_TRUE(loader.TakeErrors().empty());
        EXPECT_TRUE(loader.Unload());
        EXPECT_FALSE(loader.Unload()) << "unloading twice would free twice";
    }
    const std::vector<std::string> expected = {"load scenery", "load walls",   "load cubes",
                                               "unload cubes", "unload walls", "unload scenery"};
    EXPECT_EQ(expected, journal.lines);
}

bool Mentions(const XString& line, const char* part)
{
    return std::strstr(line.GetBuffer(), part) != nullptr;
}

TEST(SharedLoaderTest, AFailingOrThrowingLoaderIsReportedAndTheOthersStillRun)
{
    Journal journal;
    auto steps = Steps(journal, 1);
    steps[2].load = [](XString&) -> bool { throw XException(XEXC_OUT_OF_MEMORY, "XBasicMesh", "out of memory"); };
    CSharedLoader loader(std::move(steps), nullptr);
    loader.Start();
    ASSERT_TRUE(loader.Wait(10000));
    const std::vector<XString> errors = loader.TakeErrors();
    ASSERT_EQ(2u, errors.size());
    EXPECT_TRUE(Mentions(errors[0], "walls")) << errors[0].GetBuffer();
    EXPECT_TRUE(Mentions(errors[0], "missing file")) << errors[0].GetBuffer();
    EXPECT_TRUE(Mentions(errors[1], "out of memory")) << errors[1].GetBuffer();
    EXPECT_TRUE(loader.TakeErrors().empty()) << "each failure is handed over once";
    EXPECT_TRUE(loader.Unload());
}

// Whatever a step throws on the loader thread is a failure of that step: the process goes on,
// the later steps run, the flag is set and the unloaders still run at shutdown.
TEST(SharedLoaderTest, AnyExceptionOnTheLoaderThreadIsAFailureOfItsStep)
{
    Journal journal;
    auto steps = Steps(journal, -1);
    steps[0].load = [](XString&) -> bool { throw std::bad_alloc(); };
    steps[1].load = [](XString&) -> bool { throw std::runtime_error("mesh file is truncated"); };
    steps.push_back({"odd", [](XString&) -> bool { throw 42; }, nullptr});
    std::atomic<bool> levelFlag{false};
    CSharedLoader loader(std::move(steps), [&] { levelFlag = true; });
    EXPECT_TRUE(loader.Start());
    ASSERT_TRUE(loader.Wait(10000));
    EXPECT_TRUE(levelFlag);
    const std::vector<XString> errors = loader.TakeErrors();
    ASSERT_EQ(3u, errors.size());
    EXPECT_TRUE(Mentions(errors[0], "loading the scenery failed. Msg=out of memory")) << errors[0].GetBuffer();
    EXPECT_TRUE(Mentions(errors[1], "loading the walls failed. Msg=mesh file is truncated")) << errors[1].GetBuffer();
    EXPECT_TRUE(Mentions(errors[2], "loading the odd failed. Msg=an exception of unknown type"))
        << errors[2].GetBuffer();
    EXPECT_EQ(std::vector<std::string>{"load cubes"}, journal.lines) << "the step after the throwing ones ran";
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
    EXPECT_TRUE(loader.TakeErrors().empty()) << "nothing is read from a loader that still runs";
    release = true;
    EXPECT_TRUE(loader.Unload());
    EXPECT_TRUE(unloaded);
}

} // namespace
