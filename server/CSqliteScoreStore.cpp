// SQLite behind the score store: every value travels as a bound parameter, never inside SQL text.
#include "server/CSqliteScoreStore.h"

#include <sqlite3.h>


namespace plk::server
{
namespace
{

// Bumped whenever the tables change shape, so that an older server refuses a newer file.
const int kSchemaVersion = 1;
// How long a call waits for another process (a backup, the sqlite3 shell) holding the file.
const int kBusyTimeoutMs = 5000;

const char kSchema[] = R"SQL(
CREATE TABLE IF NOT EXISTS players(
    id INTEGER PRIMARY KEY,
    name TEXT NOT NULL UNIQUE COLLATE NOCASE,
    salt BLOB NOT NULL,
    hash BLOB NOT NULL,
    iterations INTEGER NOT NULL,
    created_at INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS sessions(
    id TEXT PRIMARY KEY,
    player_id INTEGER NOT NULL REFERENCES players(id) ON DELETE CASCADE,
    expires_at INTEGER NOT NULL) WITHOUT ROWID;
CREATE INDEX IF NOT EXISTS sessions_expiry ON sessions(expires_at);
CREATE TABLE IF NOT EXISTS scores(
    player_id INTEGER NOT NULL REFERENCES players(id) ON DELETE CASCADE,
    series TEXT NOT NULL,
    game_session TEXT NOT NULL,
    difficulty INTEGER NOT NULL,
    level INTEGER NOT NULL,
    total INTEGER NOT NULL,
    posted_at INTEGER NOT NULL,
    PRIMARY KEY(player_id, series, game_session, difficulty));
CREATE INDEX IF NOT EXISTS scores_rank ON scores(series, difficulty, total);
CREATE TABLE IF NOT EXISTS score_groups(
    series TEXT NOT NULL,
    difficulty INTEGER NOT NULL,
    games INTEGER NOT NULL,
    PRIMARY KEY(series, difficulty)) WITHOUT ROWID;
)SQL";

// Resets a cached statement when the call that used it ends, whatever the path.
class Use
{
public:
    explicit Use(sqlite3_stmt* statement) : m_statement(statement) {}
    ~Use()
    {
        if (m_statement)
        {
            sqlite3_reset(m_statement);
            sqlite3_clear_bindings(m_statement);
        }
    }
    Use(const Use&) = delete;
    Use& operator=(const Use&) = delete;

private:
    sqlite3_stmt* m_statement;
};

void BindText(sqlite3_stmt* statement, int index, const std::string& text)
{
    sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

void BindBlob(sqlite3_stmt* statement, int index, const std::vector<std::uint8_t>& bytes)
{
    sqlite3_bind_blob(statement, index, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
}

std::string ColumnText(sqlite3_stmt* statement, int column)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return text ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(statement, column))) : std::string();
}

std::vector<std::uint8_t> ColumnBlob(sqlite3_stmt* statement, int column)
{
    const auto* bytes = static_cast<const std::uint8_t*>(sqlite3_column_blob(statement, column));
    const int size = sqlite3_column_bytes(statement, column);
    return bytes ? std::vector<std::uint8_t>(bytes, bytes + size) : std::vector<std::uint8_t>();
}

} // namespace

std::unique_ptr<CSqliteScoreStore> CSqliteScoreStore::Open(const std::string& path, std::string& error)
{
    std::unique_ptr<CSqliteScoreStore> store = OpenAndSetUp(path, error);
    if (!store)
        error = "cannot use " + path + " as the score database: " + error;
    return store;
}

