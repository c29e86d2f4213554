// The mounted archives: a stack of layers, each a tree of folder nodes that may carry one zip archive. Later
// layers win. File opens, existence tests, times and searches ask it for relative paths once archives are
// mounted.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/CString.h"

class CFileBuf;
class FileSearchReceiver;
class FileSearchSpec;
class ZipArchive;

class VirtualFileNode {
public:
    VirtualFileNode(VirtualFileNode* parent, const char* name, int length);
    // Children first, from the last towards the first, then the archive.
    ~VirtualFileNode();
    VirtualFileNode(const VirtualFileNode&) = delete;
    VirtualFileNode& operator=(const VirtualFileNode&) = delete;

    // The child of that name (exact length, case-insensitive); length 0 finds nothing.
    VirtualFileNode* FindChild(const char* name, int length) const;
    VirtualFileNode* AddChild(const char* name, int length);
    VirtualFileNode* FindOrAddChild(const char* name, int length);
    // Opens a new archive on this node; on failure it is destroyed and the node keeps none.
    bool AttachArchive(const char* archivePath, bool writable, const char* mountPath, bool deferDirectory, int flags);
    // Names from the root down, joined with '/'.
    CString GetFullPath() const;

    VirtualFileNode* GetParent() const { return m_parent; }
    const CString& GetName() const { return m_name; }
    ZipArchive* GetArchive() const { return m_archive.get(); }
    const std::vector<std::unique_ptr<VirtualFileNode>>& GetChildren() const { return m_children; }

private:
    VirtualFileNode* m_parent;
    CString m_name;
    std::vector<std::unique_ptr<VirtualFileNode>> m_children;
    std::unique_ptr<ZipArchive> m_archive;
};

class VirtualFileTree {
public:
    static VirtualFileTree& Instance();
    VirtualFileTree() = default;
    ~VirtualFileTree();
    VirtualFileTree(const VirtualFileTree&) = delete;
    VirtualFileTree& operator=(const VirtualFileTree&) = delete;

    // Mounts one archive at mountPath ("/" or "" is the root), in a new layer or in the last one.
    bool Add(const char* archivePath, bool newLayer, bool writable, const char* mountPath, bool deferDirectory,
             int openFlags);
    bool Exists(const char* path, int flags);
    // The member's stream from the last layer down. A rewrite (create) is answered by the first archive that holds
    // the member alone: the copy reads find first is the one saved, or none is.
    CFileBuf* Open(const char* path, int flags);
    // True when the archive of any layer holds the member (Exists asks only the last layer covering the path).
    bool HoldsMember(const char* path);
    // True when the path's archive has the member; writable tells whether it may be rewritten.
    bool IsWritable(const char* path, bool* writable);
    std::int64_t GetTime(const char* path, int flags);
    void Enumerate(FileSearchReceiver& receiver, const FileSearchSpec& wanted);

    int GetLayerCount() const { return static_cast<int>(m_layers.size()); }
    // Destroys every layer. The library never unmounts while it runs; tests start over with it.
    void Reset();

private:
    // The deepest node on the path's folder that carries an archive (the root included), or null.
    static VirtualFileNode* ArchiveNodeFor(VirtualFileNode* root, const CString& path);
    // The archive of the last layer that has one for the path, found or not.
    ZipArchive* TopArchiveFor(const CString& path) const;
    std::vector<std::unique_ptr<VirtualFileNode>> m_layers;  // the last is searched first
};

// Start-up mounting: the module's own archive and the "QXD" archives beside it (mode 0 or 2), then every "zip"
// file under the base folder name (unless skipZips).
void MountArchives(const char* name, int mode, bool skipZips);

// Told the steps of mounting; it shows nothing in this library.
class MountProgressReporter {
public:
    static MountProgressReporter& Instance();
    virtual ~MountProgressReporter() = default;
    virtual void Begin() {}
    virtual void End() {}
    virtual int Report(const char* text, int kind, int value) { return 0; }
};
