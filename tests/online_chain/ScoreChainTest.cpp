// The online chain below the startup dialog, every part of it real: the reference score server in
// this process on a free loopback port with its own database file, a player signed up on its page
// and logged in by the game's login call, the first standard level won through the rules by its
// recorded solution, the level-complete card's continue, the score worker, and the status line of
// the next level as the play screen fills it. Then the same with the server gone.
#include "game/CGameLevel.h"
#include "online/CLoginInfo.h"
#include "screens/CScoreUploads.h"
#include "screens/LevelCompletion.h"
#include "server/CScoreServer.h"
#include "server/CServerOptions.h"
#include "server/CSqliteScoreStore.h"
#include "tools/levelplay/LevelReplay.h"

#include <httplib.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace plk::server;

namespace
{

using Clock = std::chrono::steady_clock;

const char* const kFirstLevel = "StdLevel1";
const char* const kSecondLevel = "StdLevel2";
// Ten minutes of frames, more than any level's time.
const int kMaxFrames = 24000;
const char* const kPlayer = "Chain Player";
const char* const kRival = "Rival";
const char* const kPassword = "secret-1";
const int kRivalTotal = 1000000;
// What the level-complete continue may hold the game for while a worker takes over the posting.
const auto kFlowLimit = std::chrono::milliseconds(50);
// A worker stuck on the network would hold the shutdown for CScorePoster::kShutdownMs.
const auto kIdleShutdownLimit = std::chrono::milliseconds(100);

std::string Str(const XString& text)
{
    return std::string(text.GetBuffer(), text.GetLength());
}

std::string Env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

fs::path StageDir()
{
    return fs::path(Env("PLK_BINARY_DIR")) / "stage";
}

long long Micros(Clock::duration d)
{
    return static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(d).count());
}

class ScoreChainTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        static std::atomic<int> counter{0};
        m_folder = fs::temp_directory_path() /
                   ("plk_chain_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
        std::string error;
        m_store = CSqliteScoreStore::Open(DatabasePath(), error);
        ASSERT_TRUE(m_store) << error;
        // The series the staged program would take from the install folder's level-set list.
        m_service = std::make_unique<CScoreService>(*m_store, KnownSeries(StageDir().string()));
        m_server = std::make_unique<CScoreServer>(*m_service);
        ASSERT_TRUE(m_server->Start("127.0.0.1", 0, error)) << error;
        m_port = m_server->GetPort();
        m_config.baseUrl = ("http://127.0.0.1:" + std::to_string(m_port) + "/").c_str();
        CScoreUploads::Configure(m_config);
    }

    void TearDown() override
    {
        CScoreUploads::Shutdown();
        CScoreUploads::SetLogin(CScoreLogin());
        if (m_server)
            m_server->Stop();
        m_server.reset();
        m_service.reset();
        m_store.reset();
        fs::remove_all(m_folder);
    }

    std::string DatabasePath() const { return (m_folder / "scores.sqlite").string(); }

    void SignUp(const char* name)
    {
        httplib::Client http("127.0.0.1", m_port);
        http.set_read_timeout(5, 0);
        const httplib::Params form{{"name", name}, {"password", kPassword}, {"password2", kPassword}};
        auto res = http.Post("/signup", form);
        ASSERT_TRUE(res);
        ASSERT_EQ(200, res->status) << res->body;
    }

    // What the startup dialog hands on after a successful login.
    void LogIn()
    {
        CLoginInfo login(m_config);
        ASSERT_TRUE(login.Login(kPlayer, kPassword, true)) << login.GetCallError().GetBuffer();
        ASSERT_FALSE(login.m_strLoginTicket.IsEmpty());
        CScoreLogin handed;
        handed.userName = login.m_strUserName;
        handed.ticket = login.m_strLoginTicket;
        handed.uploadScores = login.m_bUploadScores;
        CScoreUploads::SetLogin(handed);
    }

    // A game of the rival's on the board already, far ahead: the rank must count it.
    void RivalAhead()
    {
        SignUp(kRival);
        std::optional<CPlayer> rival;
        std::string error;
        ASSERT_TRUE(m_store->FindPlayer(kRival, rival, error)) << error;
        ASSERT_TRUE(rival);
        CScorePosting posting;
        posting.playerId = rival->id;
        posting.series = "StdLevel";
        posting.gameSession = "RivalsGame";
        posting.difficulty = CLevelReplay::kHardest;
        posting.level = 9;
        posting.total = kRivalTotal;
        CRank rank;
        ASSERT_TRUE(m_store->RecordScore(posting, rank, error)) << error;
    }

    // Plays the first standard level to its end as a player would.
    static void WinFirstLevel(CLevelReplay& replay)
    {
        CLevelSolution solution;
        const fs::path path = fs::path(Env("PLK_SOURCE_DIR")) / "content" / "levels" / "solutions" /
                              (std::string(kFirstLevel) + ".sol");
        ASSERT_TRUE(solution.ReadFile(path.string().c_str())) << solution.GetErrorMsg().GetBuffer();
        ASSERT_TRUE(replay.Load(kFirstLevel, solution.GetSeed())) << replay.GetErrorMsg().GetBuffer();
        ASSERT_FALSE(replay.GetLevel().GetGameSession().IsEmpty()) << "a first level starts a game";
        ASSERT_TRUE(replay.Play(solution, kMaxFrames)) << replay.GetErrorMsg().GetBuffer();
        ASSERT_TRUE(replay.GetResult().won) << replay.GetResult().blocksLeft << " cubes left";
    }

    // The card's continue without the screens, timed, then the next level loaded as the play
    // screen loads it.
    static Clock::duration ContinueToNextLevel(CGameLevel& level)
    {
        XString next;
        const auto start = Clock::now();
        const CLevelCompletion::Next decision =
            CLevelCompletion::Finish(level, CScoreUploads::GetLogin(), next);
        const Clock::duration held = Clock::now() - start;
        EXPECT_EQ(CLevelCompletion::Next::kNextLevel, decision);
        EXPECT_EQ(kSecondLevel, Str(next));
        EXPECT_TRUE(level.Load(next, false, false)) << level.GetErrorMsg().GetBuffer();
        return held;
    }

    // The play screen's status line, frame after frame: the arrived answer handed over, then the
    // shown test at the level's clock (no engine: 0). How long until it showed, or nothing.
    static std::optional<Clock::duration> StatusShownWithin(CGameLevel& level, Clock::duration limit)
    {
        const auto start = Clock::now();
        do
        {
            CScoreUploads::Deliver(level);
            if (level.IsStatusMessageShown(0))
                return Clock::now() - start;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        } while (Clock::now() - start < limit);
        return std::nullopt;
    }

    fs::path m_folder;
    std::unique_ptr<CSqliteScoreStore> m_store;
    std::unique_ptr<CScoreService> m_service;
    std::unique_ptr<CScoreServer> m_server;
    int m_port = 0;
    CServiceConfig m_config;
};

