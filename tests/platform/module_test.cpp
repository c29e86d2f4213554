#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/debug_output.h"
#include "platform/win32_module.h"

TEST(Modules, LoadsByAWindowsStylePathAndFindsExports)
{
    const char* dist = std::getenv("VEL_DIST_DIR");
    ASSERT_NE(dist, nullptr);
    const std::string windowsStyle = std::string(dist) + "\\LIBPLATFORM.SO";
    HMODULE module = LoadLibraryA(windowsStyle.c_str());
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(GetProcAddress(module, "tadll_NoSuchExport"), nullptr);

    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(module, path, sizeof path);
    EXPECT_EQ(std::string(path, length).substr(length - 15), "/libplatform.so");
    EXPECT_TRUE(FreeLibrary(module));

    char small[8];
    EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof small), sizeof small) << "cut to the buffer";
    EXPECT_EQ(std::string(small).size(), 7u);
    ASSERT_GT(GetModuleFileNameA(nullptr, path, sizeof path), 0u);
    EXPECT_NE(std::string(path).find("platform_tests"), std::string::npos);
}

TEST(Modules, FindsASystemLibraryByItsBareNameAndCallsAnExport)
{
    HMODULE module = LoadLibraryA("libm.so.6");
    ASSERT_NE(module, nullptr);
    auto cosine = reinterpret_cast<double (*)(double)>(GetProcAddress(module, "cos"));
    ASSERT_NE(cosine, nullptr);
    EXPECT_EQ(cosine(0.0), 1.0);
    EXPECT_TRUE(FreeLibrary(module));
}

TEST(Modules, AMissingLibraryIsToldAndGivesNull)
{
    std::string told;
    platform::CaptureDebugOutput(&told);
    EXPECT_EQ(LoadLibraryA("TollarineArcade\\NoSuchLibrary.so"), nullptr);
    platform::CaptureDebugOutput(nullptr);
    EXPECT_NE(told.find("NoSuchLibrary.so"), std::string::npos);
}
