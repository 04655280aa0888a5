// The SQLite score store: players, sessions, best scores and ranks, and what it does with a file
// that is not its own.
#include "ServerTestSupport.h"

#include "foundation/XString.h"

#include <fstream>
#include <sqlite3.h>

using namespace plk::server;
using namespace plk::server::test;

namespace
{

CPlayer NewPlayer(const std::string& name)
{
    CPlayer player;
    player.name = name;
    player.password.salt = {1, 2, 3};
    player.password.hash = std::vector<std::uint8_t>(kHashBytes, 7);
    player.password.iterations = 1;
    player.createdAt = 1700000000;
    return player;
}

CScorePosting Posting(std::int64_t playerId, const std::string& game, int total, int difficulty = 3)
{
    CScorePosting posting;
    posting.playerId = playerId;
    posting.series = "StdLevel";
    posting.gameSession = game;
    posting.difficulty = difficulty;
    posting.level = 4;
    posting.total = total;
    posting.postedAt = 1700000100;
    return posting;
}

TEST(ScoreStore, PlayerNamesAreUniqueWithoutRegardToCaseAndKeptVerbatim)
{
    ScratchFolder folder;
    auto store = OpenStore(folder.File("scores.sqlite"));
    std::string error;
    CPlayer alice = NewPlayer("Alice");
    ASSERT_EQ(store->AddPlayer(alice, error), EAddPlayer::kAdded) << error;
    CPlayer shout = NewPlayer("ALICE");
    EXPECT_EQ(store->AddPlayer(shout, error), EAddPlayer::kNameTaken);

    // Bound parameters: a name that would break SQL text is just a name.
    CPlayer hostile = NewPlayer("Robert'); DROP TABLE players;--");
    ASSERT_EQ(store->AddPlayer(hostile, error), EAddPlayer::kAdded) << error;

    std::optional<CPlayer> found;
    ASSERT_TRUE(store->FindPlayer("alice", found, error)) << error;
    ASSERT_TRUE(found);
    EXPECT_EQ(found->name, "Alice");
    EXPECT_EQ(found->id, alice.id);
    EXPECT_EQ(found->password.salt, alice.password.salt);
    EXPECT_EQ(found->password.hash, alice.password.hash);
    ASSERT_TRUE(store->FindPlayer("Robert'); DROP TABLE players;--", found, error));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->id, hostile.id);
    ASSERT_TRUE(store->FindPlayer("nobody", found, error));
    EXPECT_FALSE(found);
}

TEST(ScoreStore, SessionsAreFoundAndExpiredOnesDropped)
{
    ScratchFolder folder;
    auto store = OpenStore(folder.File("scores.sqlite"));
    std::string error;
    CPlayer bob = NewPlayer("bob");
    ASSERT_EQ(store->AddPlayer(bob, error), EAddPlayer::kAdded);
    ASSERT_TRUE(store->AddSession({"old", bob.id, 100}, 50, error)) << error;
    ASSERT_TRUE(store->AddSession({"new", bob.id, 500}, 200, error)) << error;

    std::optional<CSession> session;
    ASSERT_TRUE(store->FindSession("new", session, error));
    ASSERT_TRUE(session);
    EXPECT_EQ(session->playerId, bob.id);
    EXPECT_EQ(session->expiresAt, 500);
    ASSERT_TRUE(store->FindSession("old", session, error));
    EXPECT_FALSE(session) << "a session expired when the next one was added is gone";
}

