// XString system members: registry values, computer name, system folder, GUIDs and the time.
#include "foundation/XString.h"
#include "platform/fs/Registry.h"
#include "tests/platform/FsScopedEnv.h"
#include "tests/platform/FsTempFolder.h"

#include <cctype>
#include <ctime>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace
{

std::string Text(const XString& s)
{
    return std::string(s.GetBuffer(), s.GetLength());
}

// Whether text has the shape given: '9' stands for a decimal digit, 'x' for a lower-case
// hexadecimal digit, any other character for itself.
bool HasShape(const std::string& text, const std::string& shape)
{
    if (text.size() != shape.size())
        return false;
    for (size_t i = 0; i < text.size(); ++i)
    {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const bool ok = shape[i] == '9'   ? std::isdigit(c) != 0
                        : shape[i] == 'x' ? std::isxdigit(c) && !std::isupper(c)
                                          : text[i] == shape[i];
        if (!ok)
            return false;
    }
    return true;
}

class XStringRegistry : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        m_temp.Put("HKEY_LOCAL_MACHINE/Software/Plinkett3/InstallPath", std::string("/opt/plinkett3/\0", 16));
        m_temp.Put("HKEY_CURRENT_USER/Software/Plinkett3/InstallPath", "/home/me/plk/");
        m_temp.Put("HKEY_CURRENT_USER/Software/Plinkett3/Empty", "");
    }

    FsTempFolder m_temp;
    ScopedEnv m_registry{"VREGISTRY_DIR", m_temp.Path().c_str()};
};

TEST_F(XStringRegistry, StringValuesReadWithOrWithoutTheirTerminator)
{
    XString s;
    ASSERT_TRUE(s.ReadRegistryValue("HKEY_LOCAL_MACHINE\\Software\\Plinkett3\\InstallPath"))
        << s.GetErrorMsg();
    EXPECT_EQ(Text(s), "/opt/plinkett3/");
    // Written by hand without a terminator: the last character is text and stays.
    ASSERT_TRUE(s.ReadRegistryValue("hkey_current_user\\software\\plinkett3\\installpath\\"))
        << s.GetErrorMsg();
    EXPECT_EQ(Text(s), "/home/me/plk/");
    ASSERT_TRUE(s.ReadRegistryValue("HKEY_CURRENT_USER\\Software\\Plinkett3\\Empty"));
    EXPECT_EQ(Text(s), "");
    EXPECT_STREQ(s.GetErrorMsg(), "");
}

TEST_F(XStringRegistry, FailuresReportTheWindowsCodes)
{
    XString s("before");
    EXPECT_FALSE(s.ReadRegistryValue("hkey_nowhere\\Software\\X"));
    EXPECT_STREQ(s.GetErrorMsg(),
                 "Error: in XString::ReadRegistryValue failed. Found unsupported key type = HKEY_NOWHERE");
    EXPECT_FALSE(s.ReadRegistryValue("HKEY_CURRENT_USER\\Software\\Missing\\InstallPath"));
    EXPECT_STREQ(s.GetErrorMsg(), "Error: in XString::ReadRegistryValue RegOpenKey failed. Code = 2");
    EXPECT_FALSE(s.ReadRegistryValue("HKEY_CURRENT_USER\\Software\\Plinkett3\\Missing"));
    EXPECT_STREQ(s.GetErrorMsg(), "Error: in XString::ReadRegistryValue RegQueryValueEx failed. Code = 2");
    // A key is no value, and no path climbs out of the registry folder.
    EXPECT_FALSE(s.ReadRegistryValue("HKEY_CURRENT_USER\\Software\\Plinkett3"));
    EXPECT_STREQ(s.GetErrorMsg(), "Error: in XString::ReadRegistryValue RegQueryValueEx failed. Code = 2");
    EXPECT_FALSE(
        s.ReadRegistryValue("HKEY_CURRENT_USER\\..\\HKEY_LOCAL_MACHINE\\Software\\Plinkett3\\InstallPath"));
    EXPECT_STREQ(s.GetErrorMsg(), "Error: in XString::ReadRegistryValue RegOpenKey failed. Code = 2");
    EXPECT_FALSE(s.ReadRegistryValue(
        "HKEY_CURRENT_USER\\Software\\../../HKEY_LOCAL_MACHINE/Software/Plinkett3/InstallPath"));
    EXPECT_STREQ(s.GetErrorMsg(), "Error: in XString::ReadRegistryValue RegQueryValueEx failed. Code = 2");
    EXPECT_EQ(Text(s), "before");
}

