// The runnable tree the build made, as the tests' launcher (or support/TestEnvironment.cpp) names it in
// VEL_DIST_DIR.
#pragma once
#include <cstdlib>
#include <string>

namespace testsupport {

inline std::string DistDir() { return std::getenv("VEL_DIST_DIR"); }

}  // namespace testsupport
