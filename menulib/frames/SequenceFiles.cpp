// A sequence's files: the ".Sequence" source (frame placements and a strip picture) and the ".seq" cache of
// converted frames, with the rule of when the cache is rebuilt.
#include <cstring>

#include "blit/BlitType.h"
#include "foundation/CFile.h"
#include "foundation/CompressedBlockCodec.h"
#include "foundation/FileFunctions.h"
#include "foundation/PropertyStream.h"
#include "frames/FrameInfo.h"
#include "frames/FrameLoad.h"
#include "frames/FrameProcess.h"
#include "frames/Sequence.h"

using platform::Rect;

namespace {

constexpr int kSequenceLevel = 9;
constexpr char kInfoListClass[] = "CSequenceFrameInfoList";

// Reads the frame-info list from the text in a compressed block.
bool ReadInfoList(CFileBuf& stream, CSequenceFrameInfoList& list)
{
    int size = 0;
    std::uint8_t* block = CompressedBlockCodec::ReadBlock(stream, &size);
    if (!block) return false;
    PropertyStream text;
    text.Attach(new CMemoryFileBuf(block, size), kFileRead, true);
    CString line;
    if (!text.ReadNonBlankLine(line) || line.Find(kInfoListClass) < 0) return false;
    return list.ReadFromStream(text);
}

// The strip's frame for one placement, converted as the list's options ask.
std::unique_ptr<CFrame> CutFrame(CFrame& strip, const CFrameInfo& info, const CSequenceFrameInfoList& list)
{
    Rect part{info.m_left, info.m_top, info.m_right, info.m_bottom};
    // A placement is kept to the strip; one with nothing left is an empty slot.
    part = part.Intersected(Rect::OfSize(strip.GetWidth(), strip.GetHeight()));
    if (part.IsEmpty()) return nullptr;
    auto frame = std::make_unique<CFrame>();
    if (!frame->Create(part.Width(), part.Height(), strip.GetBitDepth())) return nullptr;
    frame->DrawWithBlitType(&strip, part, Rect::OfSize(part.Width(), part.Height()), &NormalBlitType());
    ApplyProcessSteps(*frame, (list.m_flags & CSequence::kDoDither) != 0, list.m_wasRle);
    frame->SetOrigin(info.m_upperLeftXOffset, info.m_upperLeftYOffset);
    return frame;
}

}  // namespace

bool CSequence::ReadSequenceFile(CFileBuf& stream)
{
    FreeFrames();
    CSequenceFrameInfoList list;
    if (!ReadInfoList(stream, list)) return false;
    m_blitType = list.m_blitType;
    m_loadOptions = list.m_flags;
    m_frameRate = list.m_fps;
    bool anyInfo = false;
    for (int i = 0; i < list.GetCount(); ++i) anyInfo = anyInfo || list.GetInfo(i);
    CFrame strip;
    // The strip carries no hot spot of its own: its body follows the list directly.
    const bool haveStrip = anyInfo && strip.ReadFrameCacheBody(stream);
    for (int i = 0; i < list.GetCount(); ++i) {
        const CFrameInfo* info = list.GetInfo(i);
        m_frames.push_back(haveStrip && info ? CutFrame(strip, *info, list) : nullptr);
    }
    SyncCount();
    RecomputeBounds();
    return true;
}

bool CSequence::WriteSequenceFile(CFileBuf& stream, int quality, bool losslessOnly, bool wasRunEncoded) const
{
    CSequenceFrameInfoList list;
    list.m_wasRle = wasRunEncoded;
    list.m_flags = m_loadOptions;
    list.m_blitType = m_blitType;
    list.m_fps = m_frameRate;
    int x = 0, height = 0;
    for (const auto& frame : m_frames) {
        if (!frame) {
            list.Append(nullptr);
            continue;
        }
        const Rect b = frame->GetBounds();
        auto* info = new CFrameInfo;
        info->m_left = x;
        info->m_right = x + b.Width();
        info->m_bottom = b.Height();
        info->m_upperLeftXOffset = frame->GetOriginX();
        info->m_upperLeftYOffset = frame->GetOriginY();
        list.Append(info);
        x += b.Width();
        height = std::max(height, b.Height());
    }
    auto* memory = new CMemoryFileBuf;
    PropertyStream text;
    text.Attach(memory, kFileCreate | kFileWrite, true);
    list.WriteText(text, true);
    if (!CompressedBlockCodec::WriteBlock(stream, memory->GetData(), memory->Size(), kSequenceLevel)) return false;
    if (x <= 0 || height <= 0) return true;
    CFrame strip;
    if (!strip.Create(x, height, 32)) return false;
    for (int i = 0; i < list.GetCount(); ++i) {
        const CFrameInfo* info = list.GetInfo(i);
        if (!info) continue;
        CFrame* frame = m_frames[i].get();
        strip.BlitAt(frame, info->m_left - frame->GetOriginX(), info->m_top - frame->GetOriginY(), &NormalBlitType());
    }
    return strip.WriteFrameCache(stream, quality, losslessOnly);
}

