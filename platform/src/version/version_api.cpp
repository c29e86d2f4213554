// The Win32 version-information calls over the blocks that programs carry in their ELF section.
//
// The block handed to the caller is the stored block followed by twice its length of room: a text found by
// VerQueryValueA is converted from UTF-16 into that room, at twice the text's own offset, so every text has a
// place of its own that holds it in UTF-8.
#include <cstring>
#include <optional>

#include "platform/win32_version.h"
#include "version/elf_section.h"
#include "version/system_library.h"
#include "version/utf16.h"
#include "version/version_block_reader.h"

using platform::version::FindVersionValue;
using platform::version::VersionBlockLength;

namespace {

constexpr std::size_t kMaxBlock = 0xFFFF;

std::optional<std::vector<BYTE>> LoadBlock(LPCSTR fileName)
{
    if (!fileName) return std::nullopt;
    std::vector<BYTE> block;
    if (platform::version::IsSystemLibrary(fileName)) {
        block = platform::version::SystemLibraryVersionBlock();
    } else if (auto section = platform::version::ReadElfSection(fileName, VEL_VERSION_SECTION, kMaxBlock + 3)) {
        block = std::move(*section);
    }
    const std::size_t length = VersionBlockLength(block.data(), block.size());
    if (length == 0) return std::nullopt;
    block.resize(length);
    return block;
}

}  // namespace

DWORD GetFileVersionInfoSizeA(LPCSTR fileName, DWORD* handle)
{
    if (handle) *handle = 0;
    const std::optional<std::vector<BYTE>> block = LoadBlock(fileName);
    return block ? static_cast<DWORD>(block->size() * 3) : 0;
}

BOOL GetFileVersionInfoA(LPCSTR fileName, DWORD handle, DWORD size, LPVOID data)
{
    const std::optional<std::vector<BYTE>> block = LoadBlock(fileName);
    if (!block || !data || size < block->size() * 3) return FALSE;
    std::memcpy(data, block->data(), block->size());
    std::memset(static_cast<BYTE*>(data) + block->size(), 0, block->size() * 2);
    return TRUE;
}

BOOL VerQueryValueA(LPCVOID block, LPCSTR subBlock, LPVOID* value, PUINT length)
{
    if (!block || !subBlock || !value || !length) return FALSE;
    *value = nullptr;
    *length = 0;
    BYTE* bytes = static_cast<BYTE*>(const_cast<void*>(block));
    const std::size_t blockLength = static_cast<std::size_t>(bytes[0] | bytes[1] << 8);
    const std::optional<platform::version::FoundValue> found = FindVersionValue(bytes, blockLength, subBlock);
    if (!found) return FALSE;
    if (!found->text) {
        *value = bytes + found->offset;
        *length = static_cast<UINT>(found->size);
        return TRUE;
    }
    std::u16string text;
    for (std::size_t at = found->offset; at + 1 < found->offset + found->size; at += 2) {
        const char16_t c = static_cast<char16_t>(bytes[at] | bytes[at + 1] << 8);
        if (c == 0) break;
        text += c;
    }
    const std::string converted = platform::Utf16ToUtf8(text);  // at most 3 bytes for each 2 of the text
    char* room = reinterpret_cast<char*>(bytes + blockLength + 2 * found->offset);
    std::memcpy(room, converted.c_str(), converted.size() + 1);
    *value = room;
    *length = static_cast<UINT>(converted.size() + 1);
    return TRUE;
}
