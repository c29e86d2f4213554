#include "foundation/VirtualArrayAdapter.h"

#include "foundation/NamedList.h"

bool VirtualArrayAdapter::IsEntry(int entry) const { return entry >= 0 && entry < m_list->Count(); }

void VirtualArrayAdapter::GetName(CString& out, int entry) const
{
    if (entry == kRoot)
        m_list->GetListName(out);
    else
        m_list->GetItemName(out, entry);
}

CString& VirtualArrayAdapter::GetNameCopy(CString& out, int entry) const
{
    if (entry == kRoot) {
        m_list->GetListName(out);
        return out;
    }
    return m_list->GetItemNameCopy(out, entry);
}

void VirtualArrayAdapter::GetPath(CString& out, int entry) const
{
    out.Empty();
    if (entry == kRoot) return;
    GetPath(out, Parent(entry));
    CString name;
    GetName(name, entry);
    out.Append("/");
    out.Append(name);
}

int VirtualArrayAdapter::ChildCount(int entry) const { return entry == kRoot ? m_list->Count() : 0; }

int VirtualArrayAdapter::Child(int entry, int i) const { return entry == kRoot && IsEntry(i) ? i : kNoIndex; }

bool VirtualArrayAdapter::ItemFlag(int entry) const { return IsEntry(entry) ? m_list->ItemFlag(entry) : true; }

bool VirtualArrayAdapter::IsItemListed(int entry) const { return IsEntry(entry) ? m_list->IsItemListed(entry) : true; }
