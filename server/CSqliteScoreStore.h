// The score store in one SQLite file, in write-ahead-log mode.
#pragma once

#include "server/CScoreStore.h"

#include <memory>
#include <mutex>

struct sqlite3;
struct sqlite3_stmt;

namespace plk::server
{

class CSqliteScoreStore : public CScoreStore
{
public:
    // Opens or creates the file and its tables; nullptr with the reason in error when the file
    // cannot be opened, is no database of this server, or refuses write-ahead logging.
    static std::unique_ptr<CSqliteScoreStore> Open(const std::string& path, std::string& error);
    ~CSqliteScoreStore() override;
    CSqliteScoreStore(const CSqliteScoreStore&) = delete;
    CSqliteScoreStore& operator=(const CSqliteScoreStore&) = delete;

    EAddPlayer AddPlayer(CPlayer& player, std::string& error) override;
    bool FindPlayer(const std::string& name, std::optional<CPlayer>& player, std::string& error) override;
    bool FindPlayerById(std::int64_t id, std::optional<CPlayer>& player, std::string& error) override;
    bool AddSession(const CSession& session, std::int64_t now, std::string& error) override;
    bool FindSession(const std::string& id, std::optional<CSession>& session, std::string& error) override;
    bool RecordScore(const CScorePosting& posting, CRank& rank, std::string& error) override;
    bool TopScores(const CScoreGroup& group, int limit, std::vector<CScoreRow>& rows, std::string& error) override;
    bool ScoreGroups(std::vector<CScoreGroup>& groups, std::string& error) override;
    bool CountScores(std::int64_t& count, std::string& error) override;

private:
    explicit CSqliteScoreStore(sqlite3* db);
    static std::unique_ptr<CSqliteScoreStore> OpenAndSetUp(const std::string& path, std::string& error);
    bool Execute(const char* sql, std::string& error);
    // The prepared statement for sql, made on first use and reset for reuse.
    sqlite3_stmt* Prepare(const char* sql, std::string& error);
    std::string Failure(const char* what) const;
    bool ReadPlayer(sqlite3_stmt* statement, std::optional<CPlayer>& player, std::string& error);

    // One connection serves every thread, one call at a time.
    std::mutex m_mutex;
    sqlite3* m_db;
    std::vector<std::pair<const char*, sqlite3_stmt*>> m_statements;
};

} // namespace plk::server
