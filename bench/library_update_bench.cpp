// The per-frame check for updated library files while nothing is pending, set against the 16.7 ms a frame has
// (counter share_of_frame): the shared Arcade and channel archives hold the library's own versions. Arg 0 is the
// steady frame (the archives' versions known from an earlier frame); arg 1 touches both shared archives before every
// check, so that their directories and version records are read again, as they would be without the kept answers.
#include <dlfcn.h>
#include <sys/stat.h>
#include <utime.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>

#include "TempDir.h"
#include "foundation/HostWindow.h"
#include "front/ArcadeState.h"
#include "front/LibraryUpdate.h"
#include "front/StoredZipWriter.h"
#include "front/TA_API.h"

namespace {

namespace fs = std::filesystem;

constexpr double kFrameSeconds = 1.0 / 60.0;

void WriteVersionArchive(const std::string& path, const std::string& member, int version)
{
    fs::create_directories(fs::path(path).parent_path());
    const std::string record = "CAssetVersionInfo\r\n{\r\n\tVersion Number=" + std::to_string(version) + "\r\n}\r\n";
    const std::string padding(64 * 1024, 'p');
    StoredZipWriter writer;
    writer.Create(path.c_str());
    for (int i = 0; i < 40; ++i)
        writer.AddMember("Resources/Other" + std::to_string(i) + ".txt", padding.data(), 1024, 0x6000, 0x5A21);
    writer.AddMember(member, record.data(), static_cast<std::uint32_t>(record.size()), 0x6000, 0x5A21);
    writer.Finish();
}

// A library folder of the benchmark's own with the runnable tree's library and archive, started once; the shared
// folders hold archives of the same versions.
struct StartedLibrary {
    testsupport::TempDir root;
    std::string arcade, channel;

    StartedLibrary()
    {
        const std::string dist = std::string(VEL_BENCH_DIST_DIR) + "/TollarineArcade/";
        const std::string folder = root / "TollarineArcade/";
        fs::create_directories(folder);
        fs::create_symlink(dist + "TollarineArcade.so", folder + "TollarineArcade.so");
        fs::copy_file(dist + "Arcade.dat", folder + "Arcade.dat");
        ::setenv("VEL_HEADLESS", "1", 1);
        ::setenv("VEL_PROGRAM_FILES_DIR", (root / "Program Files").c_str(), 1);
        ::setenv("VEL_REGISTRY_FILE", (root / "registry.reg").c_str(), 1);
        HostWindow::Instance().moduleHandle =
            static_cast<HINSTANCE>(::dlopen((folder + "TollarineArcade.so").c_str(), RTLD_NOW));
        if (TA_Initialize(60, "Velmorine", 4089, 1.0f, 0, 6) != 0) std::abort();
        fs::current_path(folder);
        arcade = root / "Program Files/TollarineArcade/Arcade/Arcade.dat";
        channel = root / ("Program Files/TollarineArcade/Channels/" + std::to_string(GetArcadeState().ChannelID) +
                          "/Channel.dat");
        WriteVersionArchive(arcade, "Resources/Arcade.version.txt", 1);
        WriteVersionArchive(channel, "Resources/Channel.version.txt", 0);
    }
};

StartedLibrary& Library()
{
    static StartedLibrary library;
    return library;
}

// Moves the file's modification time on by a second from its last value.
void Touch(const std::string& path)
{
    struct stat found {};
    ::stat(path.c_str(), &found);
    const utimbuf times{found.st_atime, found.st_mtime + 1};
    ::utime(path.c_str(), &times);
}

void BM_CheckLibraryFileUpdateWhileNothingIsPending(benchmark::State& state)
{
    StartedLibrary& library = Library();
    const bool changed = state.range(0) != 0;
    double seconds = 0;
    for (auto _ : state) {
        if (changed) {
            state.PauseTiming();
            Touch(library.arcade);
            Touch(library.channel);
            state.ResumeTiming();
        }
        const auto start = std::chrono::steady_clock::now();
        if (CheckLibraryFileUpdate()) state.SkipWithError("an update was staged");
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    state.counters["share_of_frame"] = seconds / static_cast<double>(state.iterations()) / kFrameSeconds;
}
BENCHMARK(BM_CheckLibraryFileUpdateWhileNothingIsPending)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
