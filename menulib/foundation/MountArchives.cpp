#include <algorithm>
#include <cstring>
#include <vector>

#include "foundation/FatalMessage.h"
#include "foundation/FileFlags.h"
#include "foundation/FileSearch.h"
#include "foundation/FileState.h"
#include "foundation/ModulePath.h"
#include "foundation/VirtualFileTree.h"
#include "platform/process.h"
#include "platform/win32_base.h"

namespace {

constexpr int kNameSlot = 80;

// A read-only archive in a new layer at the root, its directory read now.
bool MountWhole(const char* path)
{
    return VirtualFileTree::Instance().Add(path, true, false, "/", false, kFileAbsolute);
}

bool MountModuleArchive(const char* name)
{
    char module[MAX_PATH];
    if (GetModulePath(module, sizeof module) && MountWhole(module)) return true;
    for (const char* extension : {".ZIP", ".DAT"}) {
        CString path(name);
        path.Append(extension);
        if (MountWhole(path.GetText())) return true;
    }
    return false;
}

std::vector<CString> SortedQxdFiles()
{
    FileSearchSpec wanted("", "QXD", FileSearchSpec::kNoDescent);
    const int count = CountFiles(wanted, 0);
    std::vector<char> names(static_cast<std::size_t>(count > 0 ? count : 1) * kNameSlot);
    const int listed = ListFileNames(wanted, names.data(), nullptr, kNameSlot, count, 0);
    std::vector<CString> files;
    for (int i = 0; i < listed; ++i) files.emplace_back(&names[static_cast<std::size_t>(i) * kNameSlot]);
    std::sort(files.begin(), files.end(), [](const CString& a, const CString& b) { return a.CompareNoCase(b) < 0; });
    return files;
}

}  // namespace

void MountArchives(const char* name, int mode, bool skipZips)
{
    FileSystemState& state = FileState();
    if (state.archivesMounted) platform::EndProcess(kFatalExitCode);
    MountProgressReporter& progress = MountProgressReporter::Instance();

    if (mode == 0 || mode == 2) {
        state.baseFolder = ".";
        std::vector<CString> qxdFiles;
        if (mode == 0) qxdFiles = SortedQxdFiles();
        bool mounted = MountModuleArchive(name);
        // Mounted after the module archive, each in a layer of its own: the later name wins.
        for (const CString& file : qxdFiles) mounted = MountWhole(file.GetText()) || mounted;
        if (mounted) state.archivesMounted = true;
    }
    state.baseFolder = name;
    if (skipZips) return;

    progress.Report("Enumerating Zip Files", 1, 0);
    FileSearchSpec wanted("", "zip", FileSearchSpec::kEverySubFolder);
    FileEnumerator zips;
    zips.Scan(wanted, 0);
    if (zips.Count() == 0) {
        progress.Report("No zip files found", 1, 0);
        return;
    }
    progress.Report("Opening Zip Files and Retreiving File Lists", 1, 0);
    for (int i = 0; i < zips.Count(); ++i) {
        const CString path = zips.GetName(i);
        CString mountPath = path.Left(path.GetLength() - 4);
        mountPath.Append('/');
        if (!VirtualFileTree::Instance().Add(path.GetText(), i == 0, true, mountPath.GetText(), true, 0))
            FatalMessageAndExitF("Bad Zip file", "Unable to open zip file %s %s . May be damaged file.",
                                 mountPath.GetText(), path.GetText());
    }
    progress.Report("Done Opening Zip Files and Retreiving File Lists", 1, 0);
    state.archivesMounted = true;
}