TEST_F(ScoreChainTest, WonLevelIsRankedOnTheNextLevelsStatusLineAndKeptInTheDatabase)
{
    RivalAhead();
    SignUp(kPlayer);
    LogIn();

    CLevelReplay replay((StageDir() / "data").string().append("/").c_str());
    WinFirstLevel(replay);
    if (HasFatalFailure())
        return;
    CGameLevel& level = replay.GetLevel();
    const auto card = CLevelCompletion::Lines(level);
    const int cardTotal = level.GameTotal(true);
    ASSERT_EQ(std::to_string(cardTotal), Str(card[CLevelCompletion::kLineCount - 1].value));
    ASSERT_GT(cardTotal, 0);
    ASSERT_LT(cardTotal, kRivalTotal);
    EXPECT_TRUE(level.GetStatusMessage().IsEmpty());

    const Clock::duration held = ContinueToNextLevel(level);
    EXPECT_LT(held, kFlowLimit);
    EXPECT_EQ(cardTotal, level.GetTotalScore()) << "the next level starts from the total that was posted";

    const auto shown = StatusShownWithin(level, std::chrono::seconds(5));
    ASSERT_TRUE(shown) << "no answer reached the status line";
    EXPECT_EQ("Rank 2 of 2 (StdLevel, hard)", Str(level.GetStatusMessage()));
    EXPECT_FALSE(level.IsStatusMessageShown(CGameLevel::kStatusMessageMs)) << "the line goes away again";
    std::printf("server up: continue held the flow %lld us; the rank showed %lld us after the next level loaded\n",
                Micros(held), Micros(*shown));

    // What the server acknowledged is on disk: read back through a connection of its own once
    // the server has stopped.
    m_server->Stop();
    std::string error;
    auto reopened = CSqliteScoreStore::Open(DatabasePath(), error);
    ASSERT_TRUE(reopened) << error;
    std::vector<CScoreRow> rows;
    ASSERT_TRUE(reopened->TopScores({"StdLevel", CLevelReplay::kHardest}, 10, rows, error)) << error;
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ(kRival, rows[0].playerName);
    EXPECT_EQ(kPlayer, rows[1].playerName);
    EXPECT_EQ(1, rows[1].level);
    EXPECT_EQ(cardTotal, rows[1].total);
}

TEST_F(ScoreChainTest, WithTheServerStoppedTheFlowGoesOnAtOnceShowsNothingAndNeverHangs)
{
    SignUp(kPlayer);
    LogIn();
    // The server goes away after the login, while the level is played.
    m_server->Stop();

    CLevelReplay replay((StageDir() / "data").string().append("/").c_str());
    WinFirstLevel(replay);
    if (HasFatalFailure())
        return;
    CGameLevel& level = replay.GetLevel();
    CLevelCompletion::Lines(level);
    const int cardTotal = level.GameTotal(true);

    const Clock::duration held = ContinueToNextLevel(level);
    EXPECT_LT(held, kFlowLimit);
    EXPECT_EQ(cardTotal, level.GetTotalScore());
    EXPECT_FALSE(StatusShownWithin(level, std::chrono::milliseconds(500))) << Str(level.GetStatusMessage());
    EXPECT_TRUE(level.GetStatusMessage().IsEmpty());

    const auto start = Clock::now();
    CScoreUploads::Shutdown();
    const Clock::duration shutdown = Clock::now() - start;
    EXPECT_LT(shutdown, kIdleShutdownLimit) << "a worker was still on the network";
    std::printf("server down: continue held the flow %lld us; shutdown took %lld us\n", Micros(held),
                Micros(shutdown));

    std::int64_t count = -1;
    std::string error;
    ASSERT_TRUE(m_store->CountScores(count, error)) << error;
    EXPECT_EQ(0, count);
}

} // namespace
