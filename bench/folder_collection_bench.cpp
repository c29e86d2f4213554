// The per-draw access of a folder collection's item (a tick read and the use counters) against a plain pointer.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "foundation/FileState.h"
#include "foundation/ObjectFileCollection.h"
#include "foundation/PropertyTypes.h"

namespace {

class CBenchItem : public CObject {
    DECLARE_PERSISTENT_CLASS(CBenchItem)
public:
    CBenchItem() { ConstructOwnMembers(); }
    ~CBenchItem() override { DestroyOwnMembers(); }
    std::int32_t m_value = 0;
};

void DeclareItem(ClassInfo* record)
{
    record->AddProperty(new IntegerPropertyInfo("Value", Member<&CBenchItem::m_value>()));
}

// A folder of 100 item files under the temporary folder, loaded into a collection.
struct Items {
    Items()
    {
        FileState().baseFolder = folder.string().c_str();
        std::filesystem::create_directories(folder / "Items");
        for (int i = 0; i < 100; ++i)
            std::ofstream(folder / "Items" / ("item" + std::to_string(i) + ".bench"))
                << "CBenchItem\r\n{\r\n\tValue=" << i << "\r\n}\r\n";
        collection.LoadFromFolder(nullptr, "Items", 0);
        for (int i = 0; i < 100; ++i) collection.GetOrLoad(i);
    }
    ~Items()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
        FileState().baseFolder = ".";
    }
    std::filesystem::path folder = std::filesystem::temp_directory_path() / "vel-bench-items";
    ObjectFileCollection<CBenchItem> collection{"Bench Items", "", "bench"};
};

void GetOrLoadLoadedItem(benchmark::State& state)
{
    Items items;
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(items.collection.GetOrLoad(i));
        i = (i + 1) % 100;
    }
}
BENCHMARK(GetOrLoadLoadedItem);

void DirectPointer(benchmark::State& state)
{
    Items items;
    CBenchItem* pointers[100];
    for (int i = 0; i < 100; ++i) pointers[i] = items.collection.GetOrLoad(i);
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(pointers[i]);
        i = (i + 1) % 100;
    }
}
BENCHMARK(DirectPointer);

void FindIndexByName(benchmark::State& state)
{
    Items items;
    for (auto _ : state) benchmark::DoNotOptimize(items.collection.FindIndex("item77"));
}
BENCHMARK(FindIndexByName);

}  // namespace

IMPLEMENT_PERSISTENT_CLASS(CBenchItem, CObject, 1.0f, DeclareItem)
