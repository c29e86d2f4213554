// Puts the library's file layer back into its start state around each test: base folder ".", nothing
// mounted. Each test gets a fresh folder that is the base folder while it runs.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TempDir.h"
#include "foundation/FileState.h"
#include "foundation/VirtualFileTree.h"

class FileLayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Reset();
        FileState().baseFolder = dir.path().string().c_str();
    }
    void TearDown() override
    {
        Reset();
        std::filesystem::current_path(startFolder);
    }
    static void Reset()
    {
        VirtualFileTree::Instance().Reset();
        FileState().archivesMounted = false;
        FileState().baseFolder = ".";
    }
    std::string Path(const std::string& name) const { return dir / name; }
    void Write(const std::string& name, const std::string& content) const
    {
        testsupport::WriteFile(dir / name, content);
    }
    std::string Read(const std::string& name) const { return testsupport::ReadFile(dir / name); }

    testsupport::TempDir dir;
    std::filesystem::path startFolder = std::filesystem::current_path();
};
