// The skins: theme objects read from "JWindowSkin" property files found in the skin folders, each loaded on first
// use.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/CString.h"
#include "foundation/NamedList.h"

class CObject;

class SkinLibrary : public NamedList {
public:
    static constexpr const char* kExtension = "JWindowSkin";

    static SkinLibrary& Get();

    // Finds the skins of the first folder of a "a|b" list; with none there, the skins and "property" files of the
    // base folder. Names lose their folder and extension (without regard to case) and a leading '-' of their last
    // part; of names equal without regard to case only the first stays.
    void Scan(const char* folderList, int mode);
    int GetCount();
    const char* GetName(int i);
    // The skin of an index: an index past the end (also -1) means the first; null for an empty library. A skin
    // asked for while it is being read ends the process.
    CObject* Load(int index);
    void Preload(int index);
    void Unload(int index);
    int AddName(const char* name);
    CString GetPath(int index) const;
    // A skin of the name, or the first skin for a name the library does not know.
    CObject* CreateSkin(const char* name);

    // NamedList
    const char* ItemNameText(int i) const override { return m_items[i]->name.GetText(); }
    int Count() const override { return static_cast<int>(m_items.size()); }
    int Find(const CString& name, int hint = -1) const override;
    int Find(const char* name, int hint = -1) const override { return Find(CString(name), hint); }

private:
    struct Item {
        CString name;
        CString file;
        std::unique_ptr<CObject> object;
        bool loading = false;
        bool started = false;
        bool keep = false;
        std::uint32_t lastUse = 0;
    };
    void RunPendingScan();
    void AddFound(const CString& folder, const char* extension, int mode);

    std::vector<std::unique_ptr<Item>> m_items;
    CString m_folderList;
    CString m_folder;
    int m_mode = 0;
    bool m_rescanNeeded = false;
};
