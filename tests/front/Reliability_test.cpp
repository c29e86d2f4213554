// The library loaded, started, shut down and unloaded many times in one process, as updates of its files do: it
// leaves nothing behind (the sanitizer build checks every free and the leaks at exit) and the process does not
// grow.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "LibraryFolder.h"
#include "LoadedLibrary.h"

namespace {

using namespace fronttest;

long ResidentBytes()
{
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * ::sysconf(_SC_PAGESIZE);
}

class Reliability : public LibraryFolderTest {};

TEST_F(Reliability, AHundredLoadsStartsAndUnloadsLeaveTheProcessAsItWas)
{
    InstallArchive();
    constexpr int kCycles = 100;
    constexpr long kAllowedGrowth = 2L << 20;
    long afterFirst = 0;
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        LoadedLibrary library(LibraryPath());
        ASSERT_TRUE(library.IsLoaded()) << "cycle " << cycle;
        ASSERT_EQ(library.Initialize(), TA_ERROR_CODE_NONE) << "cycle " << cycle << ": " << library.LastError();
        EXPECT_STREQ(library.ValueAsString("PortalName", "none"), "Tollarine Arcade");
        library.ShutDown();
        library.Unload();
        ASSERT_FALSE(library.StillMapped()) << "cycle " << cycle;
        if (cycle == 0) afterFirst = ResidentBytes();
    }
    const long growth = ResidentBytes() - afterFirst;
    std::printf("resident size after the first cycle %ld KiB, growth over %d cycles %ld KiB\n", afterFirst >> 10,
                kCycles - 1, growth >> 10);
#ifndef __SANITIZE_ADDRESS__
    // The sanitizer's quarantine holds freed memory back on purpose; its build checks the frees themselves.
    EXPECT_LT(growth, kAllowedGrowth);
#endif
    EXPECT_EQ(fs::current_path(), startFolder);
}

}  // namespace
