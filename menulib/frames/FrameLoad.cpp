// Loading a frame from its ".frm" file, rebuilt from the ".Frame" cache when missing or out of date.
#include "frames/FrameLoad.h"
#include "foundation/CFile.h"
#include "foundation/FileFunctions.h"
#include "frames/Frame.h"
#include "frames/FrameNames.h"
#include "frames/FrameProcess.h"

bool ApplyProcessSteps(CFrame& frame, bool dither, bool runEncode)
{
    FrameProcessChain chain;
    chain.AddStep(dither ? FrameProcess::kConvertDithered : FrameProcess::kConvert);
    if (runEncode) chain.AddStep(FrameProcess::kRunEncode);
    return chain.Apply(frame);
}

namespace {

bool ChainDithers(const FrameProcess* chain)
{
    auto* convert = chain ? dynamic_cast<const ConvertStep*>(chain->FindStep(FrameProcess::kConvert)) : nullptr;
    return convert && convert->Dithers();
}

bool ChainRunEncodes(const FrameProcess* chain)
{
    return chain && (chain->HasStep(FrameProcess::kRunEncode) || chain->HasStep(FrameProcess::kRunEncodeTwoPlane));
}

// Writes the ".frm" file whole (a crash mid-write leaves the old one) and gives it the cache's time stamp.
void WriteConvertedFile(const CFrame& frame, const CString& path, int openFlags, std::int64_t cacheTime)
{
    CMemoryFileBuf bytes;
    if (!frame.WriteFrameFile(bytes)) return;
    if (!WriteDiskFileAtomically(path.GetText(), openFlags | kFileMakeFolders, bytes.GetData(), bytes.Size())) return;
    SetFileTime64(path.GetText(), cacheTime, openFlags, kCacheTimeSelector);
}

// A frame without its ".Frame" cache is read from its source picture beside its description (folder + name, a
// TGA), through the whole chain.
bool LoadSourcePicture(CFrame& frame, const char* folder, const char* name, FrameProcess* chain, int openFlags)
{
    for (const char* extension : {".TGA", ".tga"}) {
        CString path(folder);
        path.Append(name);
        path.Append(extension);
        if (FileExists(path.GetText(), openFlags) && frame.LoadTga(path.GetText(), chain, nullptr, openFlags))
            return true;
    }
    return false;
}

}  // namespace

bool CFrame::Load(const char* folder, const char* name, FrameProcess* processChain, int useCacheFolder, int openFlags)
{
    FreePixels();
    DetachPalette();
    const CString converted = BuildFrameFileName(folder, name, processChain, useCacheFolder);
    const CString cache = MakeFrameCachePath(folder, name);
    const std::int64_t cacheTime = GetFileTime64(cache.GetText(), openFlags, kCacheTimeSelector);
    const bool stale =
        GetFrameCacheNaming() && cacheTime != GetFileTime64(converted.GetText(), openFlags, kCacheTimeSelector);
    if (!stale) {
        // A ".frm" that does not read (damaged, cut short, another version) is rebuilt like a stale one.
        CFile file;
        if (file.Open(converted.GetText(), openFlags | kFileRead) && file.GetStream() &&
            ReadFrameFile(*file.GetStream(), false) && GetPixels() != nullptr)
            return true;
    }
    // An unreadable cache writes no ".frm": an empty one would make every later load look successful.
    if (!ReadFrameCacheFile(folder, name)) return LoadSourcePicture(*this, folder, name, processChain, openFlags);
    ApplyProcessSteps(*this, ChainDithers(processChain), ChainRunEncodes(processChain));
    WriteConvertedFile(*this, converted, openFlags, cacheTime);
    return GetPixels() != nullptr;
}

CObject* LoadFrameDescription(const char* folder, const char* name, FrameProcess& processChain, int useCacheFolder,
                              int openFlags, ClassInfo* itemClass)
{
    CString path(folder);
    path.Append(name);
    path.Append(".txt");
    CObject* object = CObject::CreateFromFile(path.GetText(), openFlags, false, nullptr);
    if (!object) {
        ClassInfo* record = itemClass ? itemClass : CFrame::GetStaticClassInfo();
        object = record->IsAbstract() ? nullptr : record->CreateInstance(0, 0);
        if (object) object->ResetToDefaults();
    }
    auto* frame = dynamic_cast<CFrame*>(object);
    if (!frame || !frame->Load(folder, name, &processChain, useCacheFolder, openFlags)) {
        delete object;
        return nullptr;
    }
    return frame;
}
