#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "TestClasses.h"
#include "foundation/CFileBuf.h"
#include "foundation/ClassRegistry.h"
#include "foundation/FileState.h"
#include "foundation/NamedList.h"
#include "foundation/PersistentObjectList.h"
#include "foundation/ProcessWide.h"

// The library shows the game its tadll_ functions and nothing else, so that it unloads and loads again cleanly.
TEST(SharedObject, ExportsNothingButTadllFunctions)
{
    const char* dist = std::getenv("VEL_DIST_DIR");
    ASSERT_NE(dist, nullptr);
    const std::string library = std::string(dist) + "/TollarineArcade/TollarineArcade.so";
    if (!std::filesystem::exists(library)) GTEST_SKIP() << "the shared object is not built";
    FILE* symbols = ::popen(("nm -D --defined-only '" + library + "'").c_str(), "r");
    ASSERT_NE(symbols, nullptr);
    char line[1024];
    while (std::fgets(line, sizeof line, symbols)) {
        const std::string entry(line);
        const std::string name = entry.substr(entry.find_last_of(' ') + 1);
        EXPECT_EQ(name.rfind("tadll_", 0), 0u) << "exported: " << name;
    }
    EXPECT_EQ(::pclose(symbols), 0);
}

// What the shared object's unload runs, run in a child once every kind of process-wide object exists: each is
// freed once and none is used after it is gone (the sanitizer build stops at either).
TEST(SharedObject, TheUnloadFreesEveryProcessWideObjectOnce)
{
    EXPECT_EXIT(
        {
            FileState().baseFolder = "some/folder/of/the/game";
            LastFileOpened() = "Application.dat";
            {
                CFileBuf stream;
            }
            PersistentObjectList::AddSaveHook([](const CObject*, bool&) { return false; });
            delete ClassRegistry::Instance().CreateObject("CTestB", 0, 0);
            ReleaseProcessWideObjects();
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}
