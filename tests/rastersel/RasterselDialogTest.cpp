// The video-mode dialog driven through its controls on a screen of given modes, checked by the
// bytes of "VideoMode.xml" or by the file staying as it was.
#include "RasterselTestKit.h"

#include "platform/window/Display.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace fs = std::filesystem;
using plk::DisplayMode;
using plk::PixelFormat;

namespace
{

const int kOk = CRasterselDialog::kIdOk;
const int kCancel = CRasterselDialog::kIdCancel;
const int kDefault = CRasterselDialog::kIdDefault;
const int kFullScreen = CRasterselDialog::kIdFullScreen;

// A screen's modes in its own order, neither sorted nor unique.
const std::vector<DisplayMode> kScreen = {
    {1920, 1080, 60, PixelFormat::kX8R8G8B8, 32},
    {1280, 1024, 75, PixelFormat::kX8R8G8B8, 32},
    {1024, 768, 60, PixelFormat::kR5G6B5, 16},
    {800, 600, 56, PixelFormat::kX8R8G8B8, 32},
    {1024, 768, 60, PixelFormat::kR5G6B5, 16},
};

const char* const kSomeFile = "<VideoMode>\r\n\t<Id>2</Id>\r\n\t<Width>1280</Width>\r\n\t<Height>1024</Height>\r\n"
                              "\t<BitsPerPixel>32</BitsPerPixel>\r\n\t<Hz>75</Hz>\r\n\t<FullScreen>true</FullScreen>"
                              "\r\n</VideoMode>";

class RasterselDialog : public ::testing::Test
{
protected:
    InstallFolder install;
};

} // namespace

TEST_F(RasterselDialog, ListsEveryModeInTheScreensOrderAfterTheCurrentModeLine)
{
    CRasterselDialog dialog(install.DataFolder());
    DialogView view;
    RunDialog(dialog, kScreen, {Expect([&](CRasterselDialog& d) { view = Look(d); }), Press(kCancel)});
    const std::vector<std::string> expected = {
        "Use my current screen mode (Always valid)",
        "Resolution: 1920x1080, color depth: 32bits, frequency: 60Hz",
        "Resolution: 1280x1024, color depth: 32bits, frequency: 75Hz",
        "Resolution: 1024x768, color depth: 16bits, frequency: 60Hz",
        "Resolution: 800x600, color depth: 32bits, frequency: 56Hz",
        "Resolution: 1024x768, color depth: 16bits, frequency: 60Hz",
    };
    EXPECT_EQ(expected, view.entries);
    // No file: the defaults, Id 0 selected and a window.
    EXPECT_EQ(0, view.selected);
    EXPECT_FALSE(view.fullScreen);
    EXPECT_EQ("Selected mode = Use my current screen mode (Always valid)", view.selectedText);
    EXPECT_EQ("(absent)", install.ReadFile()) << "Cancel writes nothing";
}

TEST_F(RasterselDialog, FirstRealModeWritesItsOwnValuesWithId1)
{
    CRasterselDialog dialog(install.DataFolder());
    RunDialog(dialog, kScreen, {Choose(1), Press(kOk)});
    EXPECT_TRUE(dialog.WasWritten()) << dialog.GetWriteError();
    EXPECT_EQ(VideoModeText(1, 1920, 1080, 32, 60, false), install.ReadFile());
}

TEST_F(RasterselDialog, EntryZeroAfterAnotherWritesId0AndZeros)
{
    CRasterselDialog dialog(install.DataFolder());
    std::string shown;
    RunDialog(dialog, kScreen,
              {Choose(2), Choose(0), Expect([&](CRasterselDialog& d) { shown = Look(d).selectedText; }), Press(kOk)});
    EXPECT_EQ("Selected mode = Use my current screen mode (Always valid)", shown);
    EXPECT_EQ(VideoModeText(0, 0, 0, 0, 0, false), install.ReadFile());
}

TEST_F(RasterselDialog, DefaultTwiceThenAModeWritesWhatThatEntryShows)
{
    install.WriteFile(kSomeFile);
    CRasterselDialog dialog(install.DataFolder());
    DialogView afterDefault;
    DialogView chosen;
    RunDialog(dialog, kScreen,
              {Press(kDefault), Press(kDefault), Expect([&](CRasterselDialog& d) { afterDefault = Look(d); }),
               Choose(3), Expect([&](CRasterselDialog& d) { chosen = Look(d); }), Press(kOk)});
    // Default refills the list rather than adding to it, selects entry 0 and clears the box.
    EXPECT_EQ(kScreen.size() + 1, afterDefault.entries.size());
    EXPECT_EQ(0, afterDefault.selected);
    EXPECT_FALSE(afterDefault.fullScreen);
    EXPECT_EQ("Resolution: 1024x768, color depth: 16bits, frequency: 60Hz", chosen.entries[3]);
    EXPECT_EQ("Selected mode = Resolution: 1024x768, color depth: 16bits, frequency: 60Hz", chosen.selectedText);
    EXPECT_EQ(VideoModeText(3, 1024, 768, 16, 60, false), install.ReadFile());
}

