#include "foundation/ProcessWide.h"

#include <atomic>

namespace {

struct KeptObject {
    ReleaseStage stage;
    void (*release)(void*);
    void* object;
};

// Constant-initialised and never destroyed, so that it is there for the first object made and still there when
// the last static object is gone.
constexpr int kRoom = 64;
KeptObject g_kept[kRoom] = {};
std::atomic<int> g_keptCount{0};

}  // namespace

void KeepUntilUnload(ReleaseStage stage, void (*release)(void*), void* object)
{
    const int slot = g_keptCount.fetch_add(1);
    if (slot >= kRoom) return;
    g_kept[slot] = {stage, release, object};
}

void ReleaseProcessWideObjects()
{
    const int noted = g_keptCount.exchange(0);
    const int count = noted < kRoom ? noted : kRoom;
    for (ReleaseStage stage : {ReleaseStage::Objects, ReleaseStage::Records, ReleaseStage::Pool})
        for (int i = count - 1; i >= 0; --i)
            if (g_kept[i].stage == stage) g_kept[i].release(g_kept[i].object);
}
