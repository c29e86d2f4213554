// The shared library's own end. Built into the shared object only, never into the programs that link the
// library's objects themselves: its one static object is made before every other one of the library, so its
// destructor runs after all of theirs when the library is unloaded (or the process ends with it loaded), and
// frees the process-wide objects then.
#include "foundation/ProcessWide.h"

namespace {

struct ReleaseAtUnload {
    ReleaseAtUnload() = default;
    ~ReleaseAtUnload() { ReleaseProcessWideObjects(); }
};

[[gnu::init_priority(101)]] ReleaseAtUnload g_releaseAtUnload;

}  // namespace
