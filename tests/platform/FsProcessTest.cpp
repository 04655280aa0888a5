// Starting programs without waiting for them, and the owner-only file mode.
#include "platform/fs/FileWriter.h"
#include "platform/fs/Process.h"

#include "FsTempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <string_view>
#include <sys/stat.h>
#include <thread>

namespace
{

bool WaitForFile(const std::string& path)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!std::filesystem::exists(path))
    {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

unsigned ModeOf(const std::string& path)
{
    struct stat info{};
    return stat(path.c_str(), &info) == 0 ? info.st_mode & 0777u : 0u;
}

TEST(FsProcess, StartsAProgramGivenAsAPathOrANameWithItsArgumentsAndDoesNotWait)
{
    FsTempFolder folder;
    const std::string marker = folder.Path() + "/started";
    const auto before = std::chrono::steady_clock::now();
    ASSERT_EQ(0, plk::fs::StartProgram("\\bin\\sh", {"-c", "sleep 1; echo \"$0\" > \"$1\"", "one two", marker}));
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(900)) << "it must not wait";
    ASSERT_TRUE(WaitForFile(marker));

    const std::string second = folder.Path() + "/by-name";
    ASSERT_EQ(0, plk::fs::StartProgram("sh", {"-c", "touch \"$0\"", second}));
    EXPECT_TRUE(WaitForFile(second));
}

TEST(FsProcess, ProgramsThatCannotRunAreReported)
{
    FsTempFolder folder;
    folder.Put("not-a-program", "data");
    EXPECT_EQ(ENOENT, plk::fs::StartProgram(folder.ProgramPath("missing"), {}));
    EXPECT_EQ(ENOENT, plk::fs::StartProgram("no-such-program-anywhere", {}));
    EXPECT_EQ(EACCES, plk::fs::StartProgram(folder.ProgramPath("not-a-program"), {}));
    EXPECT_EQ(EINVAL, plk::fs::StartProgram("", {}));
    EXPECT_EQ(EINVAL, plk::fs::StartProgram("sh", {std::string("a\0b", 3)}));
    EXPECT_EQ(EINVAL, plk::fs::OpenWithDesktop(""));
}

TEST(FsProcess, OwnerOnlyNarrowsOrCreatesAndReplacingKeepsIt)
{
    FsTempFolder folder;
    folder.Put("wide", "old");
    const std::string wide = folder.Path() + "/wide";
    chmod(wide.c_str(), 0666);
    ASSERT_EQ(0, plk::fs::MakeOwnerOnly(folder.ProgramPath("wide")));
    EXPECT_EQ(0600u, ModeOf(wide));
    const std::string_view bytes = "secret";
    ASSERT_EQ(0, plk::fs::WriteWholeFile(folder.ProgramPath("wide"), bytes, plk::fs::WriteMode::kReplace));
    EXPECT_EQ(0600u, ModeOf(wide));

    ASSERT_EQ(0, plk::fs::MakeOwnerOnly(folder.ProgramPath("new")));
    EXPECT_EQ(0600u, ModeOf(folder.Path() + "/new"));
    EXPECT_EQ(0u, std::filesystem::file_size(folder.Path() + "/new"));
    EXPECT_EQ(ENOENT, plk::fs::MakeOwnerOnly(folder.ProgramPath("no\\such\\folder")));
}

} // namespace
