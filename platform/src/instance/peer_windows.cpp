// The conversation between a later copy of the program and the first one: one request line per connection,
// answered by one line. Requests are "find", "show" and "send" with their arguments separated by tabs; a text
// argument is "-" when absent, else "=" and the text.
#include "instance/peer_windows.h"

#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/single_instance.h"

namespace {

constexpr std::size_t kMaxLine = 1024;
constexpr int kAnswerWaitMs = 1000;  // a first copy that is still starting does not answer in time
constexpr int kRequestWaitMs = 200;  // the later copy writes its request as soon as it is connected
constexpr std::uintptr_t kPeerTag = std::uintptr_t{1} << 62;

std::string peerSocket;
int listener = -1;

void SetTimeouts(int socket, int milliseconds)
{
    timeval wait{milliseconds / 1000, (milliseconds % 1000) * 1000};
    ::setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    ::setsockopt(socket, SOL_SOCKET, SO_SNDTIMEO, &wait, sizeof wait);
}

bool WriteLine(int socket, const std::string& line)
{
    const std::string text = line + "\n";
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::send(socket, text.data() + done, text.size() - done, MSG_NOSIGNAL);
        if (written <= 0) return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

std::optional<std::string> ReadLine(int socket)
{
    std::string line;
    char c = 0;
    while (line.size() < kMaxLine) {
        if (::recv(socket, &c, 1, 0) != 1) return std::nullopt;
        if (c == '\n') return line;
        line += c;
    }
    return std::nullopt;
}

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', start)) {
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    fields.push_back(line.substr(start));
    return fields;
}

std::string TextField(LPCSTR text) { return text ? "=" + std::string(text) : "-"; }

// The text of a field, or nullptr for an absent one; the field must outlive the pointer.
LPCSTR FieldText(const std::string& field) { return field.empty() || field[0] != '=' ? nullptr : field.c_str() + 1; }

std::optional<long long> Number(const std::string& field)
{
    if (field.empty()) return std::nullopt;
    char* end = nullptr;
    const long long value = std::strtoll(field.c_str(), &end, 10);
    if (*end != '\0') return std::nullopt;
    return value;
}

std::optional<std::string> Ask(const std::string& request)
{
    if (peerSocket.empty()) return std::nullopt;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (peerSocket.size() >= sizeof address.sun_path) return std::nullopt;
    std::memcpy(address.sun_path, peerSocket.c_str(), peerSocket.size() + 1);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket < 0) return std::nullopt;
    std::optional<std::string> answer;
    SetTimeouts(socket, kAnswerWaitMs);
    if (::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
        WriteLine(socket, request))
        answer = ReadLine(socket);
    ::close(socket);
    return answer;
}

HWND LocalHandle(HWND peer) { return reinterpret_cast<HWND>(reinterpret_cast<std::uintptr_t>(peer) & ~kPeerTag); }

std::string AnswerFind(const std::vector<std::string>& fields)
{
    if (fields.size() != 3) return "0";
    return std::to_string(reinterpret_cast<std::uintptr_t>(FindWindowA(FieldText(fields[1]), FieldText(fields[2]))));
}

std::string AnswerShow(const std::vector<std::string>& fields)
{
    const auto window = fields.size() == 3 ? Number(fields[1]) : std::nullopt;
    const auto command = fields.size() == 3 ? Number(fields[2]) : std::nullopt;
    if (!window || !command) return "0";
    return std::to_string(ShowWindow(reinterpret_cast<HWND>(*window), static_cast<int>(*command)));
}

// Only commands cross: nothing else a later copy could send is of use to it.
std::string AnswerSend(const std::vector<std::string>& fields)
{
    if (fields.size() != 5) return "0";
    const auto window = Number(fields[1]), message = Number(fields[2]), wParam = Number(fields[3]),
               lParam = Number(fields[4]);
    if (!window || !message || !wParam || !lParam || *message != WM_COMMAND) return "0";
    return std::to_string(SendMessageA(reinterpret_cast<HWND>(*window), WM_COMMAND, static_cast<WPARAM>(*wParam),
                                       static_cast<LPARAM>(*lParam)));
}

std::string Answer(const std::string& request)
{
    const std::vector<std::string> fields = Fields(request);
    if (fields[0] == "find") return AnswerFind(fields);
    if (fields[0] == "show") return AnswerShow(fields);
    if (fields[0] == "send") return AnswerSend(fields);
    return "0";
}

}  // namespace

namespace platform {

void SetPeerSocket(const std::string& path) { peerSocket = path; }
void SetInstanceListener(int socket) { listener = socket; }

bool IsPeerWindow(HWND window)
{
    return !peerSocket.empty() && (reinterpret_cast<std::uintptr_t>(window) & kPeerTag) != 0;
}

HWND FindPeerWindow(LPCSTR className, LPCSTR windowName)
{
    const auto answer = Ask("find\t" + TextField(className) + "\t" + TextField(windowName));
    const auto handle = answer ? Number(*answer) : std::nullopt;
    if (!handle || *handle <= 0) return nullptr;
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(*handle) | kPeerTag);
}

BOOL ShowPeerWindow(HWND window, int command)
{
    const auto handle = reinterpret_cast<std::uintptr_t>(LocalHandle(window));
    const auto answer = Ask("show\t" + std::to_string(handle) + "\t" + std::to_string(command));
    const auto result = answer ? Number(*answer) : std::nullopt;
    return result && *result ? TRUE : FALSE;
}

LRESULT SendPeerMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto handle = reinterpret_cast<std::uintptr_t>(LocalHandle(window));
    const auto answer = Ask("send\t" + std::to_string(handle) + "\t" + std::to_string(message) + "\t" +
                            std::to_string(static_cast<long long>(wParam)) + "\t" + std::to_string(lParam));
    const auto result = answer ? Number(*answer) : std::nullopt;
    return result ? static_cast<LRESULT>(*result) : 0;
}

void ServeInstanceRequests()
{
    if (listener < 0) return;
    for (int served = 0; served < 8; ++served) {
        const int client = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) return;
        SetTimeouts(client, kRequestWaitMs);
        if (const auto request = ReadLine(client)) WriteLine(client, Answer(*request));
        ::close(client);
    }
}

}  // namespace platform
