// The HTTP service's step-by-step download against the curl command-line program: a 50 MB file from the same
// loopback server, the service polled once a simulated frame into /dev/null (a frame gives the processor up once,
// as a frame that waits for the display would). Besides the throughput it reports the worst single Poll (a frame
// must stay within its budget) and how much more memory the process held during the download than before it.
// After the run the ratio is printed.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "LoopbackHttpServer.h"
#include "forms/HttpService.h"
#include "foundation/CFile.h"

extern char** environ;

namespace {

constexpr std::size_t kFileBytes = 50u * 1024 * 1024;

testsupport::LoopbackHttpServer& Server()
{
    static auto* server = [] {
        auto* made = new testsupport::LoopbackHttpServer(100000);
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

// The upper bound of the step below which 999 in 1000 of the counted polls fall.
double Permille999(const std::vector<std::int64_t>& steps)
{
    std::int64_t total = 0;
    for (const std::int64_t count : steps) total += count;
    std::int64_t seen = 0;
    for (std::size_t step = 0; step < steps.size(); ++step)
        if ((seen += steps[step]) * 1000 >= total * 999) return static_cast<double>(step + 1);
    return static_cast<double>(steps.size());
}

double serviceRate = 0;
double curlRate = 0;

void BM_ServiceDownload(benchmark::State& state)
{
    const std::string url = Server().Base() + "/file";
    HttpService service(platform::inet::Load());
    // Polls counted by their time in steps of 10 microseconds (the last step holds the slower ones), so that
    // keeping them takes no memory that the measure of memory held would count.
    std::vector<std::int64_t> pollSteps(1000, 0);
    double worstPollMs = 0;
    long heldKilobytes = 0;
    for (auto _ : state) {
        CFile sink;
        if (!sink.Open("/dev/null", kFileWrite | kFileAbsolute)) state.SkipWithError("no /dev/null");
        const long before = ResidentKilobytes();
        service.StartGet(url.c_str(), &sink, true, nullptr);
        for (int frame = 0;; ++frame) {
            const auto start = std::chrono::steady_clock::now();
            const bool idle = service.Poll();
            const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
            worstPollMs = std::max(worstPollMs, took.count());
            ++pollSteps[std::min<std::size_t>(pollSteps.size() - 1, static_cast<std::size_t>(took.count() * 100))];
            if (idle) break;
            std::this_thread::yield();
            if (frame % 512 == 0) heldKilobytes = std::max(heldKilobytes, ResidentKilobytes() - before);
        }
        if (!service.LastResult() || service.GetBytesReceived() != static_cast<int>(kFileBytes))
            state.SkipWithError("the download failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileBytes));
    // The worst poll, and the time that 999 in 1000 polls stay under (the worst also counts a preempted thread).
    state.counters["worst_poll_ms"] = worstPollMs;
    state.counters["p999_poll_ms"] = Permille999(pollSteps) / 100.0;
    state.counters["held_kB"] = static_cast<double>(heldKilobytes);
}
BENCHMARK(BM_ServiceDownload)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

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
BENCHMARK(BM_CurlCommandLine)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

// Keeps each benchmark's bytes per second for the ratio.
class RateReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto rate = run.counters.find("bytes_per_second");
            if (rate == run.counters.end()) continue;
            if (run.benchmark_name().rfind("BM_ServiceDownload", 0) == 0) serviceRate = rate->second;
            if (run.benchmark_name().rfind("BM_CurlCommandLine", 0) == 0) curlRate = rate->second;
        }
    }
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RateReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (serviceRate > 0 && curlRate > 0)
        std::printf("\nService download / curl program: %.1f / %.1f MB/s = %.2f (aim: at least 0.8)\n",
                    serviceRate / 1e6, curlRate / 1e6, serviceRate / curlRate);
    benchmark::Shutdown();
    return 0;
}
