// The score server's storage: players, login sessions and best scores, behind an interface so
// that a larger installation can put another database behind it.
#pragma once

#include "server/Credentials.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace plk::server
{

struct CPlayer
{
    std::int64_t id = 0;
    std::string name; // UTF-8, as signed up
    CPasswordHash password;
    std::int64_t createdAt = 0; // seconds since 1970, UTC
};

struct CSession
{
    std::string id;
    std::int64_t playerId = 0;
    std::int64_t expiresAt = 0;
};

// One posting as the score service accepted it.
struct CScorePosting
{
    std::int64_t playerId = 0;
    std::string series; // UTF-8
    std::string gameSession;
    int difficulty = 0;
    int level = 0;
    int total = 0;
    std::int64_t postedAt = 0;
};

// Where a game's best total stands among all games of its series and difficulty.
struct CRank
{
    int total = 0;     // the best total kept for the game, maybe from an earlier posting
    std::int64_t rank = 0; // 1 + the games with a higher total
    std::int64_t of = 0;   // games of that series and difficulty
};

struct CScoreRow
{
    std::string playerName;
    int level = 0;
    int total = 0;
    std::int64_t postedAt = 0;
};

struct CScoreGroup
{
    std::string series;
    int difficulty = 0;
};

enum class EAddPlayer
{
    kAdded,
    kNameTaken, // another player has that name, compared without regard to ASCII case
    kFailed
};

// Every member may be called from any number of threads at once. Each returns false (kFailed)
// with the reason in `error` when the storage itself fails; "not found" is not a failure.
class CScoreStore
{
public:
    virtual ~CScoreStore() = default;

    // Fills player.id on success.
    virtual EAddPlayer AddPlayer(CPlayer& player, std::string& error) = 0;
    // Names match without regard to ASCII case.
    virtual bool FindPlayer(const std::string& name, std::optional<CPlayer>& player, std::string& error) = 0;
    virtual bool FindPlayerById(std::int64_t id, std::optional<CPlayer>& player, std::string& error) = 0;

    // Also drops the sessions that expired before `now`.
    virtual bool AddSession(const CSession& session, std::int64_t now, std::string& error) = 0;
    virtual bool FindSession(const std::string& id, std::optional<CSession>& session, std::string& error) = 0;

    // Keeps the posting when its total beats the game's best (or the game is new) and reports
    // the game's rank; durable before it returns true.
    virtual bool RecordScore(const CScorePosting& posting, CRank& rank, std::string& error) = 0;
    // The best games of one series and difficulty, highest total first.
    virtual bool TopScores(const CScoreGroup& group, int limit, std::vector<CScoreRow>& rows,
                           std::string& error) = 0;
    // Every series and difficulty that has scores, in order.
    virtual bool ScoreGroups(std::vector<CScoreGroup>& groups, std::string& error) = 0;
    // Games kept, all series together.
    virtual bool CountScores(std::int64_t& count, std::string& error) = 0;
};

} // namespace plk::server
