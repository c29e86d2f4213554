// The library's process-wide objects (registries, the roster of collections, the file state, the block pool) are
// made on first use and live as long as the library. The game unloads the library and may load it again, so each
// of them is noted here when it is made, and the library's unload frees them all: after every static object of the
// library is gone, stage by stage, the newest first within a stage.
#pragma once
#include <utility>

enum class ReleaseStage : int {
    Objects,  // what lives in the pool or points into the class records
    Records,  // the class records and their properties
    Pool,     // the small-block pool, whose blocks everything above may hold
};

// Notes an object to free at unload with release(object). Past the table's room the object is only kept, as
// before.
void KeepUntilUnload(ReleaseStage stage, void (*release)(void* object), void* object);

// Makes a process-wide object that the library's unload deletes.
template <typename T, typename... Args>
T* NewProcessWide(ReleaseStage stage, Args&&... args)
{
    T* object = new T(std::forward<Args>(args)...);
    KeepUntilUnload(
        stage, [](void* kept) { delete static_cast<T*>(kept); }, object);
    return object;
}

// Frees every noted object. Run once, by the unload of the shared library; nothing of the library may run after it.
void ReleaseProcessWideObjects();
