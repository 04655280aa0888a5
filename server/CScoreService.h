// What the score server does, apart from HTTP: signing players up, logging them in, and checking,
// storing and ranking the scores the game posts.
#pragma once

#include "server/CScoreStore.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace plk::server
{

// Seconds since 1970, UTC; tests move it forward to expire sessions.
using CClock = std::function<std::int64_t()>;
std::int64_t SystemSeconds();

// The game's difficulty names, "easy", "medium" and "hard" for 1 to 3; "" for others.
const char* DifficultyName(int difficulty);

enum class EOutcome
{
    kAccepted,
    kRefused, // the player's request was wrong; message says why
    kFailed   // the server could not do its part (storage, random source); message says why
};

struct CAnswer
{
    EOutcome outcome = EOutcome::kFailed;
    std::string message;   // for the player (or the log when kFailed), UTF-8
    std::string sessionId; // Login: the new session id
    std::string serverMsg; // AddScore: the line the game shows, e.g. "Rank 3 of 41 (StdLevel, hard)"
};

// The AddScore parameters as they arrived, in UTF-8.
struct CScoreRequest
{
    std::string userName;
    std::string signatureKey;
    std::string onlineSessionId;
    std::string gameSessionId;
    std::string data;
};

class CScoreService
{
public:
    static constexpr std::int64_t kSessionSeconds = 24 * 60 * 60;
    static constexpr int kMinNameLength = 1;
    static constexpr int kMaxNameLength = 32;
    static constexpr int kMinPasswordLength = 6;
    static constexpr int kMaxPasswordLength = 64;
    // Far more than seven short lines enciphered and in Base64 can need.
    static constexpr std::size_t kMaxDataLength = 8192;

    // seriesNames: the level-file prefixes whose scores are taken (Windows-1252, as the game's
    // files name them); the key of a posting ends in one of them.
    CScoreService(CScoreStore& store, std::vector<std::string> seriesNames, CClock clock = SystemSeconds);

    // name: 1 to 32 printable characters that the game can type (Windows-1252), no blank at
    // either end; password: 6 to 64 printable characters.
    CAnswer SignUp(const std::string& name, const std::string& password);
    // Accepted with a fresh session id valid for 24 hours, or refused with one message for an
    // unknown name and a wrong password alike.
    CAnswer Login(const std::string& name, const std::string& password);
    // Accepted when the session is live and the player's, and the data deciphers under the key
    // of one known series to the very fields that came with it; the game's best total is kept
    // and ranked. Refused otherwise, with a serverMsg for the player.
    CAnswer AddScore(const CScoreRequest& request);

    const std::vector<std::string>& GetSeriesNames() const { return m_seriesNames; }
    CScoreStore& GetStore() { return m_store; }

private:
    CScoreStore& m_store;
    std::vector<std::string> m_seriesNames;
    CClock m_clock;
};

} // namespace plk::server