TEST(ScoreStore, KeepsEachGamesBestTotalAndRanksItsGroup)
{
    ScratchFolder folder;
    auto store = OpenStore(folder.File("scores.sqlite"));
    std::string error;
    CPlayer a = NewPlayer("a"), b = NewPlayer("b");
    ASSERT_EQ(store->AddPlayer(a, error), EAddPlayer::kAdded);
    ASSERT_EQ(store->AddPlayer(b, error), EAddPlayer::kAdded);

    CRank rank;
    ASSERT_TRUE(store->RecordScore(Posting(a.id, "g1", 5000), rank, error)) << error;
    EXPECT_EQ(rank.rank, 1);
    EXPECT_EQ(rank.of, 1);
    ASSERT_TRUE(store->RecordScore(Posting(b.id, "g2", 7000), rank, error));
    EXPECT_EQ(rank.rank, 1);
    EXPECT_EQ(rank.of, 2);
    // A lower total of the same game keeps the best one and its rank.
    ASSERT_TRUE(store->RecordScore(Posting(a.id, "g1", 3000), rank, error));
    EXPECT_EQ(rank.total, 5000);
    EXPECT_EQ(rank.rank, 2);
    EXPECT_EQ(rank.of, 2);
    ASSERT_TRUE(store->RecordScore(Posting(a.id, "g1", 9000), rank, error));
    EXPECT_EQ(rank.rank, 1);
    // Equal totals share a rank; another difficulty is another table.
    ASSERT_TRUE(store->RecordScore(Posting(b.id, "g3", 9000), rank, error));
    EXPECT_EQ(rank.rank, 1);
    EXPECT_EQ(rank.of, 3);
    ASSERT_TRUE(store->RecordScore(Posting(b.id, "g3", 100, 1), rank, error));
    EXPECT_EQ(rank.rank, 1);
    EXPECT_EQ(rank.of, 1);

    std::vector<CScoreRow> rows;
    ASSERT_TRUE(store->TopScores({"StdLevel", 3}, 10, rows, error));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].total, 9000);
    EXPECT_EQ(rows[2].playerName, "b");
    EXPECT_EQ(rows[2].total, 7000);
    std::vector<CScoreGroup> groups;
    ASSERT_TRUE(store->ScoreGroups(groups, error));
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].difficulty, 1);
    EXPECT_EQ(groups[1].difficulty, 3);
    std::int64_t count = 0;
    ASSERT_TRUE(store->CountScores(count, error));
    EXPECT_EQ(count, 4);
}

TEST(ScoreStore, ReopensWithEverythingInWriteAheadLogMode)
{
    ScratchFolder folder;
    const std::string path = folder.File("scores.sqlite");
    std::string error;
    {
        auto store = OpenStore(path);
        CPlayer c = NewPlayer("carol");
        ASSERT_EQ(store->AddPlayer(c, error), EAddPlayer::kAdded);
        CRank rank;
        ASSERT_TRUE(store->RecordScore(Posting(c.id, "g", 42), rank, error));
    }
    auto store = OpenStore(path);
    std::vector<CScoreRow> rows;
    ASSERT_TRUE(store->TopScores({"StdLevel", 3}, 10, rows, error));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].playerName, "carol");
    EXPECT_EQ(rows[0].total, 42);

    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    sqlite3_stmt* mode = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "PRAGMA journal_mode", -1, &mode, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(mode), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(mode, 0)), "wal");
    sqlite3_finalize(mode);
    sqlite3_close(db);
}

TEST(ScoreStore, RefusesFilesThatAreNotItsOwnAndLeavesThemAlone)
{
    ScratchFolder folder;
    const std::string text = folder.File("notes.txt");
    {
        std::ofstream out(text, std::ios::binary);
        out << "These are my notes, not a database. Keep them.\n";
    }
    std::string error;
    EXPECT_FALSE(CSqliteScoreStore::Open(text, error));
    EXPECT_NE(error.find("notes.txt"), std::string::npos) << error;
    XString kept;
    ASSERT_TRUE(kept.ReadFile(text.c_str()));
    EXPECT_STREQ(kept.GetBuffer(), "These are my notes, not a database. Keep them.\n");

    const std::string newer = folder.File("newer.sqlite");
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(newer.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "PRAGMA user_version=99", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    EXPECT_FALSE(CSqliteScoreStore::Open(newer, error));
    EXPECT_NE(error.find("newer score server"), std::string::npos) << error;

    EXPECT_FALSE(CSqliteScoreStore::Open(folder.File("missing/folder/scores.sqlite"), error));
    EXPECT_FALSE(error.empty());
}

} // namespace
