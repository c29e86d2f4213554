// File searches over disk folders and the members of mounted archives, reported to a receiver.
#pragma once
#include <cstdint>
#include <set>
#include <vector>

#include "foundation/CString.h"
#include "foundation/NamedList.h"

class FileSearchSpec {
public:
    enum Recursion : std::int32_t {
        kEverySubFolder = 0,
        kSkipDashedFolders = 1,
        kNoDescent = 2
    };
    enum Kind : std::int32_t {
        kFiles = 0,
        kFolders = 1
    };
    enum NameForm : std::int32_t {
        kRelativePaths = 0,
        kBareNames = 1
    };
    static constexpr int kMaxExtensions = 5;

    FileSearchSpec() = default;
    FileSearchSpec(const char* folder, const char* extension, int recursion);
    // Files of the one extension in the folder (which ends in '/').
    void Set(const char* folder, const char* extension);
    // Folders, only those beginning with '-' when dashedOnly.
    void SetFolders(const char* folder, bool dashedOnly);
    void AddExtension(const char* extension);  // a leading '.' is dropped; ignored when five are set
    void SetFlags(int recursion) { m_recursion = recursion; }
    void SetNameForm(int nameForm) { m_nameForm = nameForm; }
    void SetFolder(const char* folder) { m_folder = folder; }

    int GetRecursion() const { return m_recursion; }
    int GetKind() const { return m_kind; }
    int GetNameForm() const { return m_nameForm; }
    const char* GetFolder() const { return m_folder ? m_folder : ""; }
    const char* GetNamePrefix() const { return m_namePrefix ? m_namePrefix : ""; }
    int GetExtensionCount() const { return m_extensionCount; }
    const CString& GetExtension(int i) const { return m_extensions[i]; }

private:
    std::int32_t m_recursion = kSkipDashedFolders;
    std::int32_t m_kind = kFiles;
    std::int32_t m_nameForm = kRelativePaths;
    const char* m_folder = nullptr;      // not owned
    const char* m_namePrefix = nullptr;  // not owned
    std::int32_t m_extensionCount = 0;
    CString m_extensions[kMaxExtensions];
};

struct FileInfo {
    std::int32_t size = 0;  // low 32 bits
    std::int32_t unused = 0;
    std::int64_t time = 0;  // last write, as a Windows file time
};

class FileSearchReceiver {
public:
    virtual ~FileSearchReceiver() = default;
    virtual int Count() = 0;
    virtual void Add(const char* name, const FileInfo& info) = 0;
    // True makes the search skip the name.
    virtual bool IsListed(const char* name) = 0;
};

// Names copied into fixed-width slots of a caller's array (and each size into the same index of an int32
// array, when one is given). A
// name longer than a slot allows ends the process with "Illegal file name".
class FixedNameArray : public FileSearchReceiver {
public:
    FixedNameArray(char* names, std::int32_t* sizes, int slotWidth, int maxCount);
    int Count() override { return m_count; }
    void Add(const char* name, const FileInfo& info) override;
    bool IsListed(const char* name) override;

private:
    char* m_names;
    std::int32_t* m_sizes;
    int m_slotWidth;
    int m_maxCount;
    int m_count = 0;
};

// The files a search found, with their sizes and times.
// The files a search found, in the order found; also a named list of them, so that they can be looked up and
// chosen by name like the items of any other list.
class FileEnumerator : public FileSearchReceiver, public NamedList {
public:
    int Count() override { return static_cast<int>(m_entries.size()); }
    int Count() const override { return static_cast<int>(m_entries.size()); }
    void Add(const char* name, const FileInfo& info) override;
    bool IsListed(const char* name) override;
    const char* ItemNameText(int i) const override { return m_entries[i].name.GetText(); }

    // Clears and runs EnumerateFiles with itself as receiver.
    int Scan(const FileSearchSpec& wanted, int flags);
    void Clear() override;
    CString GetName(int i) const { return m_entries[i].name; }
    const char* GetNameText(int i) const { return m_entries[i].name.GetText(); }
    std::int32_t GetFileSize(int i) const { return m_entries[i].size; }
    std::int64_t GetFileTime(int i) const { return m_entries[i].time; }

private:
    struct Entry {
        CString name;
        std::int32_t size;
        std::int64_t time;
    };
    struct NoCaseLess {
        bool operator()(const CString& a, const CString& b) const { return a.CompareNoCase(b) < 0; }
    };
    std::vector<Entry> m_entries;
    std::set<CString, NoCaseLess> m_names;
};

// Disk files first, then the members of the mounted archives; returns the receiver's Count.
int EnumerateFiles(FileSearchReceiver& receiver, const FileSearchSpec& wanted, int flags);
int EnumerateFiles(const FileSearchSpec& wanted, FileSearchReceiver& receiver);
int CountFiles(const FileSearchSpec& wanted, int flags);
int ListFileNames(const FileSearchSpec& wanted, char* names, std::int32_t* sizes, int slotWidth, int maxCount,
                  int flags);
