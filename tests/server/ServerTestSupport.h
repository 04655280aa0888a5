// Shared pieces of the score server tests: a scratch folder, a database in it, and score data
// enciphered the way the game's poster does it.
#pragma once

#include "online/CScorePoster.h"
#include "server/CSqliteScoreStore.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace plk::server::test
{

class ScratchFolder
{
public:
    ScratchFolder()
    {
        static std::atomic<int> counter{0};
        m_path = std::filesystem::temp_directory_path() /
                 ("plk_server_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~ScratchFolder() { std::filesystem::remove_all(m_path); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string File(const std::string& name) const { return (m_path / name).string(); }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

inline std::unique_ptr<CSqliteScoreStore> OpenStore(const std::string& path)
{
    std::string error;
    auto store = CSqliteScoreStore::Open(path, error);
    EXPECT_TRUE(store) << error;
    return store;
}

// A posting of the standard series with fields that agree with each other.
inline CScoreEntry Entry(const std::string& user, const std::string& ticket, const std::string& levelFile,
                         int total, int difficulty, const std::string& gameSession = "GameSessionOne==")
{
    CScoreEntry entry;
    entry.userName = user.c_str();
    entry.loginTicket = ticket.c_str();
    entry.signatureKey = "VS-0112-HOM";
    entry.gameSession = gameSession.c_str();
    entry.levelFileName = levelFile.c_str();
    XString digits(levelFile.c_str());
    entry.curLevel = static_cast<unsigned>(digits.ToInt(static_cast<unsigned>(digits.FindOneOf("0123456789"))));
    entry.total = total;
    entry.difficulty = difficulty;
    return entry;
}

inline std::string Data(const CScoreEntry& entry)
{
    XString data, error;
    EXPECT_TRUE(CScorePoster::BuildData(entry, data, error)) << error.GetBuffer();
    return std::string(data.GetBuffer(), data.GetLength());
}

} // namespace plk::server::test