TEST_F(RasterselDialog, DefaultThenOkWritesId0ZerosAndTheCheckBoxAsShown)
{
    install.WriteFile(kSomeFile);
    CRasterselDialog cleared(install.DataFolder());
    RunDialog(cleared, kScreen, {Press(kDefault), Press(kOk)});
    EXPECT_EQ(VideoModeText(0, 0, 0, 0, 0, false), install.ReadFile());

    // The player may check the box again after Default: OK writes what the box shows.
    install.WriteFile(kSomeFile);
    CRasterselDialog checked(install.DataFolder());
    RunDialog(checked, kScreen, {Press(kDefault), Press(kFullScreen), Press(kOk)});
    EXPECT_EQ(VideoModeText(0, 0, 0, 0, 0, true), install.ReadFile());
}

TEST_F(RasterselDialog, IdBeyondTheListSelectsNothingAndOkKeepsTheRecord)
{
    const std::string file = VideoModeText(9, 1600, 1200, 32, 85, true);
    install.WriteFile(file);
    CRasterselDialog dialog(install.DataFolder());
    DialogView view;
    RunDialog(dialog, kScreen, {Expect([&](CRasterselDialog& d) { view = Look(d); }), Press(kOk)});
    EXPECT_EQ(-1, view.selected);
    EXPECT_EQ("Selected mode = ", view.selectedText);
    EXPECT_TRUE(view.fullScreen);
    EXPECT_EQ(file, install.ReadFile());
}

TEST_F(RasterselDialog, Id3SelectsTheFourthEntryWhateverTheScreenNowOffers)
{
    // Written for another screen: the numbers match none of today's modes.
    install.WriteFile(VideoModeText(3, 640, 480, 8, 70, false));
    const std::vector<std::vector<DisplayMode>> screens = {
        kScreen,
        {{2560, 1440, 144, PixelFormat::kX8R8G8B8, 32}, {2560, 1440, 60, PixelFormat::kX8R8G8B8, 32},
         {1366, 768, 60, PixelFormat::kR8G8B8, 24}, {1280, 720, 60, PixelFormat::kX8R8G8B8, 32}},
    };
    for (const std::vector<DisplayMode>& screen : screens)
    {
        CRasterselDialog dialog(install.DataFolder());
        DialogView view;
        RunDialog(dialog, screen, {Expect([&](CRasterselDialog& d) { view = Look(d); }), Press(kOk)});
        EXPECT_EQ(3, view.selected);
        EXPECT_EQ("Selected mode = " + view.entries[3], view.selectedText);
        // Nothing was chosen: OK keeps the record's own numbers.
        EXPECT_EQ(VideoModeText(3, 640, 480, 8, 70, false), install.ReadFile());
    }
}

TEST_F(RasterselDialog, CancelOrClosingAfterAChangeLeavesTheFileAlone)
{
    // Hand-written in a layout the dialog would never write: any write would show.
    const std::string file = "<VideoMode><Id>1</Id><Width>1920</Width><Height>1080</Height></VideoMode>\n";
    install.WriteFile(file);
    CRasterselDialog cancelled(install.DataFolder());
    RunDialog(cancelled, kScreen, {Choose(4), Press(kFullScreen), Press(kDefault), Choose(2), Press(kCancel)});
    EXPECT_EQ(file, install.ReadFile());

    CRasterselDialog closed(install.DataFolder());
    RunDialog(closed, kScreen, {Choose(4), Press(kFullScreen), CloseWindow()});
    EXPECT_EQ(file, install.ReadFile());
}

TEST_F(RasterselDialog, ChoosingTheSelectedEntryAgainChangesNothing)
{
    install.WriteFile(VideoModeText(2, 1, 2, 3, 4, false));
    CRasterselDialog dialog(install.DataFolder());
    RunDialog(dialog, kScreen, {Choose(2), Press(kOk)});
    EXPECT_EQ(VideoModeText(2, 1, 2, 3, 4, false), install.ReadFile());
}

TEST_F(RasterselDialog, MoreThan1024ModesListsTheFirst1024)
{
    std::vector<DisplayMode> many;
    for (int i = 0; i < 1500; ++i)
        many.push_back({4000 - i, 3000 - i, 60, PixelFormat::kX8R8G8B8, 32});
    CRasterselDialog dialog(install.DataFolder());
    DialogView view;
    RunDialog(dialog, many, {Expect([&](CRasterselDialog& d) { view = Look(d); }), Choose(1024), Press(kOk)});
    ASSERT_EQ(1025u, view.entries.size());
    EXPECT_EQ("Resolution: 2977x1977, color depth: 32bits, frequency: 60Hz", view.entries[1024]);
    EXPECT_EQ(VideoModeText(1024, 2977, 1977, 32, 60, false), install.ReadFile());
}

