// The runnable tree the build made, as the tests' launcher names it in VEL_DIST_DIR.
#pragma once
#include <cstdio>
#include <cstdlib>
#include <string>

namespace testsupport {

// The runnable tree's folder; a run without VEL_DIST_DIR (outside ctest) says so and ends, instead of
// dereferencing a missing variable.
inline std::string DistDir()
{
    const char* dist = std::getenv("VEL_DIST_DIR");
    if (dist) return dist;
    std::fprintf(stderr, "VEL_DIST_DIR is not set: run the tests through ctest, or set it to build/dist\n");
    std::exit(2);
}

}  // namespace testsupport
