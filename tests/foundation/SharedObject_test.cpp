#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

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
