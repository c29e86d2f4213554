// A small HTTP server on 127.0.0.1 for tests: it listens on a free port, answers each request with the next
// scripted reply and records the request targets. Every wait is bounded, it serves at most a fixed number of
// connections, and it stops when the test ends.
#pragma once
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

class LoopbackHttpServer {
public:
    // How a connection is answered.
    struct Reply {
        std::string body;
        bool silent = false;  // read the request, then say nothing until the client gives up
    };

    static constexpr int MaxConnections = 32;
    static constexpr int PollMs = 50;
    static constexpr int SilentMs = 3000;

    LoopbackHttpServer()
    {
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(listener_, 8) != 0 ||
            ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            std::abort();
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }

    ~LoopbackHttpServer()
    {
        stop_ = true;
        thread_.join();
        ::close(listener_);
    }

    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    int Port() const { return port_; }
    std::string Base() const { return "http://127.0.0.1:" + std::to_string(port_); }

    // Replies in order; when none is left a connection gets an empty body.
    void Push(Reply reply)
    {
        std::lock_guard<std::mutex> hold(lock_);
        replies_.push_back(std::move(reply));
    }

    // The targets of the requests so far ("/path?query").
    std::vector<std::string> Targets() const
    {
        std::lock_guard<std::mutex> hold(lock_);
        return targets_;
    }

private:
    void Serve()
    {
        for (int served = 0; served < MaxConnections && !stop_;) {
            pollfd waiting{listener_, POLLIN, 0};
            if (::poll(&waiting, 1, PollMs) <= 0) continue;
            const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (connection < 0) continue;
            ++served;
            Answer(connection);
            ::close(connection);
        }
    }

    // Reads the request head (bounded in size and time), records its target and sends the reply.
    void Answer(int connection)
    {
        std::string head;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(SilentMs);
        while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536 && !stop_) {
            if (std::chrono::steady_clock::now() > deadline) return;
            pollfd readable{connection, POLLIN, 0};
            if (::poll(&readable, 1, PollMs) <= 0) continue;
            char chunk[4096];
            const ssize_t got = ::recv(connection, chunk, sizeof chunk, 0);
            if (got <= 0) return;
            head.append(chunk, static_cast<std::size_t>(got));
        }
        const Reply reply = Next(head);
        if (reply.silent) {
            WaitForClose(connection, deadline);
            return;
        }
        const std::string text =
            "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\nContent-Length: " +
            std::to_string(reply.body.size()) + "\r\n\r\n" + reply.body;
        ::send(connection, text.data(), text.size(), MSG_NOSIGNAL);
    }

    Reply Next(const std::string& head)
    {
        const std::size_t start = head.find(' ');
        const std::size_t end = start == std::string::npos ? start : head.find(' ', start + 1);
        std::lock_guard<std::mutex> hold(lock_);
        targets_.push_back(end == std::string::npos ? "" : head.substr(start + 1, end - start - 1));
        if (replies_.empty()) return {};
        Reply reply = replies_.front();
        replies_.pop_front();
        return reply;
    }

    void WaitForClose(int connection, std::chrono::steady_clock::time_point deadline)
    {
        while (!stop_ && std::chrono::steady_clock::now() < deadline) {
            pollfd closed{connection, POLLIN, 0};
            char byte;
            if (::poll(&closed, 1, PollMs) > 0 && ::recv(connection, &byte, 1, 0) <= 0) return;
        }
    }

    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    mutable std::mutex lock_;
    std::deque<Reply> replies_;
    std::vector<std::string> targets_;
};

}  // namespace testsupport
