// Loading a TGA into a frame through the library's shared load buffer.
#include <algorithm>
#include <vector>

#include "blit/BlitType.h"
#include "foundation/CFile.h"
#include "foundation/FatalMessage.h"
#include "foundation/FileFunctions.h"
#include "frames/Frame.h"
#include "frames/FrameProcess.h"
#include "frames/Tga.h"

namespace {

constexpr std::size_t kMinimumLoadBuffer = 65536;

// The one buffer that holds the file being loaded; it only grows, and only one load may use it at a time.
struct LoadBuffer {
    std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(kMinimumLoadBuffer);
    bool inUse = false;

    void Fit(std::size_t length)
    {
        if (length <= bytes.size()) return;
        bytes.resize(std::max({2 * bytes.size(), length, kMinimumLoadBuffer}));
    }
};

LoadBuffer& SharedLoadBuffer()
{
    static LoadBuffer buffer;
    return buffer;
}

// Marks the shared buffer in use for one load.
class LoadBufferUse {
public:
    LoadBufferUse() : m_buffer(SharedLoadBuffer())
    {
        if (m_buffer.inUse)
            FatalMessageAndExit("Fatal Error loading a Frame", "There was load recursion in the TGA loader");
        m_buffer.inUse = true;
    }
    ~LoadBufferUse() { m_buffer.inUse = false; }
    LoadBufferUse(const LoadBufferUse&) = delete;
    LoadBufferUse& operator=(const LoadBufferUse&) = delete;
    LoadBuffer& Buffer() { return m_buffer; }

private:
    LoadBuffer& m_buffer;
};

// Replaces a plain TGA by its run-length form, safely: the old file stays whole until the new one is complete.
void RewriteAsRunLength(const std::uint8_t* data, std::size_t size, const char* path, int bits, int openFlags)
{
    if (!IsFileWritable(path, openFlags))
        FatalMessageAndExitF("Fatal Error loading a frame",
                             "'%s' is an uncompressed TGA and is write protected."
                             "  The game automatically creates compressed TGAs when it finds uncompressed ones."
                             "  This TGA was checked into source safe without being run in the game."
                             "  You need to check it out and re-run the game.",
                             path);
    CFrame temporary;
    if (!DecodeTga(temporary, data, size, path, nullptr, bits)) return;
    temporary.SetupLineOffsets(temporary.GetWidth(), 1);
    const std::vector<std::uint8_t> encoded = EncodeTga(temporary);
    if (!encoded.empty()) WriteDiskFileAtomically(path, openFlags, encoded.data(), static_cast<int>(encoded.size()));
}

}  // namespace

bool CFrame::LoadTga(const char* path, FrameProcess* processChain, const ColorTable* palette, int openFlags)
{
    CFile file;
    if (!file.Open(path, openFlags | kFileRead)) return false;
    LoadBufferUse use;
    LoadBuffer& buffer = use.Buffer();
    const int length = std::max(file.GetSize(), 0);
    buffer.Fit(static_cast<std::size_t>(length));
    const std::size_t size = static_cast<std::size_t>(std::max(file.Read(buffer.bytes.data(), length), 0));
    file.Close();
    DetachPalette();

    TgaHeader header;
    const bool accepted = ReadTgaHeader(buffer.bytes.data(), size, header) && header.IsAccepted();
    const int bits = accepted ? header.bitsPerPixel : 0;
    if (accepted && !header.IsRunLength()) RewriteAsRunLength(buffer.bytes.data(), size, path, bits, openFlags);

    const bool decoded = DecodeTgaIntoFrame(*this, buffer.bytes.data(), size, path, nullptr, bits) != 0;
    if (decoded) (processChain ? *processChain : GetDefaultFrameProcess()).Apply(*this);
    if (palette) SetPalette(*palette);
    return decoded && GetPixels() != nullptr;
}

bool CFrame::WriteCompressedTga(const char* path, int openFlags)
{
    if (GetBitDepth() != 16) return WriteTga(*this, path, openFlags);
    CFrame copy;
    if (!copy.Create(GetWidth(), GetHeight(), 24)) return false;
    copy.BlitAt(this, -GetOriginX(), -GetOriginY(), &NormalBlitType());
    return WriteTga(copy, path, openFlags);
}