std::unique_ptr<CSqliteScoreStore> CSqliteScoreStore::OpenAndSetUp(const std::string& path, std::string& error)
{
    sqlite3* db = nullptr;
    // The mutex of this class serialises every call, so SQLite's own locking is not needed.
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK)
    {
        error = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close(db);
        return nullptr;
    }
    std::unique_ptr<CSqliteScoreStore> store(new CSqliteScoreStore(db));
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    sqlite3_extended_result_codes(db, 1);

    sqlite3_stmt* mode = store->Prepare("PRAGMA journal_mode=WAL", error);
    if (!mode)
        return nullptr;
    {
        Use use(mode);
        if (sqlite3_step(mode) != SQLITE_ROW || ColumnText(mode, 0) != "wal")
        {
            error = "it refuses write-ahead logging: " + store->Failure("journal_mode");
            return nullptr;
        }
    }
    // In WAL mode NORMAL already keeps every commit through a crash of this process; FULL adds a
    // disk flush per commit so that a power cut cannot undo an acknowledged score either.
    if (!store->Execute("PRAGMA synchronous=FULL; PRAGMA foreign_keys=ON;", error))
        return nullptr;

    sqlite3_stmt* version = store->Prepare("PRAGMA user_version", error);
    if (!version)
        return nullptr;
    int found = 0;
    {
        Use use(version);
        if (sqlite3_step(version) != SQLITE_ROW)
        {
            error = store->Failure("reading the schema version");
            return nullptr;
        }
        found = sqlite3_column_int(version, 0);
    }
    if (found > kSchemaVersion)
    {
        error = "it was written by a newer score server (schema " + std::to_string(found) + ")";
        return nullptr;
    }
    const std::string setup = std::string("BEGIN;") + kSchema + "PRAGMA user_version=" +
                              std::to_string(kSchemaVersion) + ";COMMIT;";
    if (!store->Execute(setup.c_str(), error))
    {
        std::string ignored;
        store->Execute("ROLLBACK", ignored);
        return nullptr;
    }
    return store;
}

CSqliteScoreStore::CSqliteScoreStore(sqlite3* db) : m_db(db) {}

CSqliteScoreStore::~CSqliteScoreStore()
{
    for (auto& entry : m_statements)
        sqlite3_finalize(entry.second);
    // The last connection to close folds the log back into the database file.
    sqlite3_close(m_db);
}

std::string CSqliteScoreStore::Failure(const char* what) const
{
    return std::string(what) + " failed: " + sqlite3_errmsg(m_db);
}

bool CSqliteScoreStore::Execute(const char* sql, std::string& error)
{
    char* message = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &message) != SQLITE_OK)
    {
        error = message ? message : sqlite3_errmsg(m_db);
        sqlite3_free(message);
        return false;
    }
    return true;
}

sqlite3_stmt* CSqliteScoreStore::Prepare(const char* sql, std::string& error)
{
    // Keyed by the literal's address: every caller passes a string literal.
    for (auto& entry : m_statements)
        if (entry.first == sql)
            return entry.second;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr) != SQLITE_OK)
    {
        error = Failure("preparing a statement");
        return nullptr;
    }
    m_statements.emplace_back(sql, statement);
    return statement;
}

bool CSqliteScoreStore::ReadPlayer(sqlite3_stmt* statement, std::optional<CPlayer>& player, std::string& error)
{
    const int step = sqlite3_step(statement);
    if (step == SQLITE_DONE)
    {
        player.reset();
        return true;
    }
    if (step != SQLITE_ROW)
    {
        error = Failure("reading a player");
        return false;
    }
    CPlayer found;
    found.id = sqlite3_column_int64(statement, 0);
    found.name = ColumnText(statement, 1);
    found.password.salt = ColumnBlob(statement, 2);
    found.password.hash = ColumnBlob(statement, 3);
    found.password.iterations = static_cast<unsigned>(sqlite3_column_int64(statement, 4));
    found.createdAt = sqlite3_column_int64(statement, 5);
    player = std::move(found);
    return true;
}

EAddPlayer CSqliteScoreStore::AddPlayer(CPlayer& player, std::string& error)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    sqlite3_stmt* insert = Prepare(
        "INSERT INTO players(name, salt, hash, iterations, created_at) VALUES(?1, ?2, ?3, ?4, ?5)", error);
    if (!insert)
        return EAddPlayer::kFailed;
    Use use(insert);
    BindText(insert, 1, player.name);
    BindBlob(insert, 2, player.password.salt);
    BindBlob(insert, 3, player.password.hash);
    sqlite3_bind_int64(insert, 4, player.password.iterations);
    sqlite3_bind_int64(insert, 5, player.createdAt);
    const int step = sqlite3_step(insert);
    if (step == SQLITE_CONSTRAINT_UNIQUE)
        return EAddPlayer::kNameTaken;
    if (step != SQLITE_DONE)
    {
        error = Failure("adding a player");
        return EAddPlayer::kFailed;
    }
    player.id = sqlite3_last_insert_rowid(m_db);
    return EAddPlayer::kAdded;
}

