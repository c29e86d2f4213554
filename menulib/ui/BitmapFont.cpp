#include "ui/BitmapFont.h"

#include "foundation/CFile.h"
#include "foundation/FileFunctions.h"
#include "foundation/NamedList.h"
#include "foundation/PathHelpers.h"
#include "foundation/PersistentObjectList.h"
#include "foundation/PropertyTypes.h"
#include "frames/Frame.h"

namespace {

constexpr int kFontFileSuffixLength = 9;  // ".FONT.TXT"
constexpr int kHighestCode = 255;
constexpr int kGlyphCacheReadFlags = kFileInMemory | kFileRead;  // 0x204

std::int32_t ReadLittleEndian(const std::uint8_t* bytes)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
                                     static_cast<std::uint32_t>(bytes[2]) << 16 |
                                     static_cast<std::uint32_t>(bytes[3]) << 24);
}

void WriteLittleEndian(std::uint8_t* bytes, std::int32_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

bool IsCode(std::int32_t code) { return code >= 0 && code <= kHighestCode; }

// Whether the file reads as a glyph cache: its header and then a sequence.
bool IsGlyphCache(const CString& path)
{
    CFile file;
    if (!file.Open(path.GetText(), kGlyphCacheReadFlags) || !file.GetStream()) return false;
    GlyphCacheHeader header;
    CFontBitmapData probe;
    return header.Read(*file.GetStream()) && probe.ReadSequenceFile(*file.GetStream());
}

}  // namespace

void DeclareFontBitmapData(ClassInfo* record)
{
    record->AddProperty(
        new IntegerPropertyInfo("Height Without Decenders", Member<&CFontBitmapData::m_heightWithoutDescenders>()));
}

IMPLEMENT_PERSISTENT_CLASS(CFontBitmapData, CSequence, 2.0f, DeclareFontBitmapData)

void DeclareFontBitmap(ClassInfo* record)
{
    record->AddProperty(new IntegerPropertyInfo("Bitmap/First ASCII", Member<&CFontBitmap::m_firstCode>(),
                                                {.defaultValue = 32, .min = 0, .max = kHighestCode}));
    record->AddProperty(new IntegerPropertyInfo("Bitmap/Last ASCII", Member<&CFontBitmap::m_lastCode>(),
                                                {.defaultValue = 125, .min = 0, .max = kHighestCode}));
    record->AddProperty(new BoolPropertyInfo("Load/Blended With Black", Member<&CFontBitmap::m_blendedWithBlack>()));
    record->AddProperty(new BoolPropertyInfo("Load/Fixed Width", Member<&CFontBitmap::m_fixedWidth>()));
}

IMPLEMENT_PERSISTENT_CLASS(CFontBitmap, CFont, 3.0f, DeclareFontBitmap)

bool GlyphCacheHeader::Read(CFileBuf& stream)
{
    std::uint8_t bytes[kSize];
    if (stream.Read(bytes, kSize) != kSize) return false;
    firstCode = ReadLittleEndian(bytes);
    lastCode = ReadLittleEndian(bytes + 4);
    height = ReadLittleEndian(bytes + 8);
    return IsCode(firstCode) && IsCode(lastCode) && height >= 0;
}

bool GlyphCacheHeader::Write(CFileBuf& stream) const
{
    std::uint8_t bytes[kSize];
    WriteLittleEndian(bytes, firstCode);
    WriteLittleEndian(bytes + 4, lastCode);
    WriteLittleEndian(bytes + 8, height);
    return stream.Write(bytes, kSize) == kSize;
}

CFontBitmap::CFontBitmap() { ConstructOwnMembers(); }

CFontBitmap::~CFontBitmap() { DestroyOwnMembers(); }

void CFontBitmap::SetCodeRange(int first, int last)
{
    m_firstCode = first;
    m_lastCode = last;
}

CFontBitmapData* CFontBitmap::GetGlyphSequence()
{
    if (!m_glyphSequence) LoadGlyphSequence();
    return m_glyphSequence.get();
}

void CFontBitmap::LoadGlyphSequence()
{
    m_glyphSequence = std::make_unique<CFontBitmapData>();
    m_glyphSequence->ResetToDefaults();
    CString path;
    if (!FindFileNameForObject(this, path)) return;
    CString folder;
    CString name;
    SplitPath(path, &folder, &name);
    if (name.GetLength() <= kFontFileSuffixLength) return;
    name = name.Left(name.GetLength() - kFontFileSuffixLength);
    if (m_glyphSequence->LoadFile(folder.GetText(), name.GetText(), nullptr))
        SetCachedHeight(m_glyphSequence->GetHeightWithoutDescenders());
}

CFrame* CFontBitmap::GetGlyph(unsigned code)
{
    const CFontBitmapData* glyphs = GetGlyphSequence();
    const unsigned offset = code - static_cast<unsigned>(m_firstCode);
    if (offset <= static_cast<unsigned>(m_lastCode) && offset < glyphs->GetFrameCount())
        return glyphs->GetFrame(offset);
    return CFont::GetGlyph(code);
}

CString CFontBitmap::GlyphCachePath(const char* folder, const char* name)
{
    CString path;
    path.Format("%s/%s/%s.Sequence", GetCacheFolderName(), folder, name);
    return path;
}

bool CFontBitmap::ReadGlyphCache(const char* folder, const char* name)
{
    const CString path = GlyphCachePath(folder, name);
    CFile file;
    if (!file.Open(path.GetText(), kGlyphCacheReadFlags) || !file.GetStream()) return false;
    LastFileOpenedScope naming(path);
    GlyphCacheHeader header;
    CFontBitmapData* glyphs = GetGlyphSequence();
    if (!header.Read(*file.GetStream()) || !glyphs->ReadSequenceFile(*file.GetStream())) return false;
    m_firstCode = header.firstCode;
    m_lastCode = header.lastCode;
    SetCachedHeight(header.height);
    if (!FileExists(MakeSequenceSourcePath(folder, name).GetText(), 0))
        glyphs->SaveSequenceFile(folder, name, glyphs->GetQuality(), false, true);
    return true;
}

bool CFontBitmap::WriteGlyphCache(const char* folder, const char* name, int quality, bool losslessOnly,
                                  bool wasRunEncoded)
{
    // The glyph cache has the path of the sequence source file of the same folder and name: an existing file that
    // is not a glyph cache is such a source, and is never overwritten with the cache's other layout.
    const CString path = GlyphCachePath(folder, name);
    if (FileExists(path.GetText(), 0) && !IsGlyphCache(path)) return false;
    CMemoryFileBuf bytes;
    const GlyphCacheHeader header{m_firstCode, m_lastCode, GetHeight()};
    if (!header.Write(bytes) || !GetGlyphSequence()->WriteSequenceFile(bytes, quality, losslessOnly, wasRunEncoded))
        return false;
    // The cache is replaced whole, so a broken write never leaves half a file behind.
    return WriteDiskFileAtomically(path.GetText(), kFileMakeFolders, bytes.GetData(), bytes.Size());
}
