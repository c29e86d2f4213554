// Writes a version block in the layout of a Windows version resource: nested nodes of (total length, value
// length, type, UTF-16 key, value, children), each part aligned to 4 bytes from the start of the block.
#include <cstdio>
#include <cstring>

#include "platform/win32_version.h"
#include "version/utf16.h"

namespace {

struct Node {
    std::u16string key;
    WORD type = 1;         // 1: the value is UTF-16 text; 0: binary
    WORD valueLength = 0;  // in characters for text, bytes for binary
    std::vector<BYTE> value;
    std::vector<Node> children;
};

void PutWord(std::vector<BYTE>& out, std::size_t at, WORD word)
{
    out[at] = static_cast<BYTE>(word);
    out[at + 1] = static_cast<BYTE>(word >> 8);
}

void AppendWord(std::vector<BYTE>& out, WORD word)
{
    out.push_back(0);
    out.push_back(0);
    PutWord(out, out.size() - 2, word);
}

void Align(std::vector<BYTE>& out) { out.resize((out.size() + 3) & ~std::size_t{3}); }

void AppendNode(std::vector<BYTE>& out, const Node& node)
{
    const std::size_t start = out.size();
    AppendWord(out, 0);
    AppendWord(out, node.valueLength);
    AppendWord(out, node.type);
    for (char16_t c : node.key) AppendWord(out, c);
    AppendWord(out, 0);
    if (!node.value.empty()) {
        Align(out);
        out.insert(out.end(), node.value.begin(), node.value.end());
    }
    for (const Node& child : node.children) {
        Align(out);
        AppendNode(out, child);
    }
    PutWord(out, start, static_cast<WORD>(out.size() - start));
}

Node TextNode(const std::string& key, const std::string& text)
{
    Node node{platform::Utf8ToUtf16(key), 1, 0, {}, {}};
    const std::u16string value = platform::Utf8ToUtf16(text) + u'\0';
    node.valueLength = static_cast<WORD>(value.size());
    for (char16_t c : value) AppendWord(node.value, c);
    return node;
}

DWORD High(const WORD version[4]) { return static_cast<DWORD>(version[0]) << 16 | version[1]; }
DWORD Low(const WORD version[4]) { return static_cast<DWORD>(version[2]) << 16 | version[3]; }

}  // namespace

namespace platform {

std::vector<BYTE> BuildVersionBlock(const VersionDescription& d)
{
    VS_FIXEDFILEINFO fixed{};
    fixed.dwSignature = 0xFEEF04BD;
    fixed.dwStrucVersion = 0x00010000;
    fixed.dwFileVersionMS = High(d.fileVersion);
    fixed.dwFileVersionLS = Low(d.fileVersion);
    fixed.dwProductVersionMS = High(d.productVersion);
    fixed.dwProductVersionLS = Low(d.productVersion);
    fixed.dwFileFlagsMask = 0x3F;
    fixed.dwFileOS = 0x00040004;  // 32-bit Windows on NT, as the programs were made for
    fixed.dwFileType = 1;         // an application

    Node root{u"VS_VERSION_INFO", 0, sizeof fixed, std::vector<BYTE>(sizeof fixed), {}};
    std::memcpy(root.value.data(), &fixed, sizeof fixed);

    char key[9];
    std::snprintf(key, sizeof key, "%04X%04X", d.language, d.codePage);
    Node table{Utf8ToUtf16(key), 1, 0, {}, {}};
    for (const auto& [name, text] : d.strings) table.children.push_back(TextNode(name, text));
    root.children.push_back(Node{u"StringFileInfo", 1, 0, {}, {std::move(table)}});

    Node translation{u"Translation", 0, 4, {}, {}};
    AppendWord(translation.value, d.language);
    AppendWord(translation.value, d.codePage);
    root.children.push_back(Node{u"VarFileInfo", 1, 0, {}, {std::move(translation)}});

    std::vector<BYTE> block;
    AppendNode(block, root);
    if (block.size() > 0xFFFF) return {};  // lengths are 16-bit: the texts are too long for one block
    return block;
}

}  // namespace platform
