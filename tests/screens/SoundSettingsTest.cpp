// The music and sound switches' file: where it lives, what a damaged or missing file gives, and
// that a failed write keeps the old one.
#include "screens/CSoundSettings.h"
#include "tests/screens/ScreensTestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace
{

TEST(SoundSettingsTest, TheFileLivesInTheUsersConfigFolder)
{
    EXPECT_STREQ("/cfg/plinkett3/Settings.xml", CSoundSettings::FileFor("/cfg", "/home/ann").GetBuffer());
    EXPECT_STREQ("/cfg/plinkett3/Settings.xml", CSoundSettings::FileFor("/cfg/", "/home/ann").GetBuffer());
    EXPECT_STREQ("/home/ann/.config/plinkett3/Settings.xml", CSoundSettings::FileFor(nullptr, "/home/ann").GetBuffer());
    EXPECT_STREQ("/home/ann/.config/plinkett3/Settings.xml", CSoundSettings::FileFor("", "/home/ann").GetBuffer());
    EXPECT_STREQ("/home/ann/.config/plinkett3/Settings.xml", CSoundSettings::FileFor("rel/cfg", "/home/ann").GetBuffer())
        << "a relative XDG_CONFIG_HOME is ignored";
    EXPECT_TRUE(CSoundSettings::FileFor(nullptr, nullptr).IsEmpty()) << "nowhere to keep it: nothing is kept";
    EXPECT_TRUE(CSoundSettings::FileFor(nullptr, "relative").IsEmpty());
}

TEST(SoundSettingsTest, SwitchesTurnedOffComeBackOffInTheNextRun)
{
    ScreensTestFolder folder;
    const XString file((folder.DataFile("config/plinkett3/Settings.xml")).c_str());
    CSoundSettings written;
    written.music = false;
    written.sound = true;
    XString error;
    ASSERT_TRUE(written.Write(file, error)) << error.GetBuffer();

    CSoundSettings read;
    ASSERT_TRUE(read.Read(file));
    EXPECT_FALSE(read.music);
    EXPECT_TRUE(read.sound);

    written.music = true;
    written.sound = false;
    ASSERT_TRUE(written.Write(file, error));
    ASSERT_TRUE(read.Read(file));
    EXPECT_TRUE(read.music);
    EXPECT_FALSE(read.sound);
}

TEST(SoundSettingsTest, AMissingOrDamagedFileLeavesTheSwitchesOn)
{
    ScreensTestFolder folder;
    CSoundSettings settings;
    settings.music = settings.sound = false;
    EXPECT_FALSE(settings.Read(XString(folder.DataFile("none.xml").c_str())));
    EXPECT_TRUE(settings.music);
    EXPECT_TRUE(settings.sound);

    std::ofstream(folder.DataFile("bad.xml"), std::ios::binary) << "<Settings><Music>fal";
    ASSERT_TRUE(settings.Read(XString(folder.DataFile("bad.xml").c_str())));
    EXPECT_TRUE(settings.music) << "only a whole \"false\" turns a switch off";
    EXPECT_TRUE(settings.sound);

    std::ofstream(folder.DataFile("case.xml"), std::ios::binary) << "<Settings><Sound>FALSE</Sound></Settings>";
    ASSERT_TRUE(settings.Read(XString(folder.DataFile("case.xml").c_str())));
    EXPECT_TRUE(settings.music) << "a switch the file does not name stays on";
    EXPECT_FALSE(settings.sound);
}

TEST(SoundSettingsTest, AWriteThatFailsSaysWhyAndKeepsTheOldFile)
{
    ScreensTestFolder folder;
    const XString file(folder.DataFile("Settings.xml").c_str());
    CSoundSettings settings;
    settings.music = false;
    XString error;
    ASSERT_TRUE(settings.Write(file, error));
    // A file where the folder should be: no write can succeed below it, even as root.
    std::ofstream(folder.DataFile("blocked"), std::ios::binary) << "x";
    EXPECT_FALSE(settings.Write(XString(folder.DataFile("blocked/plinkett3/Settings.xml").c_str()), error));
    EXPECT_TRUE(error.Find("CSoundSettings::Write") >= 0) << error.GetBuffer();

    CSoundSettings read;
    ASSERT_TRUE(read.Read(file));
    EXPECT_FALSE(read.music) << "the earlier file is untouched";
}

} // namespace