TEST(XStringRegistryRoots, RootsLiveWhereTheEnvironmentSays)
{
    ScopedEnv noOverride("VREGISTRY_DIR", nullptr);
    {
        ScopedEnv config("XDG_CONFIG_HOME", "/cfg");
        EXPECT_EQ(plk::fs::RegistryKey::RootFolder("HKEY_CURRENT_USER"), "/cfg/vregistry/HKEY_CURRENT_USER");
    }
    {
        // The XDG base directory rules ignore a relative XDG_CONFIG_HOME.
        ScopedEnv config("XDG_CONFIG_HOME", "relative/ignored");
        ScopedEnv home("HOME", "/home/player");
        EXPECT_EQ(plk::fs::RegistryKey::RootFolder("HKEY_CURRENT_USER"),
                  "/home/player/.config/vregistry/HKEY_CURRENT_USER");
    }
    EXPECT_EQ(plk::fs::RegistryKey::RootFolder("HKEY_LOCAL_MACHINE"), "/etc/vregistry/HKEY_LOCAL_MACHINE");
    ScopedEnv override("VREGISTRY_DIR", "/tmp/reg");
    EXPECT_EQ(plk::fs::RegistryKey::RootFolder("HKEY_CURRENT_USER"), "/tmp/reg/HKEY_CURRENT_USER");
    EXPECT_EQ(plk::fs::RegistryKey::RootFolder("HKEY_USERS"), "/tmp/reg/HKEY_USERS");
}

TEST(XStringSystem, ComputerNameAndSystemDirectory)
{
    char host[256] = {};
    ASSERT_EQ(gethostname(host, sizeof(host) - 1), 0);
    XString name("old");
    ASSERT_TRUE(name.GetComputerName());
    EXPECT_EQ(Text(name), host);

    XString system;
    ASSERT_TRUE(system.GetSystemDirectory());
    EXPECT_TRUE(system.EndsWith('\\')) << Text(system);
    EXPECT_TRUE(system.DirectoryExists()) << Text(system);
}

TEST(XStringSystem, GuidsInBothForms)
{
    XString a;
    XString b;
    ASSERT_TRUE(a.CreateGuid(false));
    ASSERT_TRUE(b.CreateGuid(false));
    EXPECT_TRUE(HasShape(Text(a), "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx")) << Text(a);
    EXPECT_NE(Text(a), Text(b));
    ASSERT_TRUE(a.CreateGuid(true));
    EXPECT_TRUE(HasShape(Text(a), std::string(32, 'x'))) << Text(a);
}

TEST(XStringSystem, TimeInDefaultAndGivenPatterns)
{
    XString s;
    ASSERT_TRUE(s.GetTime(nullptr, false)) << s.GetErrorMsg();
    EXPECT_TRUE((HasShape(Text(s), "99/99/9999 99:99:99 AM") || HasShape(Text(s), "99/99/9999 99:99:99 PM")))
        << Text(s);

    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    ASSERT_TRUE(s.GetTime("YYYYMMDDHHmmssii", true));
    ASSERT_EQ(s.GetLength(), 17u) << Text(s);
    // The year, month and day of now in UTC, unless midnight passed between the two readings.
    char expected[16];
    std::strftime(expected, sizeof(expected), "%Y%m%d", &utc);
    EXPECT_EQ(Text(s).substr(0, 8), expected);

    XString kept("kept");
    EXPECT_FALSE(kept.GetTime("YYYY-xx", false));
    EXPECT_STREQ(kept.GetErrorMsg(), "Error: in XString::GetTime failed for Format=YYYY-xx");
    EXPECT_EQ(Text(kept), "kept");
}

} // namespace
