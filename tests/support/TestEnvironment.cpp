// A test program started by hand gets what ctest gives it: the headless platform, the runnable tree the build made,
// a shared install folder and a registry store in its suite's work folder, which also becomes its current folder.
// Under ctest the launcher has set all of it, and nothing is changed.
#include <cstdlib>
#include <filesystem>

namespace {

const bool prepared = [] {
    if (std::getenv("VEL_DIST_DIR")) return true;
    const std::filesystem::path work = VEL_TEST_WORK_DIR;
    std::error_code ignored;
    std::filesystem::create_directories(work, ignored);
    std::filesystem::current_path(work, ignored);
    ::setenv("VEL_DIST_DIR", VEL_TEST_DIST_DIR, 1);
    ::setenv("VEL_HEADLESS", "1", 0);
    ::setenv("VEL_PROGRAM_FILES_DIR", (work / "program-files").c_str(), 0);
    ::setenv("VEL_REGISTRY_FILE", (work / "registry.reg").c_str(), 0);
    return true;
}();

}  // namespace
