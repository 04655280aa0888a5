// Signing up, logging in and posting scores against the service, with data enciphered by the
// game's own poster code.
#include "ServerTestSupport.h"

#include "server/CScoreService.h"

using namespace plk::server;
using namespace plk::server::test;

namespace
{

class ScoreServiceTest : public ::testing::Test
{
protected:
    ScoreServiceTest()
        : m_store(OpenStore(m_folder.File("scores.sqlite"))),
          m_service(*m_store, {"StdLevel", "Crystal"}, [this] { return m_now; })
    {
    }

    // Signs the player up and logs in; returns the session id.
    std::string Ticket(const std::string& name, const std::string& password = "secret1")
    {
        const CAnswer signUp = m_service.SignUp(name, password);
        EXPECT_EQ(signUp.outcome, EOutcome::kAccepted) << signUp.message;
        const CAnswer login = m_service.Login(name, password);
        EXPECT_EQ(login.outcome, EOutcome::kAccepted) << login.message;
        return login.sessionId;
    }

    CAnswer Post(const CScoreEntry& entry, const std::string& data)
    {
        return m_service.AddScore({entry.userName.GetBuffer(), entry.signatureKey.GetBuffer(),
                                   entry.loginTicket.GetBuffer(), entry.gameSession.GetBuffer(), data});
    }
    CAnswer Post(const CScoreEntry& entry) { return Post(entry, Data(entry)); }

