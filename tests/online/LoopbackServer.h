// A one-connection HTTP stand-in on 127.0.0.1: records the request it receives and answers with
// exactly the bytes it was given, or not at all.
#pragma once

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>

class LoopbackServer
{
public:
    enum class Mode
    {
        kAnswer,     // send the reply, then close
        kNeverAnswer // read the request and keep the connection open without a byte
    };

    // Port 0 takes an ephemeral port. Valid() is false when the port could not be bound.
    explicit LoopbackServer(std::string reply, Mode mode = Mode::kAnswer, int port = 0);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    bool Valid() const { return m_listener >= 0; }
    int Port() const { return m_port; }
    std::string Url(const std::string& path) const;
    // The whole request once its body has arrived; "" when none came within the wait.
    std::string WaitForRequest(std::chrono::milliseconds wait = std::chrono::milliseconds(5000));
    bool GotConnection() const { return m_connected.load(); }

private:
    void Serve();

    std::string m_reply;
    Mode m_mode;
    int m_listener = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_connected{false};
    std::atomic<bool> m_requestDone{false};
    std::mutex m_mutex;
    std::string m_request;
    std::thread m_thread;
};

// A port on 127.0.0.1 that refuses connections: bound once, then closed.
int RefusedPort();
