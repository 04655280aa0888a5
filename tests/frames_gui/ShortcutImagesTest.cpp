// The cheaper ways of drawing against the plain way: every shipped level, the title, the menu and
// the builder drawn with the device's shortcuts on and off agree within a small tolerance, twice in
// each run (the time on the status column changes between), and the status column redraws when a
// switch on it changes.
#include "engine/XDXSound.h"
#include "engine/XEngineOptions.h"
#include "engine/XGameEngine.h"
#include "engine/XRandom.h"
#include "game/CFieldObject.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "game/CPlayRules.h"
#include "game/CWallBlock.h"
#include "game/GameRandom.h"
#include "platform/image/Image.h"
#include "screens/CBuilderActions.h"
#include "screens/CGameMenu.h"
#include "screens/CPlayScreen.h"
#include "screens/CScreenFlow.h"
#include "screens/CStatusBar.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace
{
namespace fs = std::filesystem;

const unsigned kWidth = 1024, kHeight = 768;
const unsigned kStepMs = 25;
// Shots after the fade of a screen change, then a second and a bit later.
const int kFirstShotFrame = 30;
const int kSecondShotFrame = 72;
// Frames of a level shown before each of the two that are compared: it has loaded and drawn by then.
const int kLeadInFrames = 5;
const char* const kScreenViews[] = {"title", "menu", "builder"};
// A channel may differ by this much anywhere (rounding of a texel fetched nearest rather than
// blended at its own centre); beyond it, only this share of the pixels may differ (depth ties of
// two opaque surfaces drawn in the other order).
const int kChannelSlack = 2;
const double kOddPixelShare = 0.0005;
// The status column at 1024 x 768.
const int kColumnWidth = 256;

struct Difference
{
    int oddPixels = 0;
    int largest = 0;
};

// Over the columns x0 .. x1 - 1 of two images of one size.
// The builder's tool bar at this size: 256 design units at the design's own scale.
const int kToolBarW = 256;

Difference Compare(const plk::Image& a, const plk::Image& b, int x0 = 0, int x1 = kWidth)
{
    Difference d;
    for (int y = 0; y < a.height; ++y)
        for (int x = x0; x < x1; ++x)
        {
            int worst = 0;
            for (int c = 0; c < 3; ++c)
                worst = std::max(worst, std::abs(a.At(x, y)[c] - b.At(x, y)[c]));
            d.largest = std::max(d.largest, worst);
            d.oddPixels += worst > kChannelSlack ? 1 : 0;
        }
    return d;
}

class ShortcutImages : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        const fs::path data = PLK_DATA_DIR;
        ASSERT_TRUE(fs::exists(data / "levels")) << "the staged data folder is needed: " << data;
        s_folder = fs::temp_directory_path() / ("plk-shortcut-images-" + std::to_string(getpid()));
        fs::remove_all(s_folder);
        fs::create_directories(s_folder / "savedgames");
        for (const fs::directory_entry& entry : fs::directory_iterator(data))
            if (entry.path().filename() != "savedgames" && entry.path().filename() != "Logs")
                fs::create_symlink(entry.path(), s_folder / entry.path().filename());
        const XString media((s_folder.string() + "/").c_str());
        s_engine = std::make_unique<XGameEngine>();
        s_engine->SetPath(media);
        s_engine->SetFrameRate(0.0f, false);
        ASSERT_TRUE(s_engine->Setup(true, true, kWidth, kHeight, 32, -1, nullptr, nullptr))
            << s_engine->GetErrorMsg().GetBuffer();
        ASSERT_EQ(kWidth, s_engine->GetWidth());
        XEngineOptions options;
        options.fixedStepMs = kStepMs;
        options.captureDir = (s_folder.string() + "/shots/").c_str();
        ASSERT_TRUE(s_engine->SetOptions(options)) << s_engine->GetErrorMsg().GetBuffer();
        XDXSound::SetPath(media);
        XString error;
        ASSERT_TRUE(CPlayBlock::LoadShared(media, error) && CWallBlock::LoadShared(media, error) &&
                    CFieldObject::LoadShared(media, error))
            << error.GetBuffer();
        s_level = std::make_unique<CGameLevel>(s_engine.get());
        s_level->SetDataFolder(media);
        s_level->SetDifficulty(2);
        s_level->SetSharedLoaded(true);
    }

    static void TearDownTestSuite()
    {
        if (s_engine)
            s_engine->Free();
        CFieldObject::FreeShared();
        CWallBlock::FreeShared();
        CPlayBlock::FreeShared();
        s_level.reset();
        s_engine.reset();
        fs::remove_all(s_folder);
    }

    static std::vector<std::string> Levels()
    {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(PLK_DATA_DIR) / "levels"))
            if (entry.path().extension() == ".dat" && entry.path().stem() != CGameLevel::kLastEditedName)
                names.push_back(entry.path().stem().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // Shows a view from the same start every time: seeds, a fresh screen stack.
    static void Show(const std::string& view)
    {
        CGameRandom::Seed(1);
        XRandom::Effects().Seed(1);
        XGameEngine* engine = s_engine.get();
        CGameLevel* level = s_level.get();
        if (view == "title" || view == "menu")
        {
            ScreenFlow::ToTitle(engine, level);
            if (view == "menu")
                BuilderFlow::OpenMenu(engine, level, MenuMode::ChooseLevelSet);
        }
        else if (view == "builder")
        {
            BuilderFlow::OpenBuilder(engine, level, XString(CGameLevel::kNewBuilderLevel));
        }
        else
        {
            auto* play = new CPlayScreen(level, false, view.c_str(), false);
            auto* bar = new CStatusBar(level, false);
            bar->FollowPlay(play);
            engine->AddScreen(false, false, true, play, nullptr);
            engine->AddScreen(true, false, false, bar, nullptr);
        }
    }

    using FrameAction = std::function<void(int frame)>;

    // Plays frames until each of shotFrames, taking a screenshot there; act, when given, runs
    // before every frame.
    static std::vector<plk::Image> Shots(const std::vector<int>& shotFrames, bool shortcuts,
                                         const FrameAction& act = {})
    {
        s_engine->GetDevice()->SetShortcuts(shortcuts);
        std::vector<plk::Image> shots;
        bool quit = false;
        for (int frame = 0; frame <= shotFrames.back(); ++frame)
        {
            if (act)
                act(frame);
            const bool shot = std::find(shotFrames.begin(), shotFrames.end(), frame) != shotFrames.end();
            if (shot)
                s_engine->RequestScreenShot();
            const unsigned before = s_engine->m_screenShot.GetShotsTaken();
            EXPECT_TRUE(s_engine->Frame(quit)) << s_engine->GetErrorMsg().GetBuffer();
            if (!shot)
                continue;
            plk::Image image;
            const fs::path file = s_folder / "shots" / (std::to_string(before) + ".bmp");
            EXPECT_EQ(0, plk::LoadImageFile(file.string(), image)) << file;
            fs::remove(file);
            shots.push_back(std::move(image));
        }
        s_engine->GetDevice()->SetShortcuts(true);
        return shots;
    }

    // A level's look depends on the screen before it: the play screen (the builder's too) places
    // its lights by the view that screen left, and the rain of a level left goes on falling,
    // drawing random numbers, while the next one opens. So both images of a level or of the
    // builder follow the same short showing of it.
    static void LeadIn(const std::string& view)
    {
        if (view == "title" || view == "menu")
            return;
        Show(view);
        bool quit = false;
        for (int frame = 0; frame < kLeadInFrames; ++frame)
            EXPECT_TRUE(s_engine->Frame(quit)) << s_engine->GetErrorMsg().GetBuffer();
    }

    static void ExpectAlike(const std::string& view,
                            const std::vector<int>& shotFrames = {kFirstShotFrame, kSecondShotFrame},
                            const FrameAction& act = {})
    {
        // Thunder takes a random number only while its sound is not playing, which follows the
        // clock: without sounds the rain falls the same in both.
        XDXSound::EnableSounds(false);
        LeadIn(view);
        Show(view);
        const std::vector<plk::Image> plain = Shots(shotFrames, false, act);
        LeadIn(view);
        Show(view);
        const std::vector<plk::Image> quick = Shots(shotFrames, true, act);
        XDXSound::EnableSounds(true);
        ASSERT_EQ(plain.size(), quick.size()) << view;
        for (size_t i = 0; i < plain.size(); ++i)
        {
            ASSERT_EQ(kWidth, static_cast<unsigned>(plain[i].width)) << view;
            ASSERT_EQ(kWidth, static_cast<unsigned>(quick[i].width)) << view;
            // The builder's 3D view does not come back the same when the builder is opened again
            // on the same level (its board and terrain are kept from the showing before), so only
            // its tool bar is compared; the scene is the levels' and is compared with them.
            const Difference d = view == "builder" ? Compare(plain[i], quick[i], 0, kToolBarW)
                                                   : Compare(plain[i], quick[i]);
            EXPECT_LE(d.oddPixels, static_cast<int>(kOddPixelShare * kWidth * kHeight))
                << view << " shot " << i << ": " << d.oddPixels << " pixels differ by more than "
                << kChannelSlack << ", at most by " << d.largest;
        }
    }

    static inline fs::path s_folder;
    static inline std::unique_ptr<XGameEngine> s_engine;
    static inline std::unique_ptr<CGameLevel> s_level;
};