bool CSqliteScoreStore::FindPlayer(const std::string& name, std::optional<CPlayer>& player, std::string& error)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    sqlite3_stmt* select = Prepare(
        "SELECT id, name, salt, hash, iterations, created_at FROM players WHERE name = ?1", error);
    if (!select)
        return false;
    Use use(select);
    BindText(select, 1, name);
    return ReadPlayer(select, player, error);
}

bool CSqliteScoreStore::FindPlayerById(std::int64_t id, std::optional<CPlayer>& player, std::string& error)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    sqlite3_stmt* select = Prepare(
        "SELECT id, name, salt, hash, iterations, created_at FROM players WHERE id = ?1", error);
    if (!select)
        return false;
    Use use(select);
    sqlite3_bind_int64(select, 1, id);
    return ReadPlayer(select, player, error);
}

bool CSqliteScoreStore::AddSession(const CSession& session, std::int64_t now, std::string& error)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    sqlite3_stmt* purge = Prepare("DELETE FROM sessions WHERE expires_at < ?1", error);
    sqlite3_stmt* insert = Prepare("INSERT INTO sessions(id, player_id, expires_at) VALUES(?1, ?2, ?3)", error);
    if (!purge || !insert)
        return false;
    {
        Use use(purge);
        sqlite3_bind_int64(purge, 1, now);
        if (sqlite3_step(purge) != SQLITE_DONE)
        {
            error = Failure("dropping expired sessions");
            return false;
        }
    }
    Use use(insert);
    BindText(insert, 1, session.id);
    sqlite3_bind_int64(insert, 2, session.playerId);
    sqlite3_bind_int64(insert, 3, session.expiresAt);
    if (sqlite3_step(insert) != SQLITE_DONE)
    {
        error = Failure("adding a session");
        return false;
    }
    return true;
}

bool CSqliteScoreStore::FindSession(const std::string& id, std::optional<CSession>& session, std::string& error)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    sqlite3_stmt* select = Prepare("SELECT player_id, expires_at FROM sessions WHERE id = ?1", error);
    if (!select)
        return false;
    Use use(select);
    BindText(select, 1, id);
    const int step = sqlite3_step(select);
    if (step == SQLITE_DONE)
    {
        session.reset();
        return true;
    }
    if (step != SQLITE_ROW)
    {
        error = Failure("reading a session");
        return false;
    }
    session = CSession{id, sqlite3_column_int64(select, 0), sqlite3_column_int64(select, 1)};
    return true;
}

