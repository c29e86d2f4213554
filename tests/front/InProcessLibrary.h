// The library's objects linked into the test program, started in a test's library folder: its inner state can be
// read. Each test begins with the library's state as a fresh load has it.
#pragma once
#include <dlfcn.h>

#include <new>

#include "LibraryFolder.h"
#include "foundation/FileState.h"
#include "foundation/HostWindow.h"
#include "foundation/ModulePath.h"
#include "foundation/PersistentObjectList.h"
#include "foundation/VirtualFileTree.h"
#include "front/APIState.h"
#include "front/ArcadeState.h"
#include "front/AssetVersions.h"
#include "front/NameValuePairs.h"
#include "front/TA_API.h"

namespace fronttest {

class InProcessLibrary : public LibraryFolderTest {
protected:
    void SetUp() override
    {
        LibraryFolderTest::SetUp();
        ResetLibraryState();
        // The module handle names a file in the test's folder, as the library's own entry would.
        module = ::dlopen(LibraryPath().c_str(), RTLD_NOW);
        ASSERT_NE(module, nullptr);
        HostWindow::Instance().moduleHandle = static_cast<HINSTANCE>(module);
    }
    void TearDown() override
    {
        ResetLibraryState();
        HostWindow::Instance().moduleHandle = nullptr;
        if (module) ::dlclose(module);
        LibraryFolderTest::TearDown();
    }

    static void ResetLibraryState()
    {
        ArcadeState& state = GetArcadeState();
        state.~ArcadeState();
        new (&state) ArcadeState();
        GetAPIState().lastErrorText = nullptr;
        GetAPIState().lastValueText.reset();
        NameValueLookup::Invalidate();
        AssetVersions::Invalidate();
        VirtualFileTree::Instance().Reset();
        FileState().archivesMounted = false;
        FileState().baseFolder = ".";
        SetModulePathOverride("");
    }
    TA_ResultCode16 Start(int libVersion = 6, std::int16_t debugBuild = 0)
    {
        return TA_Initialize(60, "Velmorine", 4089, 1.0f, debugBuild, libVersion);
    }

    void* module = nullptr;
};

}  // namespace fronttest