    ScratchFolder m_folder;
    std::int64_t m_now = 1'800'000'000;
    std::unique_ptr<CSqliteScoreStore> m_store;
    CScoreService m_service;
};

TEST_F(ScoreServiceTest, SignUpChecksNamesAndPasswords)
{
    const struct
    {
        const char* name;
        std::string password;
        EOutcome outcome;
    } kCases[] = {
        {"Zoë the 3rd", "secret1", EOutcome::kAccepted},
        {"x", "sixsix", EOutcome::kAccepted},
        {"12345678901234567890123456789012", "secret1", EOutcome::kAccepted},
        {"123456789012345678901234567890123", "secret1", EOutcome::kRefused},
        {"", "secret1", EOutcome::kRefused},
        {" padded", "secret1", EOutcome::kRefused},
        {"tab\tname", "secret1", EOutcome::kRefused},
        {"snow\xE2\x98\x83man", "secret1", EOutcome::kRefused},  // U+2603 has no Windows-1252 code
        {"broken\xC3", "secret1", EOutcome::kRefused},            // not UTF-8
        {"shortpass", "five5", EOutcome::kRefused},
        {"longpass", std::string(65, 'p'), EOutcome::kRefused},
        {"ZOë THE 3RD", "secret1", EOutcome::kRefused}, // taken: differs only in ASCII case
    };
    for (const auto& c : kCases)
    {
        const CAnswer answer = m_service.SignUp(c.name, c.password);
        EXPECT_EQ(answer.outcome, c.outcome) << "name \"" << c.name << "\": " << answer.message;
    }
}

TEST_F(ScoreServiceTest, LoginGivesFreshSessionsOnlyForTheRightPassword)
{
    const std::string first = Ticket("Dana");
    EXPECT_EQ(first.size(), 32u);
    EXPECT_EQ(first.find_first_not_of("0123456789abcdef"), std::string::npos) << first;
    const CAnswer again = m_service.Login("dana", "secret1");
    EXPECT_EQ(again.outcome, EOutcome::kAccepted);
    EXPECT_NE(again.sessionId, first);

    const CAnswer wrong = m_service.Login("Dana", "Secret1");
    EXPECT_EQ(wrong.outcome, EOutcome::kRefused);
    EXPECT_TRUE(wrong.sessionId.empty());
    const CAnswer unknown = m_service.Login("Nobody", "secret1");
    EXPECT_EQ(unknown.outcome, EOutcome::kRefused);
    EXPECT_EQ(unknown.message, wrong.message) << "an unknown name and a wrong password read the same";
}

TEST_F(ScoreServiceTest, PostedScoresAreRankedPerSeriesAndDifficulty)
{
    const std::string eve = Ticket("Eve");
    const std::string fay = Ticket("Fay");
    CAnswer answer = Post(Entry("Eve", eve, "StdLevel3", 4100, 3));
    ASSERT_EQ(answer.outcome, EOutcome::kAccepted) << answer.message;
    EXPECT_EQ(answer.serverMsg, "Rank 1 of 1 (StdLevel, hard)");

    answer = Post(Entry("Fay", fay, "StdLevel12", 9000, 3, "FaysGame"));
    EXPECT_EQ(answer.serverMsg, "Rank 1 of 2 (StdLevel, hard)");
    // The series is found although the request never names it: the key ends in "crystal".
    answer = Post(Entry("Fay", fay, "Crystal2", 800, 1, "FaysGame"));
    ASSERT_EQ(answer.outcome, EOutcome::kAccepted) << answer.message;
    EXPECT_EQ(answer.serverMsg, "Rank 1 of 1 (Crystal, easy)");
    // Eve's next level raises her game's best past Fay's.
    answer = Post(Entry("Eve", eve, "StdLevel4", 9500, 3));
    EXPECT_EQ(answer.serverMsg, "Rank 1 of 2 (StdLevel, hard)");
    answer = Post(Entry("Eve", eve, "StdLevel5", -200, 3));
    EXPECT_EQ(answer.serverMsg, "Rank 1 of 2 (StdLevel, hard)") << "a lower total keeps the game's best";

    std::int64_t count = 0;
    std::string error;
    ASSERT_TRUE(m_store->CountScores(count, error));
    EXPECT_EQ(count, 3);
}

TEST_F(ScoreServiceTest, RefusesExpiredForeignAndForgedSessions)
{
    const std::string gus = Ticket("Gus");
    const std::string hal = Ticket("Hal");

    CAnswer answer = Post(Entry("Gus", "0123456789abcdef0123456789abcdef", "StdLevel2", 100, 2));
    EXPECT_EQ(answer.outcome, EOutcome::kRefused);
    EXPECT_EQ(answer.serverMsg, "Score not recorded: please log in again.");
    // Hal's session with data that names Gus throughout.
    answer = Post(Entry("Gus", hal, "StdLevel2", 100, 2));
    EXPECT_EQ(answer.outcome, EOutcome::kRefused) << answer.message;

    m_now += CScoreService::kSessionSeconds - 1;
    EXPECT_EQ(Post(Entry("Gus", gus, "StdLevel2", 100, 2)).outcome, EOutcome::kAccepted);
    m_now += 1;
    answer = Post(Entry("Gus", gus, "StdLevel3", 200, 2));
    EXPECT_EQ(answer.outcome, EOutcome::kRefused);
    EXPECT_EQ(answer.serverMsg, "Score not recorded: please log in again.");
}

TEST_F(ScoreServiceTest, RefusesDataThatDoesNotCheckOut)
{
    const std::string ivy = Ticket("Ivy");
    const CScoreEntry entry = Entry("Ivy", ivy, "StdLevel2", 1234, 2);

    // Enciphered under a series the server does not take, so under another key.
    CScoreEntry other = entry;
    other.levelFileName = "Homebrew2";
    CAnswer answer = Post(entry, Data(other));
    EXPECT_EQ(answer.outcome, EOutcome::kRefused);
    EXPECT_EQ(answer.serverMsg, "Score not recorded: the score data did not check out.");

    // The data is right but a field beside it was changed on the way.
    CScoreEntry changed = entry;
    changed.signatureKey = "VS-9999-XXX";
    EXPECT_EQ(Post(changed, Data(entry)).outcome, EOutcome::kRefused);
    changed = entry;
    changed.gameSession = "SomeoneElsesGame";
    EXPECT_EQ(Post(changed, Data(entry)).outcome, EOutcome::kRefused);

    CScoreEntry noDifficulty = entry;
    noDifficulty.difficulty = 7;
    EXPECT_EQ(Post(noDifficulty).outcome, EOutcome::kRefused);

    for (const char* junk : {"", "====", "not base64!", "QUJD", "QUJDREVGR0hJSktMTU5PUA=="})
        EXPECT_EQ(Post(entry, junk).outcome, EOutcome::kRefused) << "sxData \"" << junk << "\"";
    EXPECT_EQ(Post(entry, std::string(CScoreService::kMaxDataLength + 4, 'A')).outcome, EOutcome::kRefused);

    std::int64_t count = -1;
    std::string error;
    ASSERT_TRUE(m_store->CountScores(count, error));
    EXPECT_EQ(count, 0) << "nothing refused was stored";
    EXPECT_EQ(Post(entry).outcome, EOutcome::kAccepted);
}

} // namespace