TEST_F(ShortcutImages, TitleMenuAndBuilderLookTheSame)
{
    for (const char* view : kScreenViews)
        ExpectAlike(view);
}

TEST_F(ShortcutImages, EveryShippedLevelLooksTheSame)
{
    const std::vector<std::string> levels = Levels();
    ASSERT_GE(levels.size(), 30u);
    for (const std::string& level : levels)
        ExpectAlike(level);
}

TEST_F(ShortcutImages, APushedCubeLooksTheSameWhileItSlidesAndOnceItRests)
{
    // A cube at rest is drawn into the kept scene; pushed, it is drawn over the scene kept without
    // it, and some frames after it stops it joins the scene again.
    const int kPushFrame = kFirstShotFrame;
    bool pushed = false;
    const FrameAction push = [&](int frame) {
        if (frame == 0)
            pushed = false;
        if (frame != kPushFrame)
            return;
        CGameLevel& level = *s_level;
        for (int i = 0; i < level.GetNumPlayBlocks() && !pushed; ++i)
        {
            CPlayBlock& cube = level.GetPlayBlock(i);
            const CPlayRules::Arrows arrows = CPlayRules::OfferedArrows(level, cube);
            for (int arrow = CPlayRules::kArrowPlusX; arrow < CPlayRules::kArrowCount && !pushed; ++arrow)
            {
                if (!arrows[static_cast<size_t>(arrow)])
                    continue;
                level.SetSelected(&cube);
                pushed = CPlayRules::Push(level, static_cast<CPlayRules::Arrow>(arrow));
            }
        }
        ASSERT_TRUE(pushed) << "a cube to push";
    };
    ExpectAlike("StdLevel1", {kPushFrame + 1, kPushFrame + 3, kPushFrame + 6, kSecondShotFrame + 40}, push);
}

TEST_F(ShortcutImages, TheStatusColumnShowsASwitchTurnedOffAtOnce)
{
    Show("StdLevel1");
    const std::vector<plk::Image> before = Shots({kFirstShotFrame}, true);
    XDXSound::EnableSounds(false);
    const std::vector<plk::Image> kept = Shots({0}, true);
    const std::vector<plk::Image> plain = Shots({0}, false);
    XDXSound::EnableSounds(true);
    ASSERT_EQ(1u, kept.size());
    ASSERT_EQ(1u, plain.size());
    ASSERT_EQ(1u, before.size());
    // The off mark is on the column in both ways, and the column is not what it was.
    EXPECT_EQ(0, Compare(kept[0], plain[0], 0, kColumnWidth).largest);
    EXPECT_GT(Compare(before[0], kept[0], 0, kColumnWidth).oddPixels, 0);
}

} // namespace
