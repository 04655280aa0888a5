// The loopback stand-in server of the online tests.
#include "LoopbackServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace
{

const int kPollMs = 10;

int BoundSocket(int port, int& boundPort)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return -1;
    const int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    socklen_t length = sizeof address;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
    {
        close(fd);
        return -1;
    }
    boundPort = ntohs(address.sin_port);
    return fd;
}

// True once the header block and Content-Length bytes of body are in.
bool RequestComplete(const std::string& data)
{
    const std::size_t end = data.find("\r\n\r\n");
    if (end == std::string::npos)
        return false;
    std::size_t bodyLength = 0;
    const std::size_t field = data.find("Content-Length: ");
    if (field != std::string::npos && field < end)
        bodyLength = std::strtoul(data.c_str() + field + 16, nullptr, 10);
    return data.size() >= end + 4 + bodyLength;
}

} // namespace

LoopbackServer::LoopbackServer(std::string reply, Mode mode, int port) : m_reply(std::move(reply)), m_mode(mode)
{
    m_listener = BoundSocket(port, m_port);
    if (m_listener < 0)
        return;
    if (listen(m_listener, 4) != 0)
    {
        close(m_listener);
        m_listener = -1;
        return;
    }
    m_thread = std::thread([this] { Serve(); });
}

LoopbackServer::~LoopbackServer()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_listener >= 0)
        close(m_listener);
}

std::string LoopbackServer::Url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

std::string LoopbackServer::WaitForRequest(std::chrono::milliseconds wait)
{
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (!m_requestDone && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requestDone ? m_request : std::string();
}

void LoopbackServer::Serve()
{
    pollfd waiting{m_listener, POLLIN, 0};
    while (!m_stop && poll(&waiting, 1, kPollMs) == 0)
    {
    }
    if (m_stop)
        return;
    const int connection = accept(m_listener, nullptr, nullptr);
    if (connection < 0)
        return;
    m_connected = true;
    std::string data;
    pollfd reading{connection, POLLIN, 0};
    while (!m_stop && !RequestComplete(data))
    {
        if (poll(&reading, 1, kPollMs) <= 0)
            continue;
        char buffer[4096];
        const ssize_t got = recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0)
            break;
        data.append(buffer, static_cast<std::size_t>(got));
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_request = data;
    }
    m_requestDone = true;
    if (m_mode == Mode::kAnswer)
    {
        std::size_t sent = 0;
        while (sent < m_reply.size())
        {
            const ssize_t put = send(connection, m_reply.data() + sent, m_reply.size() - sent, MSG_NOSIGNAL);
            if (put <= 0)
                break;
            sent += static_cast<std::size_t>(put);
        }
    }
    else
    {
        while (!m_stop)
            std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    }
    close(connection);
}

int RefusedPort()
{
    int port = 0;
    const int fd = BoundSocket(0, port);
    if (fd >= 0)
        close(fd);
    return port;
}
