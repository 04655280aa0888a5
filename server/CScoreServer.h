// The score server's HTTP side: the two SOAP endpoints the game calls and the web pages, on
// cpp-httplib, one log line per request.
#pragma once

#include "server/CScoreService.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace plk::server
{

class CScoreServer
{
public:
    static constexpr int kDefaultPort = 8780;
    // Larger request bodies are answered with 413 before they are read.
    static constexpr std::size_t kMaxBodyBytes = 64 * 1024;
    static const char* const kLoginPath;    // "/ws/login/login.asmx"
    static const char* const kGameScorePath; // "/ws/gamescore/gamescore.asmx"

    // Log lines go to stderr unless SetLogSink says otherwise.
    explicit CScoreServer(CScoreService& service);
    // Stop().
    ~CScoreServer();
    CScoreServer(const CScoreServer&) = delete;
    CScoreServer& operator=(const CScoreServer&) = delete;

    // Receives each log line, without its line feed, from the request's thread.
    void SetLogSink(std::function<void(const std::string&)> sink);

    // Binds the listening socket (port 0 takes a free one, see GetPort) and serves on a thread of
    // its own; returns once requests are being taken. False with the reason in error when the
    // address cannot be had.
    bool Start(const std::string& address, int port, std::string& error);
    int GetPort() const { return m_port; }
    // Stops taking connections, lets every request already received finish and be answered,
    // and returns when all have. Any thread may call it, not a signal handler.
    void Stop();

private:
    struct Http;

    void Log(const std::string& line) const;

    CScoreService& m_service;
    std::unique_ptr<Http> m_http;
    std::function<void(const std::string&)> m_sink;
    int m_port = 0;
    std::thread m_thread;
    std::atomic<bool> m_bServing{false};
};

} // namespace plk::server
