#include "TestClasses.h"

namespace {

void DeclareA(ClassInfo* record)
{
    record->AddProperty(new IntegerPropertyInfo("Count", Member<&CTestA::m_count>(), 7));
    record->AddProperty(new StringPropertyInfo("Name", Member<&CTestA::m_name>(), "unnamed", 1));
}

void DeclareB(ClassInfo* record)
{
    record->AddProperty(new FloatPropertyInfo("Ratio", Member<&CTestB::m_ratio>(), 0.5f));
}

const StaticNamedListRecord kColours[] = {
    {nullptr, "Red", nullptr}, {nullptr, "Green", nullptr}, {"Azure", "Blue", nullptr}, {nullptr, nullptr, nullptr}};

void DeclareEveryType(ClassInfo* record)
{
    record->AddProperty(
        new IntegerPropertyInfo("Layout/Ranged", Member<&CTestEveryType::m_ranged>(), {.defaultValue = 2, .max = 5}));
    record->AddProperty(new IntegerPropertyInfo("Layout/Width", Member<&CTestEveryType::m_width>(),
                                                {.defaultValue = 640, .units = "Pixels"}));
    auto* align = new EnumPropertyInfo("Align", Member<&CTestEveryType::m_align>(), {.max = 3});
    align->AddNamedValue(0, "Left")->AddNamedValue(1, "Centre")->AddNamedValue(2, "Right");
    record->AddProperty(align);
    auto* scale = new FloatPropertyInfo("Scale", Member<&CTestEveryType::m_scale>(),
                                        {.defaultValue = 1.0f, .min = 0.0f, .max = 10.0f, .step = 0.25f});
    scale->AddNamedValue(1.0f, "Natural");
    record->AddProperty(scale);
    record->AddProperty(new BoolPropertyInfo("Enabled", Member<&CTestEveryType::m_enabled>(), true));
    record->AddProperty(
        new FlagPropertyInfo("Visible", Member<&CTestEveryType::m_flags>(), CTestEveryType::kVisible, true));
    record->AddProperty(new FlagPropertyInfo("Locked", Member<&CTestEveryType::m_flags>(), CTestEveryType::kLocked));
    record->AddProperty(new StringPropertyInfo("Title", Member<&CTestEveryType::m_title>()));
    record->AddProperty(new CharPointerPropertyInfo("Note", Member<&CTestEveryType::m_note>(), "none"));
    record->AddProperty(
        new FixedCollectionItemPropertyInfo("Colour", Member<&CTestEveryType::m_colour>(), &TestColours(), "Green"));
    record->AddProperty(new IntPairPropertyInfo("Origin", Member<&CTestEveryType::m_origin>(), IntPair{3, 4}));
    record->AddProperty(new ObjectPointerPropertyInfo("Child", PointerMember<&CTestEveryType::m_child>(),
                                                      CTestA::GetStaticClassInfo()));
    record->AddProperty(new ArrayPropertyInfo("Numbers", Member<&CTestEveryType::m_numbers>(),
                                              IntegerPropertyInfo("Number", HolderValue<std::int32_t>()),
                                              sizeof(std::int32_t)));
    record->AddProperty(new ArrayPropertyInfo("Words", Member<&CTestEveryType::m_words>(),
                                              StringPropertyInfo("Word", HolderValue<CString>()), sizeof(CString),
                                              false));
    record->AddProperty(
        new ItemArrayPropertyInfo("Items", Member<&CTestEveryType::m_items>(), CTestA::GetStaticClassInfo()));
}

}  // namespace

NamedList& TestColours()
{
    static StaticNamedList* colours = new StaticNamedList(kColours);
    return *colours;
}

IMPLEMENT_PERSISTENT_CLASS(CTestA, CObject, 1.0f, DeclareA)
IMPLEMENT_PERSISTENT_CLASS(CTestB, CTestA, 1.0f, DeclareB)
IMPLEMENT_ABSTRACT_CLASS(CTestAbstract, CTestA, 1.0f, nullptr)
IMPLEMENT_PERSISTENT_CLASS(CTestEveryType, CObject, 1.0f, DeclareEveryType)