TEST_F(RasterselDialog, PaletteModesAreSkippedAndLaterEntriesMoveUp)
{
    const std::vector<DisplayMode> screen = {
        {1024, 768, 60, PixelFormat::kP8, 8},
        {1024, 768, 60, PixelFormat::kX8R8G8B8, 32},
        {800, 600, 60, PixelFormat::kUnknown, 4},
        {800, 600, 72, PixelFormat::kX1R5G5B5, 16},
    };
    CRasterselDialog dialog(install.DataFolder());
    DialogView view;
    RunDialog(dialog, screen, {Expect([&](CRasterselDialog& d) { view = Look(d); }), Choose(2), Press(kOk)});
    const std::vector<std::string> expected = {
        "Use my current screen mode (Always valid)",
        "Resolution: 1024x768, color depth: 32bits, frequency: 60Hz",
        "Resolution: 800x600, color depth: 16bits, frequency: 72Hz",
    };
    EXPECT_EQ(expected, view.entries);
    EXPECT_EQ(VideoModeText(2, 800, 600, 16, 72, false), install.ReadFile());
}

TEST_F(RasterselDialog, NoModesLeavesTheCurrentModeLineAlone)
{
    CRasterselDialog dialog(install.DataFolder());
    DialogView view;
    RunDialog(dialog, {}, {Expect([&](CRasterselDialog& d) { view = Look(d); }), Press(kOk)});
    EXPECT_EQ(std::vector<std::string>{"Use my current screen mode (Always valid)"}, view.entries);
    EXPECT_EQ(0, view.selected);
    // Untouched defaults, as read from no file.
    EXPECT_EQ(VideoModeText(0, 800, 600, 16, 60, false), install.ReadFile());
}

TEST_F(RasterselDialog, UnreadableOrDamagedFileOpensAllTheSame)
{
    // A file nobody may read.
    install.WriteFile(kSomeFile);
    fs::permissions(install.File(), fs::perms::none);
    std::unique_ptr<CRasterselDialog> unreadable;
    {
        AsUnprivilegedUser nobody;
        unreadable = std::make_unique<CRasterselDialog>(install.DataFolder());
    }
    DialogView defaults;
    RunDialog(*unreadable, kScreen, {Expect([&](CRasterselDialog& d) { defaults = Look(d); }), Press(kCancel)});
    EXPECT_EQ(0, defaults.selected);
    EXPECT_FALSE(defaults.fullScreen);
    EXPECT_EQ(800, unreadable->GetSettings().Width);
    fs::permissions(install.File(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(kSomeFile, install.ReadFile());

    // Damaged text reads as far as it goes: missing numbers are 0, the dialog opens all the same.
    install.WriteFile("<VideoMode><Id>1</Id><Width>12");
    CRasterselDialog damaged(install.DataFolder());
    DialogView view;
    RunDialog(damaged, kScreen, {Expect([&](CRasterselDialog& d) { view = Look(d); }), Press(kCancel)});
    EXPECT_EQ(1, view.selected);
    EXPECT_EQ("<VideoMode><Id>1</Id><Width>12", install.ReadFile());
}

TEST_F(RasterselDialog, ReadOnlyDataFolderClosesTheDialogAndLosesNothing)
{
    install.WriteFile(kSomeFile);
    fs::permissions(install.Data(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                        fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    CRasterselDialog dialog(install.DataFolder());
    RunDialog(dialog, kScreen, {Choose(1), [](CRasterselDialog& d) {
                                    AsUnprivilegedUser nobody;
                                    Press(kOk)(d);
                                }});
    EXPECT_FALSE(dialog.WasWritten());
    EXPECT_NE(std::string::npos, std::string(dialog.GetWriteError()).find("WriteFile failed")) << dialog.GetWriteError();
    EXPECT_EQ(kSomeFile, install.ReadFile());
    // No half-written replacement is left beside it.
    EXPECT_EQ(1, std::distance(fs::directory_iterator(install.Data()), fs::directory_iterator()));
}

TEST_F(RasterselDialog, MissingDataFolderIsCreated)
{
    fs::remove_all(install.Data());
    CRasterselDialog dialog(install.DataFolder());
    RunDialog(dialog, kScreen, {Choose(4), Press(kFullScreen), Press(kOk)});
    EXPECT_EQ(VideoModeText(4, 800, 600, 32, 56, true), install.ReadFile());
}
