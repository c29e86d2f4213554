// The HTTP service's step-by-step download against the curl command-line program: a 50 MB file from the same
// loopback server, the service polled once a simulated frame into /dev/null. A simulated frame does no work and
// does not sleep: it gives the processor up once (as a frame that waits for the display would when the display
// is fast), so the figure is what the service can move, not what a 60 Hz game would ask of it; at 60 frames a
// second a poll drains at most what the transfer's bounded buffer holds, whatever the network does.
//
// The two sides run in rounds, interleaved (the first side alternates from round to round), so that a machine
// that others share slows both alike; the ratio of each round is printed and their median is the figure. Every
// poll of every download is counted by its time, and getrusage tells whether the system took the processor away
// during it (preempted) or whether the poll itself slept (blocked, which it never should); the thread's processor
// time during the poll, beside its wall time, shows what the poll itself cost: on this virtual machine, shared
// with others, a poll may also lose time to the host or to interrupts without any switch of threads.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "LoopbackHttpServer.h"
#include "forms/HttpService.h"
#include "foundation/CFile.h"

extern char** environ;

namespace {

constexpr std::size_t kFileBytes = 50u * 1024 * 1024;
constexpr int kRounds = 9;
constexpr int kDownloadsPerRound = 5;
const char* const kServiceName = "BM_ServiceDownload";
const char* const kCurlName = "BM_CurlCommandLine";

testsupport::LoopbackHttpServer& Server()
{
    static auto* server = [] {
        auto* made = new testsupport::LoopbackHttpServer(1000);
        made->SetStandingReply({.body = std::string(kFileBytes, 'x')});
        return made;
    }();
    return *server;
}

long ResidentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return 0;
}

// The polls of every download of the run. Each is counted by its time in steps of 10 microseconds (the last step
// holds the slower ones), so that keeping them takes no memory that the measure of memory held would count.
struct PollRecord {
    static constexpr int kStepsPerMs = 100;
    std::vector<std::int64_t> steps = std::vector<std::int64_t>(10 * kStepsPerMs, 0);
    std::int64_t polls = 0;
    std::int64_t preempted = 0;
    std::int64_t blocked = 0;
    std::int64_t withData = 0;
    std::int64_t bytes = 0;
    double worstMs = 0;
    double worstUndisturbedMs = 0;  // of the polls during which the thread kept the processor
    double worstCpuMs = 0;          // the most processor time the thread spent in one poll
    long heldKilobytes = 0;

    void Add(double ms, double cpuMs, const rusage& before, const rusage& after, std::int64_t received)
    {
        ++polls;
        ++steps[std::min<std::size_t>(steps.size() - 1, static_cast<std::size_t>(ms * kStepsPerMs))];
        worstMs = std::max(worstMs, ms);
        worstCpuMs = std::max(worstCpuMs, cpuMs);
        const bool wasPreempted = after.ru_nivcsw != before.ru_nivcsw;
        preempted += wasPreempted;
        blocked += after.ru_nvcsw != before.ru_nvcsw;
        if (!wasPreempted) worstUndisturbedMs = std::max(worstUndisturbedMs, ms);
        withData += received > 0;
        bytes += received;
    }
    void Merge(const PollRecord& other)
    {
        for (std::size_t step = 0; step < steps.size(); ++step) steps[step] += other.steps[step];
        polls += other.polls;
        preempted += other.preempted;
        blocked += other.blocked;
        withData += other.withData;
        bytes += other.bytes;
        worstMs = std::max(worstMs, other.worstMs);
        worstUndisturbedMs = std::max(worstUndisturbedMs, other.worstUndisturbedMs);
        worstCpuMs = std::max(worstCpuMs, other.worstCpuMs);
        heldKilobytes = std::max(heldKilobytes, other.heldKilobytes);
    }
    // The upper bound of the step below which that share of the polls fall.
    double UnderMs(double share) const
    {
        std::int64_t seen = 0;
        for (std::size_t step = 0; step < steps.size(); ++step)
            if ((seen += steps[step]) >= share * static_cast<double>(polls)) return (step + 1.0) / kStepsPerMs;
        return static_cast<double>(steps.size()) / kStepsPerMs;
    }
};

