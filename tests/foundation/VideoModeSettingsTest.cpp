// Tests of VideoModeSettings: the exact bytes of "VideoMode.xml", tolerant reading, defaults and failures.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "foundation/VideoModeSettings.h"

namespace
{

const char* const kFullScreenDefaults = "<VideoMode>\r\n"
                                        "\t<Id>0</Id>\r\n"
                                        "\t<Width>800</Width>\r\n"
                                        "\t<Height>600</Height>\r\n"
                                        "\t<BitsPerPixel>16</BitsPerPixel>\r\n"
                                        "\t<Hz>60</Hz>\r\n"
                                        "\t<FullScreen>true</FullScreen>\r\n"
                                        "</VideoMode>";

class VideoModeFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "plk-videomode-XXXXXX").string();
        ASSERT_NE(nullptr, mkdtemp(pattern.data()));
        m_root = pattern;
    }

    void TearDown() override { std::filesystem::remove_all(m_root); }

    // The data folder as the program spells it: backslashes, ending in one.
    std::string DataFolder() const { return m_root.string() + "\\data\\"; }
    std::filesystem::path FilePath() const { return m_root / "data" / "VideoMode.xml"; }

    void WriteRaw(const std::string& bytes) const
    {
        std::filesystem::create_directories(FilePath().parent_path());
        std::ofstream(FilePath(), std::ios::binary) << bytes;
    }

    std::string ReadRaw() const
    {
        std::ifstream in(FilePath(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    VideoModeSettings ReadBack(const std::string& bytes) const
    {
        WriteRaw(bytes);
        VideoModeSettings settings;
        EXPECT_TRUE(settings.Read(DataFolder().c_str()));
        return settings;
    }

    std::filesystem::path m_root;
};

void ExpectValues(const VideoModeSettings& s, int id, int width, int height, int bits, int hz, bool fullScreen)
{
    EXPECT_EQ(id, s.Id);
    EXPECT_EQ(width, s.Width);
    EXPECT_EQ(height, s.Height);
    EXPECT_EQ(bits, s.BitsPerPixel);
    EXPECT_EQ(hz, s.Hz);
    EXPECT_EQ(fullScreen, s.FullScreen);
}

} // namespace

TEST_F(VideoModeFile, WritesTheExactBytesAndCreatesTheFolder)
{
    VideoModeSettings settings;
    settings.FullScreen = true;
    ASSERT_TRUE(settings.Write(DataFolder().c_str())) << settings.GetErrorMsg();
    EXPECT_EQ(kFullScreenDefaults, ReadRaw());
    EXPECT_STREQ("", settings.GetErrorMsg());
}

TEST_F(VideoModeFile, WhatIsWrittenReadsBack)
{
    VideoModeSettings written;
    written.Id = 17;
    written.Width = 1920;
    written.Height = 1080;
    written.BitsPerPixel = 32;
    written.Hz = -1;
    ASSERT_TRUE(written.Write(DataFolder().c_str()));
    VideoModeSettings read;
    read.FullScreen = true;
    ASSERT_TRUE(read.Read(DataFolder().c_str()));
    ExpectValues(read, 17, 1920, 1080, 32, -1, false);

    // A folder written without its final separator names the same file.
    std::string bare = DataFolder();
    bare.pop_back();
    VideoModeSettings again;
    ASSERT_TRUE(again.Read(bare.c_str()));
    EXPECT_EQ(1920, again.Width);
}

TEST_F(VideoModeFile, ElementOrderAndWhiteSpaceDoNotMatter)
{
    ExpectValues(ReadBack("<VideoMode><FullScreen>true</FullScreen><Hz>75</Hz><BitsPerPixel>24</BitsPerPixel>"
                          "<Height>768</Height><Width>1024</Width><Id>3</Id></VideoMode>"),
                 3, 1024, 768, 24, 75, true);
    ExpectValues(ReadBack("<VideoMode>\n  <Id> 2</Id>\n  <Width>\t640</Width>\n<Height>480</Height>\n"
                          "<BitsPerPixel>16</BitsPerPixel> <Hz>60</Hz> <FullScreen>false</FullScreen>\n"
                          "</VideoMode>\n"),
                 2, 640, 480, 16, 60, false);
}

TEST_F(VideoModeFile, MissingElementsAndOddTextsReadAsZeroOrFalse)
{
    ExpectValues(ReadBack("<VideoMode><Width>1024</Width><Height>768</Height><BitsPerPixel>32</BitsPerPixel>"
                          "<FullScreen>TRUE</FullScreen></VideoMode>"),
                 0, 1024, 768, 32, 0, true);
    EXPECT_TRUE(ReadBack("<FullScreen>true1</FullScreen>").FullScreen);
    EXPECT_FALSE(ReadBack("<FullScreen>1</FullScreen>").FullScreen);
    EXPECT_FALSE(ReadBack("<FullScreen>yes</FullScreen>").FullScreen);
    EXPECT_FALSE(ReadBack("<FullScreen>true").FullScreen);
    ExpectValues(ReadBack(""), 0, 0, 0, 0, 0, false);
    ExpectValues(ReadBack("<Width>wide</Width><Height>-5</Height>"), 0, 0, -5, 0, 0, false);
}

TEST_F(VideoModeFile, UnreadableFileGivesTheDefaults)
{
    VideoModeSettings settings;
    settings.Id = 4;
    settings.Width = 1;
    settings.FullScreen = true;
    EXPECT_FALSE(settings.Read(DataFolder().c_str()));
    ExpectValues(settings, 0, 800, 600, 16, 60, false);

    // A folder where the file should be cannot be read either.
    std::filesystem::create_directories(FilePath());
    settings.Hz = 100;
    EXPECT_FALSE(settings.Read(DataFolder().c_str()));
    ExpectValues(settings, 0, 800, 600, 16, 60, false);
}

TEST_F(VideoModeFile, FailedWriteReportsWhyAndTheCallerCanCarryOn)
{
    // A plain file stands where the data folder would have to be created.
    std::ofstream(m_root / "blocker") << "x";
    std::string folder = m_root.string() + "\\blocker\\data\\";
    VideoModeSettings settings;
    EXPECT_FALSE(settings.Write(folder.c_str()));
    std::string error = settings.GetErrorMsg();
    EXPECT_EQ(0u, error.find("Error: in VideoModeSettings::Write, WriteFile failed. Msg=Error: in XString::WriteFile"))
        << error;
    ASSERT_TRUE(settings.Write(DataFolder().c_str()));
    EXPECT_STREQ("", settings.GetErrorMsg());
}

TEST(VideoModeDefaults, GameFillsZerosButKeepsTheRest)
{
    VideoModeSettings settings;
    settings.Id = 2;
    settings.Width = 0;
    settings.Height = 0;
    settings.BitsPerPixel = 0;
    settings.Hz = -1;
    settings.FullScreen = true;
    settings.ApplyGameDefaults();
    ExpectValues(settings, 2, 800, 600, 16, -1, true);

    settings.Width = 1280;
    settings.Height = 1024;
    settings.BitsPerPixel = 8;
    settings.Hz = 0;
    settings.ApplyGameDefaults();
    ExpectValues(settings, 2, 1280, 1024, 8, 60, true);
}

TEST(VideoModeDefaults, CurrentScreenModeMeansTheDesktopOrAFittingWindow)
{
    // What the tool writes for its first entry.
    VideoModeSettings settings;
    settings.Width = settings.Height = settings.BitsPerPixel = settings.Hz = 0;
    settings.FullScreen = true;
    ASSERT_TRUE(settings.IsCurrentScreenMode());
    settings.ApplyGameDefaults();
    ExpectValues(settings, 0, 0, 0, 0, -1, true);

    VideoModeSettings windowed;
    windowed.Width = windowed.Height = windowed.BitsPerPixel = windowed.Hz = 0;
    windowed.ApplyGameDefaults();
    ExpectValues(windowed, 0, 1024, 768, 0, -1, false);

    // A size written by hand beside Id 0 is a choice of its own, and missing only a width is not
    // the first entry either.
    VideoModeSettings byHand;
    byHand.Width = 640;
    byHand.Height = 480;
    byHand.Hz = 0;
    EXPECT_FALSE(byHand.IsCurrentScreenMode());
    byHand.ApplyGameDefaults();
    ExpectValues(byHand, 0, 640, 480, 16, 60, false);
    VideoModeSettings noWidth;
    noWidth.Width = 0;
    noWidth.ApplyGameDefaults();
    ExpectValues(noWidth, 0, 800, 600, 16, 60, false);
}
