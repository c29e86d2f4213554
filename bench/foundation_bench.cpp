// The menu library foundation's hot paths beside their plain counterparts: string copies, appends and
// formatting; the small-block pool on a mixed churn; opening a member of a mounted archive.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "foundation/CFile.h"
#include "foundation/CString.h"
#include "foundation/FileState.h"
#include "foundation/SmallBlockPool.h"
#include "foundation/VirtualFileTree.h"
#include "foundation/ZipMemberWriter.h"

namespace {

const char* const kText = "Menus/Main/-Start/Properties.txt";

void CStringCopy(benchmark::State& state)
{
    const CString source(kText);
    for (auto _ : state) {
        CString copy(source);
        benchmark::DoNotOptimize(copy.GetText());
    }
}
BENCHMARK(CStringCopy);

void StdStringCopy(benchmark::State& state)
{
    const std::string source(kText);
    for (auto _ : state) {
        std::string copy(source);
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(StdStringCopy);

void CStringAppend(benchmark::State& state)
{
    for (auto _ : state) {
        CString text("Score: ");
        for (int i = 0; i < 8; ++i) text.Append("piece ");
        benchmark::DoNotOptimize(text.GetText());
    }
}
BENCHMARK(CStringAppend);

void StdStringAppend(benchmark::State& state)
{
    for (auto _ : state) {
        std::string text("Score: ");
        for (int i = 0; i < 8; ++i) text.append("piece ");
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(StdStringAppend);

void CStringFormat(benchmark::State& state)
{
    CString text;
    int n = 0;
    for (auto _ : state) {
        text.Format("Level %d of %d: %s", ++n, 20, "Caverns");
        benchmark::DoNotOptimize(text.GetText());
    }
}
BENCHMARK(CStringFormat);

void StdStringFormat(benchmark::State& state)
{
    int n = 0;
    for (auto _ : state) {
        const int length = std::snprintf(nullptr, 0, "Level %d of %d: %s", ++n, 20, "Caverns");
        std::string text(static_cast<std::size_t>(length), '\0');
        std::snprintf(text.data(), text.size() + 1, "Level %d of %d: %s", n, 20, "Caverns");
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(StdStringFormat);

// Sizes from 10 to 500 bytes, freed in a shuffled order while new blocks are taken.
std::vector<int> ChurnSizes()
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> size(10, 500);
    std::vector<int> sizes(4096);
    for (int& s : sizes) s = size(random);
    return sizes;
}

template <typename Alloc, typename Free>
void Churn(benchmark::State& state, Alloc alloc, Free release)
{
    const std::vector<int> sizes = ChurnSizes();
    std::vector<void*> live(256, nullptr);
    std::vector<int> liveSizes(256, 0);
    std::size_t next = 0;
    for (auto _ : state) {
        const std::size_t slot = (next * 167) % live.size();
        if (live[slot]) release(live[slot], liveSizes[slot]);
        liveSizes[slot] = sizes[next % sizes.size()];
        live[slot] = alloc(liveSizes[slot]);
        benchmark::DoNotOptimize(live[slot]);
        ++next;
    }
    for (std::size_t i = 0; i < live.size(); ++i)
        if (live[i]) release(live[i], liveSizes[i]);
}

void PoolChurn(benchmark::State& state)
{
    Churn(
        state, [](int n) { return PoolAlloc(n); }, [](void* p, int n) { PoolFree(p, n); });
}
BENCHMARK(PoolChurn);

void MallocChurn(benchmark::State& state)
{
    Churn(
        state, [](int n) { return std::malloc(n); }, [](void* p, int) { std::free(p); });
}
BENCHMARK(MallocChurn);

// A folder with one loose file and one archive mounted at the root that holds a member of the same size.
struct MountedFolder {
    std::filesystem::path root = std::filesystem::temp_directory_path() / "vel-bench-foundation";
    MountedFolder()
    {
        std::filesystem::create_directories(root);
        std::ofstream(root / "loose.txt") << std::string(2000, 'l');
        const std::string archive = (root / "pack.zip").string();
        std::ofstream(archive, std::ios::binary).write("PK\x05\x06\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 22);
        CFile member;
        member.Open((archive + ";member.txt").c_str(), kFileCreate | kFileWrite);
        const std::string data(2000, 'm');
        member.Write(data.data(), static_cast<int>(data.size()));
        member.Close();
        FileState().baseFolder = root.string().c_str();
        VirtualFileTree::Instance().Add(archive.c_str(), true, false, "/", false, kFileAbsolute);
        FileState().archivesMounted = true;
    }
    ~MountedFolder()
    {
        VirtualFileTree::Instance().Reset();
        FileState().archivesMounted = false;
        std::filesystem::remove_all(root);
    }
};

// Opens the path and reads its 2000 bytes, again and again.
void OpenAndRead(benchmark::State& state, const char* path)
{
    MountedFolder folder;
    char bytes[2000];
    for (auto _ : state) {
        CFile file;
        file.Open(path, kFileRead);
        benchmark::DoNotOptimize(file.Read(bytes, sizeof bytes));
    }
}
BENCHMARK_CAPTURE(OpenAndRead, LooseFile, "loose.txt");
BENCHMARK_CAPTURE(OpenAndRead, ArchiveMember, "member.txt");

}  // namespace
