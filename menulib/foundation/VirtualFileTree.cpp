#include "foundation/VirtualFileTree.h"

#include <cstring>

#include "foundation/CFileBuf.h"
#include "foundation/FileFlags.h"
#include "foundation/FileSearch.h"
#include "foundation/ZipArchive.h"

namespace {

CString TreePath(const char* path)
{
    CString normal(path);
    normal.ReplaceChar('\\', '/');
    return normal;
}

// Calls visit(start, length) for each component of the path's folder part (text up to its last '/'), skipping
// empty ones; stops when visit returns false.
template <typename Visit>
void ForEachFolderComponent(const CString& path, Visit visit)
{
    const char* text = path.GetText();
    int start = 0;
    for (int i = 0; text[i]; ++i) {
        if (text[i] != '/') continue;
        if (i > start && !visit(text + start, i - start)) return;
        start = i + 1;
    }
}

}  // namespace

// --- nodes -----------------------------------------------------------------------------------------------------

VirtualFileNode::VirtualFileNode(VirtualFileNode* parent, const char* name, int length)
    : m_parent(parent), m_name(name, length)
{
}

VirtualFileNode::~VirtualFileNode()
{
    while (!m_children.empty()) m_children.pop_back();
    m_archive.reset();
}

VirtualFileNode* VirtualFileNode::FindChild(const char* name, int length) const
{
    if (length <= 0) return nullptr;
    const CString wanted(name, length);
    for (const auto& child : m_children)
        if (child->m_name.CompareNoCase(wanted) == 0) return child.get();
    return nullptr;
}

VirtualFileNode* VirtualFileNode::AddChild(const char* name, int length)
{
    m_children.push_back(std::make_unique<VirtualFileNode>(this, name, length));
    return m_children.back().get();
}

VirtualFileNode* VirtualFileNode::FindOrAddChild(const char* name, int length)
{
    VirtualFileNode* child = FindChild(name, length);
    return child ? child : AddChild(name, length);
}

bool VirtualFileNode::AttachArchive(const char* archivePath, bool writable, const char* mountPath, bool deferDirectory,
                                    int flags)
{
    if (m_archive) return false;  // a node carries one archive
    auto archive = std::make_unique<ZipArchive>();
    if (!archive->Open(archivePath, writable, mountPath, deferDirectory, flags)) return false;
    m_archive = std::move(archive);
    return true;
}

CString VirtualFileNode::GetFullPath() const
{
    if (!m_parent) return m_name;
    CString path = m_parent->GetFullPath();
    path.AppendPath(m_name);
    return path;
}

// --- the tree --------------------------------------------------------------------------------------------------

VirtualFileTree& VirtualFileTree::Instance()
{
    static VirtualFileTree tree;
    return tree;
}

VirtualFileTree::~VirtualFileTree() { Reset(); }

void VirtualFileTree::Reset()
{
    while (!m_layers.empty()) m_layers.pop_back();
}

bool VirtualFileTree::Add(const char* archivePath, bool newLayer, bool writable, const char* mountPath,
                          bool deferDirectory, int openFlags)
{
    std::unique_ptr<VirtualFileNode> newRoot;
    if (newLayer || m_layers.empty()) newRoot = std::make_unique<VirtualFileNode>(nullptr, "", 0);
    VirtualFileNode* root = newRoot ? newRoot.get() : m_layers.back().get();
    CString mount = TreePath(mountPath);
    if (mount.IsNotEmpty() && mount.GetAt(mount.GetLength() - 1) != '/') mount.Append('/');
    VirtualFileNode* node = root;
    ForEachFolderComponent(mount, [&node](const char* name, int length) {
        node = node->FindOrAddChild(name, length);
        return true;
    });
    if (!node->AttachArchive(archivePath, writable, mount.GetText(), deferDirectory, openFlags)) return false;
    // Only a new layer joins the stack: the last one is already in it.
    if (newRoot) m_layers.push_back(std::move(newRoot));
    return true;
}

