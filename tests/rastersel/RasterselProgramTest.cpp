// How Rastersel finds the data folder (as the game does) and what its command line accepts.
#include "RasterselTestKit.h"

#include "app/config/CGameFolders.h"
#include "platform/window/ProgramPath.h"
#include "rastersel/CRasterselProgram.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace
{

const char* const kKeyPath = "Software/Vantorel Software/Games/Plinkett3";

// A registry of its own for one test, holding the values given.
class PrivateRegistry
{
public:
    PrivateRegistry()
    {
        if (const char* old = std::getenv("VREGISTRY_DIR"))
            m_old = old;
        setenv("VREGISTRY_DIR", (folder.Root() / "registry").c_str(), 1);
    }
    ~PrivateRegistry()
    {
        if (m_old.empty())
            unsetenv("VREGISTRY_DIR");
        else
            setenv("VREGISTRY_DIR", m_old.c_str(), 1);
    }

    void Set(const char* root, const std::string& value) const
    {
        const fs::path key = folder.Root() / "registry" / root / kKeyPath;
        fs::create_directories(key);
        std::ofstream(key / "InstallPath", std::ios::binary) << value;
    }

private:
    InstallFolder folder;
    std::string m_old;
};

// Both programs' answer for the same registry; the game's is empty when it finds nothing.
void ExpectSameFolder(const std::string& expected)
{
    EXPECT_EQ(expected, CRasterselProgram::FindInstallFolder(XString()).GetBuffer());
    ASSERT_TRUE(CGameFolders::ReadConfiguration(XString()));
    EXPECT_EQ(expected, CGameFolders::Install().GetBuffer());
}

std::string RunWith(std::vector<const char*> args, int& exitCode)
{
    args.insert(args.begin(), "Rastersel");
    std::FILE* errors = std::tmpfile();
    CRasterselProgram program;
    exitCode = program.Run(static_cast<int>(args.size()), args.data(), errors);
    std::rewind(errors);
    std::string text;
    for (int c; (c = std::fgetc(errors)) != EOF;)
        text += static_cast<char>(c);
    std::fclose(errors);
    return text;
}

} // namespace

TEST(RasterselProgram, FindsTheInstallFolderInTheRegistryAsTheGameDoes)
{
    PrivateRegistry registry;
    registry.Set("HKEY_CURRENT_USER", "/games/user");
    ExpectSameFolder("/games/user\\");

    // The machine-wide value wins, unless it is empty; a line end from a shell tool is no part of it.
    registry.Set("HKEY_LOCAL_MACHINE", "/opt/plinkett3/\n");
    ExpectSameFolder("/opt/plinkett3/");
    registry.Set("HKEY_LOCAL_MACHINE", "");
    ExpectSameFolder("/games/user\\");
}

TEST(RasterselProgram, InstallDirStandsInForTheRegistryAndTheProgramFolderForNothing)
{
    PrivateRegistry registry;
    registry.Set("HKEY_CURRENT_USER", "/games/user");
    EXPECT_STREQ("/given/folder\\", CRasterselProgram::FindInstallFolder(XString("/given/folder")).GetBuffer());

    PrivateRegistry empty;
    // Rather than "\data\" at the root of the file system: the folder the program lies in.
    EXPECT_EQ(plk::ProgramFolder(), CRasterselProgram::FindInstallFolder(XString()).GetBuffer());
    EXPECT_STREQ("/install/data\\", CRasterselProgram::DataFolder(XString("/install/")).GetBuffer());
}

TEST(RasterselProgram, CommandLineItCannotUseIsRefusedWithItsUsage)
{
    int exitCode = -1;
    std::string errors = RunWith({"--full-screen"}, exitCode);
    EXPECT_EQ(CRasterselProgram::kExitUsage, exitCode);
    EXPECT_NE(std::string::npos, errors.find("\"--full-screen\"")) << errors;
    EXPECT_NE(std::string::npos, errors.find("Usage: Rastersel [--install-dir DIR]")) << errors;

    errors = RunWith({"--install-dir"}, exitCode);
    EXPECT_EQ(CRasterselProgram::kExitUsage, exitCode) << "a folder must follow";

    errors = RunWith({"--help"}, exitCode);
    EXPECT_EQ(0, exitCode);
    EXPECT_EQ(0u, errors.find("Usage: Rastersel")) << errors;
}

TEST(RasterselProgram, WithoutADisplayItSaysSoAndWritesNothing)
{
    InstallFolder install;
    const char* binary = std::getenv("PLK_BINARY_DIR");
    ASSERT_NE(nullptr, binary);
    const fs::path output = install.Root() / "output.txt";
    const std::string command = "env -u DISPLAY '" + (fs::path(binary) / "stage" / "Rastersel").string() +
                                "' --install-dir '" + install.Root().string() + "' 2> '" + output.string() + "'";
    EXPECT_EQ(0, std::system(command.c_str()));
    std::ifstream in(output);
    const std::string errors((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(std::string::npos, errors.find("Rastersel: the dialog cannot be shown: cannot open the X display"))
        << errors;
    EXPECT_EQ("(absent)", install.ReadFile());
}