PollRecord allPolls;

double ThreadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

rusage ThreadUsage()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage;
}

void BM_ServiceDownload(benchmark::State& state)
{
    const std::string url = Server().Base() + "/file";
    HttpService service(platform::inet::Load());
    PollRecord round;
    for (auto _ : state) {
        CFile sink;
        if (!sink.Open("/dev/null", kFileWrite | kFileAbsolute)) state.SkipWithError("no /dev/null");
        const long before = ResidentKilobytes();
        service.StartGet(url.c_str(), &sink, true, nullptr);
        for (int frame = 0;; ++frame) {
            const std::int32_t receivedBefore = service.GetBytesReceived();
            const rusage usageBefore = ThreadUsage();
            const double cpuBefore = ThreadCpuMs();
            const auto start = std::chrono::steady_clock::now();
            const bool idle = service.Poll();
            const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
            const double cpu = ThreadCpuMs() - cpuBefore;
            round.Add(took.count(), cpu, usageBefore, ThreadUsage(), service.GetBytesReceived() - receivedBefore);
            if (idle) break;
            std::this_thread::yield();
            if (frame % 512 == 0) round.heldKilobytes = std::max(round.heldKilobytes, ResidentKilobytes() - before);
        }
        if (!service.LastResult() || service.GetBytesReceived() != static_cast<int>(kFileBytes))
            state.SkipWithError("the download failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileBytes));
    state.counters["worst_poll_ms"] = round.worstMs;
    state.counters["p999_poll_ms"] = round.UnderMs(0.999);
    state.counters["preempted"] = static_cast<double>(round.preempted);
    state.counters["held_kB"] = static_cast<double>(round.heldKilobytes);
    allPolls.Merge(round);
}

// The same service at a game's pace: one poll per 60 Hz frame, the frame sleeping the rest of its time. A poll
// drains what the transfer's bounded buffer holds, so this is what a menu's download gets, whatever the network.
void BM_PacedServiceDownload(benchmark::State& state)
{
    constexpr std::size_t kBytes = 4u * 1024 * 1024;
    constexpr auto kFrame = std::chrono::microseconds(16667);
    const std::string url = Server().Base() + "/paced";
    HttpService service(platform::inet::Load());
    for (auto _ : state) {
        Server().Push({.body = std::string(kBytes, 'y')});
        CFile sink;
        if (!sink.Open("/dev/null", kFileWrite | kFileAbsolute)) state.SkipWithError("no /dev/null");
        service.StartGet(url.c_str(), &sink, true, nullptr);
        auto frame = std::chrono::steady_clock::now();
        while (!service.Poll()) std::this_thread::sleep_until(frame += kFrame);
        if (!service.LastResult() || service.GetBytesReceived() != static_cast<int>(kBytes))
            state.SkipWithError("the download failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBytes));
}

void BM_CurlCommandLine(benchmark::State& state)
{
    const std::string url = Server().Base() + "/file";
    for (auto _ : state) {
        const char* argv[] = {"curl", "-s", "-o", "/dev/null", url.c_str(), nullptr};
        pid_t child = 0;
        int status = 0;
        if (posix_spawnp(&child, "curl", nullptr, nullptr, const_cast<char**>(argv), environ) != 0 ||
            waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            state.SkipWithError("the curl program failed (is it installed?)");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileBytes));
}

// The rate of each side in each round (bytes per second), by round.
std::map<int, double> serviceRates;
std::map<int, double> curlRates;
double pacedRate = 0;

int RoundOf(const std::string& name)
{
    const std::size_t at = name.find("round:");
    return at == std::string::npos ? -1 : std::stoi(name.substr(at + 6));
}

class RateReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto rate = run.counters.find("bytes_per_second");
            if (rate == run.counters.end() || run.error_occurred) continue;
            const std::string name = run.benchmark_name();
            if (name.rfind(kServiceName, 0) == 0) serviceRates[RoundOf(name)] = rate->second;
            if (name.rfind(kCurlName, 0) == 0) curlRates[RoundOf(name)] = rate->second;
            if (name.rfind("BM_PacedServiceDownload", 0) == 0) pacedRate = rate->second;
        }
    }
};

void RegisterRounds()
{
    for (int round = 0; round < kRounds; ++round) {
        const std::string suffix = "/round:" + std::to_string(round);
        auto service = [&] {
            benchmark::RegisterBenchmark((kServiceName + suffix).c_str(), BM_ServiceDownload)
                ->Iterations(kDownloadsPerRound)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        };
        auto curl = [&] {
            benchmark::RegisterBenchmark((kCurlName + suffix).c_str(), BM_CurlCommandLine)
                ->Iterations(kDownloadsPerRound)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        };
        if (round % 2 == 0) {
            service();
            curl();
        } else {
            curl();
            service();
        }
    }
    benchmark::RegisterBenchmark("BM_PacedServiceDownload", BM_PacedServiceDownload)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

// One download before the measured ones: what the process sets up once (libcurl, its TLS library, the first
// thread) is not memory that a transfer holds.
void WarmUp()
{
    HttpService service(platform::inet::Load());
    CFile sink;
    if (!sink.Open("/dev/null", kFileWrite | kFileAbsolute)) return;
    service.StartGet((Server().Base() + "/file").c_str(), &sink, true, nullptr);
    while (!service.Poll()) std::this_thread::yield();
}

void PrintSummary()
{
    std::vector<double> ratios;
    std::printf("\nRound  service MB/s  curl MB/s  ratio\n");
    for (const auto& [round, service] : serviceRates) {
        const auto curl = curlRates.find(round);
        if (curl == curlRates.end() || curl->second <= 0) continue;
        ratios.push_back(service / curl->second);
        std::printf("%5d  %12.1f  %9.1f  %5.2f\n", round, service / 1e6, curl->second / 1e6, ratios.back());
    }
    if (ratios.empty()) return;
    std::sort(ratios.begin(), ratios.end());
    const double median =
        ratios.size() % 2 ? ratios[ratios.size() / 2] : (ratios[ratios.size() / 2 - 1] + ratios[ratios.size() / 2]) / 2;
    std::printf("Service download / curl program: median %.2f, from %.2f to %.2f over %zu rounds (aim: at least 0.8)\n",
                median, ratios.front(), ratios.back(), ratios.size());
    const PollRecord& polls = allPolls;
    std::printf("Polls: %lld, %lld of them with data (%.0f kB each on average)\n", static_cast<long long>(polls.polls),
                static_cast<long long>(polls.withData),
                polls.withData ? static_cast<double>(polls.bytes) / static_cast<double>(polls.withData) / 1024 : 0.0);
    std::printf("Poll time: worst %.3f ms; 99.9%% under %.2f ms, 99.99%% under %.2f ms (aim: worst under 1 ms)\n",
                polls.worstMs, polls.UnderMs(0.999), polls.UnderMs(0.9999));
    std::printf("  preempted during the poll: %lld; worst of the other polls: %.3f ms; the poll slept: %lld times\n",
                static_cast<long long>(polls.preempted), polls.worstUndisturbedMs,
                static_cast<long long>(polls.blocked));
    std::printf("  most processor time the thread spent in one poll: %.3f ms\n", polls.worstCpuMs);
    std::printf("Memory held during a download: at most %ld kB (aim: under 1024 kB)\n", polls.heldKilobytes);
    if (pacedRate > 0)
        std::printf("At one poll per 60 Hz frame the service moves %.1f MB/s (the bounded buffer once a frame)\n",
                    pacedRate / 1e6);
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RegisterRounds();
    WarmUp();
    RateReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintSummary();
    benchmark::Shutdown();
    return 0;
}
