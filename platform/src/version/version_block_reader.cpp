#include "version/version_block_reader.h"

#include <string>

#include "ascii_case.h"
#include "version/utf16.h"

namespace platform::version {

namespace {

constexpr std::size_t kMaxKeyLength = 256;

std::size_t Align(std::size_t at) { return (at + 3) & ~std::size_t{3}; }

WORD WordAt(const BYTE* block, std::size_t at) { return static_cast<WORD>(block[at] | block[at + 1] << 8); }

struct Node {
    std::size_t end = 0;
    std::string key;
    FoundValue value;
    std::size_t children = 0;
};

// The node starting at start, when it lies wholly before limit.
std::optional<Node> ReadNode(const BYTE* block, std::size_t limit, std::size_t start)
{
    if (start + 6 > limit) return std::nullopt;
    const std::size_t length = WordAt(block, start);
    if (length < 6 || start + length > limit) return std::nullopt;
    Node node;
    node.end = start + length;
    std::u16string key;
    std::size_t at = start + 6;
    for (;; at += 2) {
        if (at + 2 > node.end || key.size() > kMaxKeyLength) return std::nullopt;
        const WORD c = WordAt(block, at);
        if (c == 0) break;
        key += static_cast<char16_t>(c);
    }
    node.key = Utf16ToUtf8(key);
    node.value.text = WordAt(block, start + 4) == 1;
    node.value.offset = Align(at + 2);
    node.value.size = WordAt(block, start + 2) * (node.value.text ? 2u : 1u);
    if (node.value.size > 0 && node.value.offset + node.value.size > node.end) return std::nullopt;
    node.children = std::min(node.end, Align(node.value.offset + node.value.size));
    return node;
}

}  // namespace

std::optional<FoundValue> FindVersionValue(const BYTE* block, std::size_t length, std::string_view path)
{
    std::optional<Node> node = ReadNode(block, length, 0);
    while (node && !path.empty()) {
        const std::size_t cut = path.find('\\');
        const std::string_view name = path.substr(0, cut);
        path = cut == std::string_view::npos ? std::string_view() : path.substr(cut + 1);
        if (name.empty()) continue;
        std::optional<Node> match;
        for (std::size_t at = node->children; !match;) {
            std::optional<Node> child = ReadNode(block, node->end, at);
            if (!child) break;
            if (EqualIgnoringCase(child->key, name)) match = child;
            at = Align(child->end);
        }
        node = match;
    }
    if (!node) return std::nullopt;
    return node->value;
}

std::size_t VersionBlockLength(const BYTE* data, std::size_t size)
{
    std::optional<Node> root = ReadNode(data, size, 0);
    return root && root->key == "VS_VERSION_INFO" ? root->end : 0;
}

}  // namespace platform::version