bool CSqliteScoreStore::RecordScore(const CScorePosting& posting, CRank& rank, std::string& error)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    sqlite3_stmt* begin = Prepare("BEGIN IMMEDIATE", error);
    sqlite3_stmt* commit = Prepare("COMMIT", error);
    sqlite3_stmt* rollback = Prepare("ROLLBACK", error);
    sqlite3_stmt* known = Prepare(
        "SELECT total FROM scores WHERE player_id = ?1 AND series = ?2 AND game_session = ?3 AND difficulty = ?4",
        error);
    sqlite3_stmt* insert = Prepare(
        "INSERT INTO scores(player_id, series, game_session, difficulty, level, total, posted_at) "
        "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7) "
        "ON CONFLICT(player_id, series, game_session, difficulty) DO UPDATE SET "
        "level = excluded.level, total = excluded.total, posted_at = excluded.posted_at",
        error);
    sqlite3_stmt* count = Prepare(
        "INSERT INTO score_groups(series, difficulty, games) VALUES(?1, ?2, 1) "
        "ON CONFLICT(series, difficulty) DO UPDATE SET games = games + 1",
        error);
    sqlite3_stmt* higher = Prepare(
        "SELECT (SELECT count(*) FROM scores WHERE series = ?1 AND difficulty = ?2 AND total > ?3), "
        "(SELECT games FROM score_groups WHERE series = ?1 AND difficulty = ?2)",
        error);
    if (!begin || !commit || !rollback || !known || !insert || !count || !higher)
        return false;

    auto fail = [&](const char* what) {
        error = Failure(what);
        Use use(rollback);
        sqlite3_step(rollback);
        return false;
    };
    {
        Use use(begin);
        if (sqlite3_step(begin) != SQLITE_DONE)
        {
            error = Failure("starting a transaction");
            return false;
        }
    }
    bool isNew = true;
    int best = posting.total;
    {
        Use use(known);
        sqlite3_bind_int64(known, 1, posting.playerId);
        BindText(known, 2, posting.series);
        BindText(known, 3, posting.gameSession);
        sqlite3_bind_int(known, 4, posting.difficulty);
        const int step = sqlite3_step(known);
        if (step == SQLITE_ROW)
        {
            isNew = false;
            best = sqlite3_column_int(known, 0);
        }
        else if (step != SQLITE_DONE)
        {
            return fail("reading a game's best");
        }
    }
    if (isNew || posting.total > best)
    {
        best = posting.total;
        Use use(insert);
        sqlite3_bind_int64(insert, 1, posting.playerId);
        BindText(insert, 2, posting.series);
        BindText(insert, 3, posting.gameSession);
        sqlite3_bind_int(insert, 4, posting.difficulty);
        sqlite3_bind_int(insert, 5, posting.level);
        sqlite3_bind_int(insert, 6, posting.total);
        sqlite3_bind_int64(insert, 7, posting.postedAt);
        if (sqlite3_step(insert) != SQLITE_DONE)
            return fail("storing a score");
    }
    if (isNew)
    {
        // Kept per group so that "of N" needs no count over every game.
        Use use(count);
        BindText(count, 1, posting.series);
        sqlite3_bind_int(count, 2, posting.difficulty);
        if (sqlite3_step(count) != SQLITE_DONE)
            return fail("counting a game");
    }
    {
        Use use(higher);
        BindText(higher, 1, posting.series);
        sqlite3_bind_int(higher, 2, posting.difficulty);
        sqlite3_bind_int(higher, 3, best);
        if (sqlite3_step(higher) != SQLITE_ROW)
            return fail("ranking a score");
        rank.total = best;
        rank.rank = sqlite3_column_int64(higher, 0) + 1;
        rank.of = sqlite3_column_int64(higher, 1);
    }
    Use use(commit);
    if (sqlite3_step(commit) != SQLITE_DONE)
        return fail("committing a score");
    return true;
}

bool CSqliteScoreStore::TopScores(const CScoreGroup& group, int limit, std::vector<CScoreRow>& rows,
                                  std::string& error)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    sqlite3_stmt* select = Prepare(
        "SELECT p.name, s.level, s.total, s.posted_at FROM scores s JOIN players p ON p.id = s.player_id "
        "WHERE s.series = ?1 AND s.difficulty = ?2 ORDER BY s.total DESC, s.posted_at ASC LIMIT ?3",
        error);
    if (!select)
        return false;
    Use use(select);
    BindText(select, 1, group.series);
    sqlite3_bind_int(select, 2, group.difficulty);
    sqlite3_bind_int(select, 3, limit);
    rows.clear();
    for (;;)
    {
        const int step = sqlite3_step(select);
        if (step == SQLITE_DONE)
            return true;
        if (step != SQLITE_ROW)
        {
            error = Failure("reading the top scores");
            return false;
        }
        rows.push_back(CScoreRow{ColumnText(select, 0), sqlite3_column_int(select, 1),
                                 sqlite3_column_int(select, 2), sqlite3_column_int64(select, 3)});
    }
}

bool CSqliteScoreStore::ScoreGroups(std::vector<CScoreGroup>& groups, std::string& error)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    sqlite3_stmt* select = Prepare(
        "SELECT series, difficulty FROM score_groups WHERE games > 0 ORDER BY series, difficulty", error);
    if (!select)
        return false;
    Use use(select);
    groups.clear();
    for (;;)
    {
        const int step = sqlite3_step(select);
        if (step == SQLITE_DONE)
            return true;
        if (step != SQLITE_ROW)
        {
            error = Failure("reading the score groups");
            return false;
        }
        groups.push_back(CScoreGroup{ColumnText(select, 0), sqlite3_column_int(select, 1)});
    }
}

bool CSqliteScoreStore::CountScores(std::int64_t& count, std::string& error)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    sqlite3_stmt* select = Prepare("SELECT count(*) FROM scores", error);
    if (!select)
        return false;
    Use use(select);
    if (sqlite3_step(select) != SQLITE_ROW)
    {
        error = Failure("counting the scores");
        return false;
    }
    count = sqlite3_column_int64(select, 0);
    return true;
}

} // namespace plk::server
