// The file-backed registry: where roots live and how keys and values read.
#include "platform/fs/Registry.h"
#include "tests/platform/FsScopedEnv.h"
#include "tests/platform/FsTempFolder.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace plk;

namespace
{

std::string Query(const fs::RegistryKey& key, const char* name, int& result)
{
    std::vector<char> data;
    result = key.QueryValue(name, data);
    return std::string(data.begin(), data.end());
}

TEST(FsRegistry, RootsLiveWhereTheEnvironmentSays)
{
    ScopedEnv noOverride("VREGISTRY_DIR", nullptr);
    {
        ScopedEnv config("XDG_CONFIG_HOME", "/cfg");
        EXPECT_EQ(fs::RegistryKey::RootFolder("HKEY_CURRENT_USER"), "/cfg/vregistry/HKEY_CURRENT_USER");
    }
    {
        ScopedEnv config("XDG_CONFIG_HOME", "relative/ignored");
        ScopedEnv home("HOME", "/home/player");
        EXPECT_EQ(fs::RegistryKey::RootFolder("HKEY_CURRENT_USER"),
                  "/home/player/.config/vregistry/HKEY_CURRENT_USER");
    }
    EXPECT_EQ(fs::RegistryKey::RootFolder("HKEY_LOCAL_MACHINE"), "/etc/vregistry/HKEY_LOCAL_MACHINE");
    EXPECT_EQ(fs::RegistryKey::RootFolder("HKEY_USERS"), "/etc/vregistry/HKEY_USERS");
    EXPECT_EQ(fs::RegistryKey::RootFolder("HKEY_BOGUS"), "");

    ScopedEnv override("VREGISTRY_DIR", "/tmp/reg");
    EXPECT_EQ(fs::RegistryKey::RootFolder("HKEY_CURRENT_USER"), "/tmp/reg/HKEY_CURRENT_USER");
    EXPECT_EQ(fs::RegistryKey::RootFolder("HKEY_LOCAL_MACHINE"), "/tmp/reg/HKEY_LOCAL_MACHINE");
}

TEST(FsRegistry, ValuesReadAsStoredBytesWithNamesIgnoringCase)
{
    FsTempFolder temp;
    ScopedEnv override("VREGISTRY_DIR", temp.Path().c_str());
    temp.Put("HKEY_LOCAL_MACHINE/Software/Plinkett3/InstallPath", std::string("/opt/plk/\0", 10));
    fs::RegistryKey key;
    ASSERT_EQ(key.Open("HKEY_LOCAL_MACHINE", "software\\PLINKETT3"), fs::kRegistrySuccess);
    int result = -1;
    EXPECT_EQ(Query(key, "installpath", result), std::string("/opt/plk/\0", 10));
    EXPECT_EQ(result, fs::kRegistrySuccess);
    Query(key, "Missing", result);
    EXPECT_EQ(result, fs::kRegistryNotFound);

    // A doubled or trailing backslash in the subkey path is harmless, as on Windows.
    EXPECT_EQ(key.Open("HKEY_LOCAL_MACHINE", "Software\\\\Plinkett3\\"), fs::kRegistrySuccess);
}

TEST(FsRegistry, MissingKeysBadRootsAndEscapingNamesAreRefused)
{
    FsTempFolder temp;
    ScopedEnv override("VREGISTRY_DIR", temp.Path().c_str());
    temp.Put("HKEY_CURRENT_USER/Software/Value", "v");
    temp.Put("secret", "outside the registry");
    fs::RegistryKey key;
    EXPECT_EQ(key.Open("HKEY_CURRENT_USER", "Software\\Nobody"), fs::kRegistryNotFound);
    EXPECT_EQ(key.Open("HKEY_LOCAL_MACHINE", ""), fs::kRegistryNotFound);
    EXPECT_EQ(key.Open("HKEY_NOWHERE", "Software"), fs::kRegistryBadRoot);
    // A value is not a key.
    EXPECT_EQ(key.Open("HKEY_CURRENT_USER", "Software\\Value"), fs::kRegistryNotFound);

    EXPECT_EQ(key.Open("HKEY_CURRENT_USER", "Software\\..\\.."), fs::kRegistryNotFound);
    ASSERT_EQ(key.Open("HKEY_CURRENT_USER", ""), fs::kRegistrySuccess);
    int result = -1;
    EXPECT_EQ(Query(key, "../secret", result), "");
    EXPECT_EQ(result, fs::kRegistryNotFound);
    Query(key, "..", result);
    EXPECT_EQ(result, fs::kRegistryNotFound);
    // A subkey is not a value.
    Query(key, "Software", result);
    EXPECT_EQ(result, fs::kRegistryNotFound);
}

} // namespace
