// Every test starts with a registry store of its own in its suite's work folder. The tests of a suite run side by
// side as separate processes, and the whole binary runs beside them in the same folder; one shared store let a test
// read back the value another had just written, so the store's name carries the process too.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace {

class OwnRegistryPerTest : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo& test) override
    {
        std::string name = std::string("registry-") + test.test_suite_name() + "." + test.name() + "-" +
                           std::to_string(::getpid()) + ".reg";
        std::replace(name.begin(), name.end(), '/', '_');
        const std::filesystem::path file = std::filesystem::current_path() / name;
        std::error_code ignored;
        std::filesystem::remove(file, ignored);
        ::setenv("VEL_REGISTRY_FILE", file.c_str(), 1);
        m_file = file;
    }
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        std::error_code ignored;
        std::filesystem::remove(m_file, ignored);
    }

    std::filesystem::path m_file;
};

const bool registered = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new OwnRegistryPerTest);
    return true;
}();

}  // namespace
