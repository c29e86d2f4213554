#include "frames/FrameInfo.h"

namespace {

void DeclareFrameInfo(ClassInfo* record)
{
    record->AddProperty(new IntegerPropertyInfo("Left", Member<&CFrameInfo::m_left>()));
    record->AddProperty(new IntegerPropertyInfo("Top", Member<&CFrameInfo::m_top>()));
    record->AddProperty(new IntegerPropertyInfo("Right", Member<&CFrameInfo::m_right>()));
    record->AddProperty(new IntegerPropertyInfo("Bottom", Member<&CFrameInfo::m_bottom>()));
    record->AddProperty(new IntegerPropertyInfo("UpperLeftXOffset", Member<&CFrameInfo::m_upperLeftXOffset>()));
    record->AddProperty(new IntegerPropertyInfo("UpperLeftYOffset", Member<&CFrameInfo::m_upperLeftYOffset>()));
}

const ArrayPropertyInfo& FrameInfosProperty();

void DeclareFrameInfoList(ClassInfo* record)
{
    record->AddProperty(new BoolPropertyInfo("WasRLE", Member<&CSequenceFrameInfoList::m_wasRle>()));
    record->AddProperty(new IntegerPropertyInfo("Flags", Member<&CSequenceFrameInfoList::m_flags>()));
    record->AddProperty(new IntegerPropertyInfo("BlitType", Member<&CSequenceFrameInfoList::m_blitType>()));
    record->AddProperty(new FloatPropertyInfo("FPS", Member<&CSequenceFrameInfoList::m_fps>()));
    record->AddProperty(new ArrayPropertyInfo(
        "Frame Infos", Member<&CSequenceFrameInfoList::m_childList>(),
        ObjectPointerPropertyInfo("Frame Info", PointerHolderValue(), CFrameInfo::GetStaticClassInfo()),
        sizeof(CObject*)));
}

const ArrayPropertyInfo& FrameInfosProperty()
{
    return *static_cast<ArrayPropertyInfo*>(CSequenceFrameInfoList::GetStaticClassInfo()->FindProperty("Frame Infos"));
}

}  // namespace

IMPLEMENT_PERSISTENT_CLASS(CFrameInfo, CObject, 3.0f, DeclareFrameInfo)
IMPLEMENT_PERSISTENT_CLASS(CSequenceFrameInfoList, CObject, 2.0f, DeclareFrameInfoList)

CFrameInfo* CSequenceFrameInfoList::GetInfo(int i) const
{
    if (i < 0 || i >= m_childList.count) return nullptr;
    return dynamic_cast<CFrameInfo*>(*static_cast<CObject**>(FrameInfosProperty().Element(HolderOf(this), i)));
}

void CSequenceFrameInfoList::Append(CFrameInfo* info)
{
    const ArrayPropertyInfo& property = FrameInfosProperty();
    property.Resize(HolderOf(this), m_childList.count + 1);
    *static_cast<CObject**>(property.Element(HolderOf(this), m_childList.count - 1)) = info;
}
