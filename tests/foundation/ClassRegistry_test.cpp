#include <gtest/gtest.h>

#include <string>

#include "FatalCapture.h"
#include "TestClasses.h"
#include "foundation/ClassRegistry.h"

namespace {

// A record made for one test and taken out of the registry again afterwards.
struct ScratchClass {
    ScratchClass(const char* name, float version, ClassInfo* parent = nullptr, ClassDeclaration declare = nullptr)
    {
        new ClassInfo(&record, name, version, parent, 16, false, nullptr, nullptr, declare);
    }
    ClassInfo* record = nullptr;
};

void RemoveFromRegistry(ClassInfo* record)
{
    ClassRegistry& registry = ClassRegistry::Instance();
    const int index = registry.IndexOf(record);
    if (index >= 0) registry.RemoveAt(index);
}

void DeclareTwoIntegers(ClassInfo* record)
{
    static std::int32_t unused;
    (void)unused;
    record->AddProperty(new IntegerPropertyInfo("One", HolderValue<std::int32_t>()));
    record->AddProperty(new IntegerPropertyInfo("Two", HolderValue<std::int32_t>()));
}

}  // namespace

TEST(ClassRegistry, StaticRegistrarsAddTheLibraryAndTestClasses)
{
    for (const char* name : {"CObject", "CClassThatCanNotBeConstructedOrDerivedFrom", "CTestA", "CTestB",
                             "CTestAbstract", "CTestEveryType"})
        EXPECT_NE(ClassRegistry::Instance().Find(name), nullptr) << name;
    EXPECT_TRUE(CTestB::GetStaticClassInfo()->IsDerivedFrom(CTestA::GetStaticClassInfo()));
    EXPECT_TRUE(CTestB::GetStaticClassInfo()->IsDerivedFrom(nullptr));
    EXPECT_FALSE(CTestA::GetStaticClassInfo()->IsDerivedFrom(CTestB::GetStaticClassInfo()));
    EXPECT_EQ(CObject::GetStaticClassInfo()->GetDisplayName(), "Object");
    EXPECT_EQ(CTestA::GetStaticClassInfo()->GetCategory(), "Miscellaneous");
}

TEST(ClassRegistry, FindsNamesWithoutCaseAndWithoutTheLeadingC)
{
    ScratchClass foo("CFoo", 1.0f), ccbar("CCBar", 1.0f);
    ClassRegistry& registry = ClassRegistry::Instance();
    ASSERT_TRUE(registry.Add(foo.record, nullptr));
    ASSERT_TRUE(registry.Add(ccbar.record, nullptr));
    struct Case {
        const char* name;
        const ClassInfo* expected;
    } cases[] = {{"CFOO", foo.record}, {"cfoo", foo.record},   {"foo", foo.record}, {"Foo", foo.record},
                 {"CBar", nullptr},    {"cBar", ccbar.record}, {"Bar", nullptr}};
    for (const Case& c : cases) EXPECT_EQ(registry.Find(c.name), c.expected) << c.name;
    // A name whose "C" form would not fit 99 characters is not retried, even when that class exists.
    const std::string longName(120, 'x');
    static const std::string longClassName = "C" + longName;
    ScratchClass longClass(longClassName.c_str(), 1.0f);
    ASSERT_TRUE(registry.Add(longClass.record, nullptr));
    EXPECT_EQ(registry.Find(longClassName.c_str()), longClass.record);
    int index = 0;
    EXPECT_EQ(registry.Find(longName.c_str(), &index), nullptr);
    EXPECT_EQ(index, kNoIndex);
    RemoveFromRegistry(foo.record);
    RemoveFromRegistry(ccbar.record);
    RemoveFromRegistry(longClass.record);
}

TEST(ClassRegistry, NewerVersionsReplaceOlderOnes)
{
    ScratchClass first("CVersioned", 1.0f), same("CVersioned", 1.0f), newer("CVersioned", 2.0f);
    ClassRegistry& registry = ClassRegistry::Instance();
    ASSERT_TRUE(registry.Add(first.record, nullptr));
    EXPECT_FALSE(registry.Add(same.record, nullptr));
    EXPECT_EQ(registry.Find("CVersioned"), first.record);
    EXPECT_TRUE(registry.Add(newer.record, nullptr));
    EXPECT_EQ(registry.Find("Versioned"), newer.record);
    EXPECT_EQ(registry.IndexOf(first.record), kNoIndex);
    RemoveFromRegistry(newer.record);
}

TEST(ClassRegistry, VersionsGrowWithPropertiesAndParents)
{
    // A parent declared -19 without properties under CObject (7: one property) has 3 x 7 - 19 = 2.
    ScratchClass parent("CVersionParent", -19.0f);
    EXPECT_EQ(parent.record->GetVersion(), 2.0f);
    ScratchClass child("CVersionChild", 1.0f, parent.record, DeclareTwoIntegers);
    EXPECT_EQ(child.record->GetVersion(), 21.0f);
    EXPECT_EQ(child.record->GetParentPropertyCount(), 1);
    EXPECT_EQ(child.record->Count(), 3);
    EXPECT_STREQ(child.record->ItemNameText(0), "Dynamic Properties");
    EXPECT_EQ(child.record->ItemNameText(3), nullptr);
}

TEST(ClassRegistry, FindPropertyUsesOneHintAndAlternativeNames)
{
    const ClassInfo* record = CTestEveryType::GetStaticClassInfo();
    int index = -1;
    ASSERT_NE(record->FindProperty("ranged", &index), nullptr);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(record->FindProperty("Width", &index)->GetUnits(), "Pixels");
    EXPECT_EQ(index, 2);
    EXPECT_EQ(record->FindProperty("Layout/Width", &index), nullptr);
    EXPECT_EQ(index, kNoIndex);
    EXPECT_EQ(record->FindPropertyByClaim("count"), record->GetProperty(12));  // the second property of CTestA
}

TEST(ClassRegistry, CreatingAnAbstractOrUnknownClassIsFatal)
{
    FatalCapture capture;
    for (const char* name : {"CObject", "CNoSuchClass", "TestAbstract"}) {
        capture.shown.clear();
        EXPECT_FATAL(capture, ClassRegistry::Instance().CreateObject(name, 0, -1));
        EXPECT_EQ(capture.shown.rfind("FATAL ERROR!: The executable or data file appears to have become corrupted.", 0),
                  0u);
    }
    const std::unique_ptr<CObject> made(ClassRegistry::Instance().CreateObject("testb", 0, -1));
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->IsKindOf(CTestA::GetStaticClassInfo()));
    EXPECT_EQ(made->InstanceSize(), static_cast<int>(sizeof(CTestB)));
}
