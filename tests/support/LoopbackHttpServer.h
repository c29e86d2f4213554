// A small HTTP server on 127.0.0.1 for tests: it listens on a free port, answers each request with the next
// scripted reply and records the requests. A reply can carry any status and headers, leave out its length,
// come in slow pieces, break off mid-body or never come. Every wait is bounded, it serves at most a fixed number
// of connections, and it stops when the test ends.
#pragma once
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

class LoopbackHttpServer {
public:
    // How a connection is answered.
    struct Reply {
        std::string body = {};
        bool silent = false;  // read the request, then say nothing until the client gives up
        std::string status = "200 OK";
        std::vector<std::string> headers = {};      // further header lines
        bool withLength = true;                     // a Content-Length header
        std::size_t dropAfter = std::string::npos;  // the connection closes after this many body bytes
        std::size_t pieceBytes = 0;                 // the body in pieces of this size...
        int pieceMs = 0;                            // ...with this pause before each
    };
    // A request as it arrived.
    struct Request {
        std::string head;
        std::string body;
    };

    static constexpr int PollMs = 50;
    static constexpr int SilentMs = 3000;

    explicit LoopbackHttpServer(int maxConnections = 32) : maxConnections_(maxConnections)
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

    // Replies in order; when none is left a connection gets the standing reply (an empty body unless set).
    void Push(Reply reply)
    {
        std::lock_guard<std::mutex> hold(lock_);
        replies_.push_back(std::make_shared<const Reply>(std::move(reply)));
    }
    void SetStandingReply(Reply reply)
    {
        std::lock_guard<std::mutex> hold(lock_);
        standing_ = std::make_shared<const Reply>(std::move(reply));
    }

    std::vector<Request> Requests() const
    {
        std::lock_guard<std::mutex> hold(lock_);
        return requests_;
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
        for (int served = 0; served < maxConnections_ && !stop_;) {
            pollfd waiting{listener_, POLLIN, 0};
            if (::poll(&waiting, 1, PollMs) <= 0) continue;
            const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (connection < 0) continue;
            ++served;
            Answer(connection);
            ::close(connection);
        }
    }

    // Reads the request (bounded in size and time), records it and sends the reply.
    void Answer(int connection)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(SilentMs);
        Request request;
        if (!ReadRequest(connection, deadline, &request)) return;
        const std::shared_ptr<const Reply> reply = Next(request);
        if (reply->silent) {
            WaitForClose(connection, deadline);
            return;
        }
        std::string head = "HTTP/1.1 " + reply->status + "\r\nContent-Type: text/plain\r\nConnection: close\r\n";
        if (reply->withLength) head += "Content-Length: " + std::to_string(reply->body.size()) + "\r\n";
        for (const std::string& line : reply->headers) head += line + "\r\n";
        head += "\r\n";
        if (!SendAll(connection, head.data(), head.size())) return;
        const std::size_t total = std::min(reply->body.size(), reply->dropAfter);
        const std::size_t piece = reply->pieceBytes ? reply->pieceBytes : total;
        for (std::size_t sent = 0; sent < total && !stop_; sent += piece) {
            if (reply->pieceMs) std::this_thread::sleep_for(std::chrono::milliseconds(reply->pieceMs));
            if (!SendAll(connection, reply->body.data() + sent, std::min(piece, total - sent))) return;
        }
    }

    static bool SendAll(int connection, const char* data, std::size_t size)
    {
        while (size > 0) {
            const ssize_t sent = ::send(connection, data, size, MSG_NOSIGNAL);
            if (sent <= 0) return false;
            data += sent;
            size -= static_cast<std::size_t>(sent);
        }
        return true;
    }

    // The head up to its blank line, then as many body bytes as its Content-Length says.
    bool ReadRequest(int connection, std::chrono::steady_clock::time_point deadline, Request* request)
    {
        std::string text;
        std::size_t headEnd = std::string::npos;
        std::size_t wanted = std::string::npos;
        while (text.size() < 1 << 20 && !stop_) {
            if (headEnd == std::string::npos && (headEnd = text.find("\r\n\r\n")) != std::string::npos) {
                headEnd += 4;
                wanted = headEnd + BodyLength(text.substr(0, headEnd));
            }
            if (text.size() >= wanted) break;
            if (std::chrono::steady_clock::now() > deadline) return false;
            pollfd readable{connection, POLLIN, 0};
            if (::poll(&readable, 1, PollMs) <= 0) continue;
            char chunk[4096];
            const ssize_t got = ::recv(connection, chunk, sizeof chunk, 0);
            if (got <= 0) return false;
            text.append(chunk, static_cast<std::size_t>(got));
        }
        if (headEnd == std::string::npos) return false;
        request->head = text.substr(0, headEnd);
        request->body = text.substr(headEnd);
        return true;
    }

    static std::size_t BodyLength(const std::string& head)
    {
        for (const char* name : {"\r\nContent-Length:", "\r\ncontent-length:"}) {
            const std::size_t at = head.find(name);
            if (at != std::string::npos) return std::strtoul(head.c_str() + at + std::strlen(name), nullptr, 10);
        }
        return 0;
    }

    std::shared_ptr<const Reply> Next(const Request& request)
    {
        const std::string& head = request.head;
        const std::size_t start = head.find(' ');
        const std::size_t end = start == std::string::npos ? start : head.find(' ', start + 1);
        std::lock_guard<std::mutex> hold(lock_);
        targets_.push_back(end == std::string::npos ? "" : head.substr(start + 1, end - start - 1));
        requests_.push_back(request);
        if (replies_.empty()) return standing_;
        std::shared_ptr<const Reply> reply = replies_.front();
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

    int maxConnections_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    mutable std::mutex lock_;
    std::deque<std::shared_ptr<const Reply>> replies_;
    std::shared_ptr<const Reply> standing_ = std::make_shared<const Reply>();
    std::vector<std::string> targets_;
    std::vector<Request> requests_;
};

}  // namespace testsupport
