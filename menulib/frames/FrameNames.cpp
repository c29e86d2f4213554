#include "frames/FrameNames.h"

#include <cstring>

#include "foundation/PathHelpers.h"
#include "frames/Frame.h"
#include "frames/FrameProcess.h"

namespace {

bool IsSeparator(int c) { return c == '/' || c == '\\'; }

const char* DepthSuffix(int bitDepth)
{
    switch (bitDepth) {
    case 16: return "16";
    case 24: return "24";
    case 32: return "32";
    default: return "";
    }
}
}  // namespace

CString MakeDepthFileName(const char* base, const char* name, const char* separator, int bitDepth, const char* kind)
{
    CString path(base);
    CString suffix(".");
    suffix.Append(kind);
    suffix.Append(DepthSuffix(bitDepth));
    if (bitDepth == 8 || (bitDepth == 16 && !GetFrameCacheNaming())) {
        path.Append(separator);
        path.Append(name);
    } else if (bitDepth == 16) {
        path.Append(separator);
        path.Append("-");
        path.Append(name);
    } else if (bitDepth == 24 || bitDepth == 32) {
        const char* slash = std::strrchr(name, '/');
        const char* backslash = std::strrchr(name, '\\');
        const char* last = slash > backslash ? slash : backslash;
        if (last) {
            path.Append(separator);
            path.Append(CString(name).Left(static_cast<int>(last - name)));
        }
        path.Append(separator);
        path.Append("-");
        path.Append(last ? last + 1 : name);
    } else {
        return CString();
    }
    path.Append(suffix);
    return path;
}

CString BuildFrameFileName(const char* folder, const char* name, const FrameProcess* chain, int useCacheFolder)
{
    CString base(useCacheFolder ? GetCacheFolderName() : "");
    if (useCacheFolder && folder && !IsSeparator(folder[0])) base.Append("/");
    base.Append(folder);
    const int depth = chain ? chain->GetTargetBitDepth() : GetDisplayBitDepth();
    return MakeDepthFileName(base.GetText(), name, "", depth, "frm");
}

CString MakeFrameCachePath(const char* folder, const char* name)
{
    CString inner(folder);
    while (inner.GetLength() > 0 && IsSeparator(inner.GetAt(0))) inner.Delete(0, 1);
    while (inner.GetLength() > 0 && IsSeparator(inner.GetAt(inner.GetLength() - 1)))
        inner.Delete(inner.GetLength() - 1, 1);
    CString path;
    path.Format("%s/%s/%s.Frame", GetCacheFolderName(), inner.GetText(), name);
    return path;
}

const char* GetFrameFileKind()
{
    if (GetFrameCacheNaming()) return "FRAME";
    switch (GetDisplayBitDepth()) {
    case 16: return "frm16";
    case 24: return "frm24";
    case 32: return "frm32";
    default: return "frm";
    }
}