VirtualFileNode* VirtualFileTree::ArchiveNodeFor(VirtualFileNode* root, const CString& path)
{
    VirtualFileNode* found = root->GetArchive() ? root : nullptr;
    VirtualFileNode* node = root;
    ForEachFolderComponent(path, [&](const char* name, int length) {
        node = node->FindChild(name, length);
        if (!node) return false;
        if (node->GetArchive()) found = node;
        return true;
    });
    return found;
}

CFileBuf* VirtualFileTree::Open(const char* path, int flags)
{
    const CString name = TreePath(path);
    for (auto it = m_layers.rbegin(); it != m_layers.rend(); ++it) {
        VirtualFileNode* node = ArchiveNodeFor(it->get(), name);
        if (!node) continue;
        if (CFileBuf* stream = node->GetArchive()->OpenMember(name.GetText(), flags)) return stream;
        // A copy saved in a lower layer would stay hidden under this one.
        if ((flags & kFileCreate) && node->GetArchive()->HasMember(name.GetText())) return nullptr;
    }
    return nullptr;
}

bool VirtualFileTree::HoldsMember(const char* path)
{
    const CString name = TreePath(path);
    for (auto it = m_layers.rbegin(); it != m_layers.rend(); ++it)
        if (VirtualFileNode* node = ArchiveNodeFor(it->get(), name))
            if (node->GetArchive()->HasMember(name.GetText())) return true;
    return false;
}

ZipArchive* VirtualFileTree::TopArchiveFor(const CString& path) const
{
    for (auto it = m_layers.rbegin(); it != m_layers.rend(); ++it)
        if (VirtualFileNode* node = ArchiveNodeFor(it->get(), path)) return node->GetArchive();
    return nullptr;
}

bool VirtualFileTree::Exists(const char* path, int flags)
{
    const CString name = TreePath(path);
    ZipArchive* archive = TopArchiveFor(name);
    return archive && archive->HasMember(name.GetText());
}

bool VirtualFileTree::IsWritable(const char* path, bool* writable)
{
    const CString name = TreePath(path);
    ZipArchive* archive = TopArchiveFor(name);
    return archive && archive->IsWritable(name.GetText(), writable);
}

std::int64_t VirtualFileTree::GetTime(const char* path, int flags)
{
    const CString name = TreePath(path);
    ZipArchive* archive = TopArchiveFor(name);
    return archive ? archive->GetTime(name.GetText()) : 0;
}

namespace {

void EnumerateNode(VirtualFileNode* node, FileSearchReceiver& receiver, const FileSearchSpec& wanted)
{
    const char* prefix = wanted.GetNamePrefix();
    const int prefixLength = static_cast<int>(std::strlen(prefix));
    for (const auto& child : node->GetChildren()) {
        const bool dashed = child->GetName().GetAt(0) == '-';
        if (wanted.GetRecursion() == FileSearchSpec::kEverySubFolder ||
            (wanted.GetRecursion() == FileSearchSpec::kSkipDashedFolders && !dashed))
            EnumerateNode(child.get(), receiver, wanted);
        if (wanted.GetKind() == FileSearchSpec::kFolders &&
            (prefixLength == 0 || child->GetName().CompareNoCase(CString(prefix), prefixLength) == 0)) {
            const CString reported =
                wanted.GetNameForm() == FileSearchSpec::kBareNames ? child->GetName() : child->GetFullPath();
            if (!receiver.IsListed(reported.GetText())) receiver.Add(reported.GetText(), FileInfo{});
        }
    }
    if (node->GetArchive()) node->GetArchive()->Enumerate(receiver, wanted);
}

}  // namespace

void VirtualFileTree::Enumerate(FileSearchReceiver& receiver, const FileSearchSpec& wanted)
{
    const CString folder = TreePath(wanted.GetFolder());
    for (auto it = m_layers.rbegin(); it != m_layers.rend(); ++it) {
        VirtualFileNode* node = ArchiveNodeFor(it->get(), folder);
        if (!node) {
            node = it->get();
            ForEachFolderComponent(folder, [&node](const char* name, int length) {
                node = node->FindChild(name, length);
                return node != nullptr;
            });
        }
        if (node) EnumerateNode(node, receiver, wanted);
    }
}

MountProgressReporter& MountProgressReporter::Instance()
{
    static MountProgressReporter reporter;
    return reporter;
}
