#include "platform/shell.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <mutex>

#include "platform/files.h"
#include "platform/headless.h"

extern char** environ;

namespace {

std::mutex recordLock;
std::vector<platform::ShellRequest>& Recorded()
{
    static std::vector<platform::ShellRequest> requests;
    return requests;
}

void Record(const char* kind, const char* text, const char* folder, bool hidden)
{
    std::lock_guard<std::mutex> hold(recordLock);
    Recorded().push_back({kind, text ? text : "", folder ? folder : "", hidden});
}

// Spawn's answer when no program could be started.
constexpr pid_t NoChild = -1;

// posix_spawnp with the arguments; stdout and stderr of a hidden program go nowhere.
pid_t Spawn(const std::vector<std::string>& arguments, const char* folder, bool hidden)
{
    if (arguments.empty()) return NoChild;
    std::vector<char*> argv;
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    std::string resolvedFolder;
    if (folder && *folder) {
        resolvedFolder = platform::ResolvePath(folder);
        posix_spawn_file_actions_addchdir_np(&actions, resolvedFolder.c_str());
    }
    if (hidden) {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    }
    std::string program = arguments[0];
    if (program.find('/') != std::string::npos || program.find('\\') != std::string::npos)
        program = platform::ResolvePath(program);
    pid_t child = NoChild;
    const int failed = posix_spawnp(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return failed ? NoChild : child;
}

}  // namespace

namespace platform {

std::vector<std::string> SplitCommandLine(const char* commandLine)
{
    std::vector<std::string> arguments;
    if (!commandLine) return arguments;
    std::string current;
    bool quoted = false, any = false;
    for (const char* p = commandLine; *p; ++p) {
        if (*p == '\\' && p[1] == '"') {
            current += '"';
            any = true;
            ++p;
        } else if (*p == '"') {
            quoted = !quoted;
            any = true;
        } else if ((*p == ' ' || *p == '\t') && !quoted) {
            if (any) arguments.push_back(current);
            current.clear();
            any = false;
        } else {
            current += *p;
            any = true;
        }
    }
    if (any) arguments.push_back(current);
    return arguments;
}

bool ShellOpen(const char* target)
{
    if (!target || !*target) return false;
    if (IsHeadless()) {
        Record("open", target, nullptr, false);
        return true;
    }
    const pid_t child = Spawn({"xdg-open", target}, nullptr, true);
    if (child == NoChild) return false;
    ProcessStillRunning(reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(child)));
    return true;
}

bool StartProcess(const char* commandLine, const char* folder, bool hidden, HANDLE* process)
{
    if (process) *process = nullptr;
    if (IsHeadless()) {
        Record("run", commandLine, folder, hidden);
        return commandLine && *commandLine;
    }
    const pid_t child = Spawn(SplitCommandLine(commandLine), folder, hidden);
    if (child == NoChild) return false;
    if (process) *process = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(child));
    return true;
}

bool ProcessStillRunning(HANDLE process)
{
    const auto child = static_cast<pid_t>(reinterpret_cast<std::intptr_t>(process));
    if (child <= 0) return false;
    int status = 0;
    return ::waitpid(child, &status, WNOHANG) == 0;
}

std::vector<ShellRequest> RecordedShellRequests()
{
    std::lock_guard<std::mutex> hold(recordLock);
    return Recorded();
}

void ClearRecordedShellRequests()
{
    std::lock_guard<std::mutex> hold(recordLock);
    Recorded().clear();
}

}  // namespace platform