bool CSequence::SaveSequenceFile(const char* folder, const char* name, int quality, bool losslessOnly,
                                 bool wasRunEncoded)
{
    CMemoryFileBuf bytes;
    if (!WriteSequenceFile(bytes, quality, losslessOnly, wasRunEncoded)) return false;
    return WriteDiskFileAtomically(MakeSequenceSourcePath(folder, name).GetText(), kFileMakeFolders, bytes.GetData(),
                                   bytes.Size());
}

void CSequence::WriteCustomBinary(PropertyStream& stream) const
{
    const std::int32_t bounds[4] = {m_bounds.left, m_bounds.top, m_bounds.right, m_bounds.bottom};
    stream.Write(bounds, sizeof bounds);
    for (const auto& frame : m_frames) {
        const bool present = frame && frame->GetWidth() && frame->GetHeight();
        stream.WriteByte(present ? 1 : 0);
        if (present) frame->WriteFrameFile(*stream.GetStream());
    }
}

bool CSequence::ReadCustomBinary(PropertyStream& stream)
{
    const int count = m_frameCount;
    m_frames.clear();
    std::int32_t bounds[4];
    if (stream.Read(bounds, sizeof bounds) != sizeof bounds) return false;
    // Every slot takes at least its flag byte: a count beyond the bytes left is damage, not a size to allocate.
    if (count < 0 || count > stream.BytesLeft()) return false;
    const bool borrow = m_archiveBuffer != nullptr || stream.GetStream()->IsInMemory();
    for (int i = 0; i < count; ++i) {
        std::uint8_t present = 0;
        if (!stream.ReadByte(present)) return false;
        if (present != 1) {
            m_frames.push_back(nullptr);
            continue;
        }
        auto frame = std::make_unique<CFrame>();
        if (!frame->ReadFrameFile(*stream.GetStream(), borrow && m_borrowing)) {
            FreeFrames();
            return false;
        }
        m_frames.push_back(std::move(frame));
    }
    m_bounds = Rect{bounds[0], bounds[1], bounds[2], bounds[3]};
    SyncCount();
    return true;
}

bool CSequence::SaveBinary(const char* path) const
{
    auto* memory = new CMemoryFileBuf;
    PropertyStream stream;
    stream.Attach(memory, kFileCreate | kFileWrite, true);
    WriteBinary(stream);
    return WriteDiskFileAtomically(path, kFileMakeFolders, memory->GetData(), memory->Size());
}

bool CSequence::LoadBinary(const char* folder, const char* name)
{
    return LoadBinaryFile(MakeSequenceFileName(folder, name, nullptr));
}

bool CSequence::LoadBinaryFile(const CString& path)
{
    FreeFrames();
    CFile file;
    if (path.IsEmpty() || !file.Open(path.GetText(), kFileInMemory | kFileRead)) return false;
    const int size = file.GetSize();
    auto* bytes = static_cast<std::uint8_t*>(std::malloc(size > 0 ? size : 1));
    if (!bytes || file.Read(bytes, size) != size) {
        std::free(bytes);
        return false;
    }
    file.Close();
    // The frames borrow the file's memory, which the sequence keeps while they live.
    auto* memory = new CMemoryFileBuf(bytes, size);
    PropertyStream stream;
    stream.Attach(memory, kFileRead, true);
    m_borrowing = true;
    const bool read = ReadBinary(stream);
    m_borrowing = false;
    m_archiveBuffer.reset(static_cast<std::uint8_t*>(memory->DetachBuffer()));
    if (!read) FreeFrames();
    return read;
}

bool CSequence::LoadSequenceFile(const char* folder, const char* name)
{
    CFile file;
    if (!file.Open(MakeSequenceSourcePath(folder, name).GetText(), kFileInMemory | kFileRead) || !file.GetStream())
        return false;
    ReadSequenceFile(*file.GetStream());
    return true;
}

bool CSequence::LoadFile(const char* folder, const char* name, FrameProcess* chain)
{
    const CString cache = MakeSequenceFileName(folder, name, chain);
    const CString source = MakeSequenceSourcePath(folder, name);
    const std::int64_t sourceTime = GetFileTime64(source.GetText(), 0, kCacheTimeSelector);
    const bool stale = GetFrameCacheNaming() && GetFileTime64(cache.GetText(), 0, kCacheTimeSelector) != sourceTime;
    if (!stale && LoadBinaryFile(cache)) return true;
    if (!GetFrameCacheNaming()) return false;
    if (!LoadSequenceFile(folder, name)) return false;
    // The cache was stale or unreadable: it is replaced before it gets the source's stamp, so the next start
    // never takes an old animation for a fresh one.
    if (SaveBinary(cache.GetText())) SetFileTime64(cache.GetText(), sourceTime, 0, kCacheTimeSelector);
    return true;
}
