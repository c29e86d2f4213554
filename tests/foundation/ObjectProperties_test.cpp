#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

#include "FatalCapture.h"
#include "StreamHelpers.h"
#include "TestClasses.h"
#include "foundation/BitStream.h"
#include "foundation/LocalizedString.h"
#include "platform/debug_output.h"

using namespace streamtest;

namespace {

const ArrayPropertyInfo& NumbersInfo()
{
    return *static_cast<ArrayPropertyInfo*>(CTestEveryType::GetStaticClassInfo()->FindProperty("Numbers"));
}
const ArrayPropertyInfo& WordsInfo()
{
    return *static_cast<ArrayPropertyInfo*>(CTestEveryType::GetStaticClassInfo()->FindProperty("Words"));
}
const ItemArrayPropertyInfo& ItemsInfo()
{
    return *static_cast<ItemArrayPropertyInfo*>(CTestEveryType::GetStaticClassInfo()->FindProperty("Items"));
}
std::int32_t Number(CTestEveryType& object, int i)
{
    return *static_cast<std::int32_t*>(NumbersInfo().Element(HolderOf(&object), i));
}

// An object with a value other than the default in every member.
void Fill(CTestEveryType& object)
{
    object.m_ranged = 4;
    object.m_width = -12;
    object.m_align = 2;
    object.m_scale = 2.5f;
    object.m_enabled = false;
    object.m_flags = CTestEveryType::kLocked;
    object.m_title = "Two\nlines";
    CharPointerPropertyInfo* note =
        static_cast<CharPointerPropertyInfo*>(CTestEveryType::GetStaticClassInfo()->FindProperty("Note"));
    note->SetFromText(HolderOf(&object), CString("a note"), nullptr);
    object.m_colour = 2;
    object.m_origin = {-1, 9};
    object.m_child = new CTestB;
    object.m_child->m_count = 3;
    object.m_child->m_name = "kid";
    static_cast<CTestB*>(object.m_child)->m_ratio = 0.75f;
    NumbersInfo().Resize(HolderOf(&object), 3);
    for (int i = 0; i < 3; ++i) *static_cast<std::int32_t*>(NumbersInfo().Element(HolderOf(&object), i)) = 10 * (i + 1);
    WordsInfo().Resize(HolderOf(&object), 2);
    *static_cast<CString*>(WordsInfo().Element(HolderOf(&object), 0)) = "first";
    *static_cast<CString*>(WordsInfo().Element(HolderOf(&object), 1)) = "second";
    for (int i = 0; i < 2; ++i) {
        auto* item = static_cast<CTestA*>(ItemsInfo().Append(HolderOf(&object)));
        item->m_count = 100 + i;
        item->m_name = i ? "b" : "a";
    }
    CommentProperty()->SetFromText(CommentProperty()->GetOrCreateDynamicValue(&object), CString("remark"), nullptr);
}

const char* const kFilledText =
    "CTestEveryType\r\n"
    "{\r\n"
    "\tDynamic Properties=1\r\n"
    "\t{\r\n"
    "\t\tComment=remark\r\n"
    "\t}\r\n"
    "\tRanged=4\r\n"
    "\tWidth=-12\r\n"
    "\tAlign=Right\r\n"
    "\tScale=2.5\r\n"
    "\tEnabled=0\r\n"
    "\tVisible=0\r\n"
    "\tLocked=1\r\n"
    "\tTitle=multi-line\r\n"
    "\t{\r\n"
    "Two\nlines\r\n"
    "\t}\r\n"
    "\tNote=a note\r\n"
    "\tColour=Blue\r\n"
    "\tOrigin=-1,9\r\n"
    "\tChild=CTestB\r\n"
    "\t{\r\n"
    "\t\tCount=3\r\n"
    "\t\tName=kid\r\n"
    "\t\tRatio=0.75\r\n"
    "\t}\r\n"
    "\tNumbers=Array\r\n"
    "\t{\r\n"
    "\t\tItem Count=3\r\n"
    "\t\tNumber=10\r\n"
    "\t\tNumber=20\r\n"
    "\t\tNumber=30\r\n"
    "\t}\r\n"
    "\tWords=Array\r\n"
    "\t{\r\n"
    "\t\tItem Count=2\r\n"
    "\t\tWord=first\r\n"
    "\t\tWord=second\r\n"
    "\t}\r\n"
    "\tItems=Array\r\n"
    "\t{\r\n"
    "\t\tArray Count=2\r\n"
    "\t\tArray Item=CTestA\r\n"
    "\t\t{\r\n"
    "\t\t\tCount=100\r\n"
    "\t\t\tName=a\r\n"
    "\t\t}\r\n"
    "\t\tArray Item=CTestA\r\n"
    "\t\t{\r\n"
    "\t\t\tCount=101\r\n"
    "\t\t\tName=b\r\n"
    "\t\t}\r\n"
    "\t}\r\n"
    "}\r\n";

// The value a standalone descriptor holds after its reset to the default and then the text, if any.
template <typename T>
T ValueAfter(const PropertyInfo& info, const char* text)
{
    T value{};
    info.ResetToDefault(&value);
    if (text) info.SetFromText(&value, CString(text), nullptr);
    return value;
}

// Runs a read of damaged data, which may end in a fatal message (a FatalCapture turns it into ProcessEnded).
template <typename Read>
void SurvivingFatal(Read read)
{
    try {
        read();
    } catch (const ProcessEnded&) {
    }
}

// One object's values carried into another in each form; a delta goes against a default object.
bool ThroughText(const CTestEveryType& from, CTestEveryType& to) { return ReadText(to, Text(from)); }
bool ThroughBinary(const CTestEveryType& from, CTestEveryType& to) { return ReadBinary(to, Binary(from)); }
bool ThroughDelta(const CTestEveryType& from, CTestEveryType& to)
{
    const CTestEveryType base;
    BitStream writer;
    from.WriteDelta(writer, &base);
    BitStream reader(writer.Data().data(), static_cast<int>(writer.Data().size()));
    return to.ReadDelta(reader);
}

void ExpectItemsEqual(CTestEveryType& a, CTestEveryType& b)
{
    ASSERT_EQ(a.m_items.count, b.m_items.count);
    for (int i = 0; i < a.m_items.count; ++i)
        EXPECT_TRUE(AllEqual(*ItemsInfo().Item(HolderOf(&a), i), *ItemsInfo().Item(HolderOf(&b), i))) << i;
}

}  // namespace

TEST(ObjectProperties, MembersStartAtTheirDefaults)
{
    CTestEveryType object;
    EXPECT_EQ(object.m_ranged, 2);
    EXPECT_EQ(object.m_width, 640);
    EXPECT_EQ(object.m_scale, 1.0f);
    EXPECT_TRUE(object.m_enabled);
    EXPECT_EQ(object.m_flags, CTestEveryType::kVisible);
    EXPECT_STREQ(object.m_note, "none");
    EXPECT_EQ(object.m_colour, 1);  // "Green"
    EXPECT_EQ(object.m_origin, (IntPair{3, 4}));
    EXPECT_EQ(object.m_child, nullptr);
    EXPECT_EQ(object.GetDynamicProperties(), nullptr);
    const PropertyInfo* width = object.GetClassInfo()->FindProperty("Width");
    EXPECT_EQ(width->GetGroup(), "Layout");
    EXPECT_TRUE(width->IsAtDefault(HolderOf(&object)));
}

TEST(ObjectProperties, TextRoundTripOfEveryType)
{
    CTestEveryType written;
    Fill(written);
    const std::string text = Text(written);
    EXPECT_EQ(text, kFilledText);

    CTestEveryType read;
    ASSERT_TRUE(ReadText(read, text));
    EXPECT_TRUE(AllEqual(written, read));
    EXPECT_EQ(read.m_title, "Two\nlines");
    EXPECT_EQ(read.m_origin, (IntPair{-1, 9}));
    ASSERT_NE(read.m_child, nullptr);
    EXPECT_EQ(read.m_child->GetClassInfo(), CTestB::GetStaticClassInfo());
    EXPECT_EQ(Number(read, 2), 30);
    ExpectItemsEqual(written, read);
    EXPECT_EQ(Text(read), text);
}

TEST(ObjectProperties, BinaryRoundTripOfEveryType)
{
    CTestEveryType written;
    Fill(written);
    const std::string bytes = Binary(written);
    ASSERT_GE(bytes.size(), 8u);
    float marker;
    std::memcpy(&marker, bytes.data(), 4);
    EXPECT_EQ(marker, 27.0f);

    CTestEveryType read;
    ASSERT_TRUE(ReadBinary(read, bytes));
    EXPECT_TRUE(AllEqual(written, read));
    EXPECT_STREQ(read.m_note, "a note");
    EXPECT_EQ(read.m_origin, (IntPair{-1, 9}));
    ExpectItemsEqual(written, read);
    EXPECT_EQ(Binary(read), bytes);
}

TEST(ObjectProperties, BinaryReadsRefuseOtherVersionsAndDamage)
{
    CTestEveryType written;
    Fill(written);
    const std::string bytes = Binary(written);

    std::string otherVersion = bytes;
    const float version = CTestEveryType::GetStaticClassInfo()->GetVersion() + 7.0f;
    std::memcpy(&otherVersion[4], &version, 4);
    CTestEveryType read;
    EXPECT_FALSE(ReadBinary(read, otherVersion));

    std::string oldMarker = bytes;
    const float old = 24.0f;
    std::memcpy(&oldMarker[0], &old, 4);
    EXPECT_FALSE(ReadBinary(read, oldMarker));

    // Every cut short form fails without reading past its end.
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        CTestEveryType partial;
        EXPECT_FALSE(ReadBinary(partial, bytes.substr(0, n))) << n;
    }
    // Stored counts below 0 or beyond the data fail the read: patch the count of the number array.
    const std::size_t numbersAt = bytes.find(std::string("\x03\0\0\0\x0a\0\0\0", 8));
    ASSERT_NE(numbersAt, std::string::npos);
    for (std::int32_t count : {-1, 1 << 30, 0x7FFFFFFF}) {
        std::string damaged = bytes;
        std::memcpy(&damaged[numbersAt], &count, 4);
        CTestEveryType target;
        EXPECT_FALSE(ReadBinary(target, damaged)) << count;
    }
}

TEST(ObjectProperties, ChangedBytesNeverReadOutOfBounds)
{
    // Each damaged form is read between pages that may not be touched: a read outside the data ends the test
    // program in any build. A read may succeed or fail.
    CTestEveryType written;
    Fill(written);
    const std::string bytes = Binary(written);
    for (GuardedBytes::Side side : {GuardedBytes::GuardAfter, GuardedBytes::GuardBefore}) {
        GuardedBytes guarded(bytes, side);
        const bool after = side == GuardedBytes::GuardAfter;
        volatile const char* beyond = after ? guarded.Data() + guarded.Size() : guarded.Data() - 1;
        EXPECT_DEATH(static_cast<void>(*beyond), "") << "the guard itself";
    }
    for (std::size_t i = 0; i < bytes.size(); ++i)
        for (char value : {'\xFF', '\x80', '\x00'}) {
            std::string damaged = bytes;
            damaged[i] = value;
            ReadGuarded(damaged, [](PropertyStream& stream) {
                CTestEveryType target;
                target.ReadBinary(stream);
            });
        }
    // The same for the text form; a damaged name may end in a fatal message.
    FatalCapture capture;
    const std::string text = Text(written);
    for (std::size_t i = 0; i < text.size(); ++i)
        for (char value : {'{', '}', '=', '\n'}) {
            std::string damaged = text;
            damaged[i] = value;
            ReadGuarded(damaged, [](PropertyStream& stream) {
                CTestEveryType target;
                SurvivingFatal([&] { target.ReadFromStream(stream); });
            });
        }
}

TEST(ObjectProperties, ChangedDeltaBytesNeverReadOutOfBounds)
{
    const CTestEveryType base;
    CTestEveryType changed;
    Fill(changed);
    BitStream writer;
    changed.WriteDelta(writer, &base);
    // A damaged name may end in a fatal message; whatever is read stays in range.
    FatalCapture capture;
    for (std::size_t i = 0; i < writer.Data().size(); ++i)
        for (std::uint8_t value : {0xFF, 0x80, 0x00}) {
            std::vector<std::uint8_t> damaged = writer.Data();
            damaged[i] = value;
            CTestEveryType target;
            BitStream reader(damaged.data(), static_cast<int>(damaged.size()));
            SurvivingFatal([&] { target.ReadDelta(reader); });
            EXPECT_TRUE(target.m_ranged >= 0 && target.m_ranged <= 5) << i;
            EXPECT_TRUE(target.m_scale >= 0.0f && target.m_scale <= 10.0f) << i;
        }
}

TEST(ObjectProperties, DeltaAgainstABase)
{
    CTestEveryType base, changed;
    Fill(base);
    Fill(changed);
    const int count = base.GetClassInfo()->Count();

    BitStream same;
    changed.WriteDelta(same, &base);
    EXPECT_EQ(same.BitCount(), count);  // one bit per property

    changed.m_ranged = 5;
    changed.m_title = "new";
    *static_cast<std::int32_t*>(NumbersInfo().Element(HolderOf(&changed), 1)) = 99;
    NumbersInfo().Resize(HolderOf(&changed), 4);
    static_cast<CTestB*>(changed.m_child)->m_ratio = 2.0f;
    changed.m_colour = 0;
    BitStream delta;
    changed.WriteDelta(delta, &base);

    CTestEveryType target;
    Fill(target);  // the receiver holds the base values
    BitStream reader(delta.Data().data(), static_cast<int>(delta.Data().size()));
    target.ReadDelta(reader);
    EXPECT_TRUE(AllEqual(changed, target));
    EXPECT_EQ(Number(target, 1), 99);
    EXPECT_EQ(target.m_colour, 0);
}

TEST(ObjectProperties, RangeToBits)
{
    struct Case {
        std::int32_t value, min, max;
        int bits;
    } cases[] = {{0, 0, 5, 3}, {1, 0, 5, 3}, {2, 0, 5, 2},  {3, 0, 5, 2},   {4, 0, 5, 3},  {5, 0, 5, 3},
                 {0, 0, 7, 3}, {7, 0, 7, 3}, {9, 4, 4, 32}, {-3, -3, 2, 3}, {2, -3, 2, 3}, {50, 0, 1, 1}};
    for (const Case& c : cases) {
        BitStream writer;
        WriteRangeBits(writer, static_cast<std::uint32_t>(c.value), c.min, c.max);
        writer.WriteBits(5, 3);  // what follows stays in step
        EXPECT_EQ(writer.BitCount(), c.bits + 3) << c.value << " in " << c.min << ".." << c.max;
        BitStream reader(writer.Data().data(), static_cast<int>(writer.Data().size()));
        const std::int32_t clamped = c.min == c.max ? c.value : std::min(std::max(c.value, c.min), c.max);
        EXPECT_EQ(ReadRangeBits(reader, c.min, c.max), clamped);
        EXPECT_EQ(reader.ReadBits(3), 5u);
    }
    // An enum whose range reaches above 0x7FFFFFFE always takes 32 bits.
    EXPECT_TRUE(EnumPropertyInfo("E", HolderValue<std::int32_t>(), 0, 0, -1).UsesAllBits());
    EXPECT_TRUE(EnumPropertyInfo("E", HolderValue<std::int32_t>(), 0, 3, 3).UsesAllBits());
    EXPECT_FALSE(EnumPropertyInfo("E", HolderValue<std::int32_t>(), 0, 0, 3).UsesAllBits());
}

TEST(ObjectProperties, EnumNamesAndNumbers)
{
    CTestEveryType object;
    const PropertyInfo* align = object.GetClassInfo()->FindProperty("Align");
    struct Case {
        const char* text;
        std::int32_t value;
        const char* written;
    } cases[] = {{"Right", 2, "Right"}, {"centre", 1, "Centre"}, {"1", 1, "Centre"},
                 {"0", 0, "Left"},      {"3", 3, "3"},           {"9", 3, "3"}};
    for (const Case& c : cases) {
        align->SetFromText(HolderOf(&object), CString(c.text), nullptr);
        EXPECT_EQ(object.m_align, c.value) << c.text;
        CString out;
        align->ValueToText(HolderOf(&object), out);
        EXPECT_EQ(out, c.written) << c.text;
    }
}

TEST(ObjectProperties, NumbersIgnoreTheProcessLocale)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "no German locale here";
    CTestB object;
    const PropertyInfo* ratio = object.GetClassInfo()->FindProperty("Ratio");
    ratio->SetFromText(HolderOf(&object), CString("1.5"), nullptr);
    CString text;
    ratio->ValueToText(HolderOf(&object), text);
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(object.m_ratio, 1.5f);
    EXPECT_EQ(text, "1.5");
}

TEST(ObjectProperties, ArrayCapacityRule)
{
    CTestEveryType object;
    const ArrayPropertyInfo& numbers = NumbersInfo();
    RawArray& array = numbers.Array(HolderOf(&object));
    numbers.Resize(HolderOf(&object), 3);
    EXPECT_EQ(array.capacity, 6);
    numbers.Resize(HolderOf(&object), 7);
    EXPECT_EQ(array.capacity, 14);
    numbers.Resize(HolderOf(&object), 32);
    EXPECT_EQ(array.capacity, 64);
    numbers.Resize(HolderOf(&object), 2);
    EXPECT_EQ(array.capacity, 2);  // below a sixteenth of 64
    numbers.Resize(HolderOf(&object), 40);
    numbers.Resize(HolderOf(&object), 3);
    EXPECT_EQ(array.capacity, 3);
    numbers.Resize(HolderOf(&object), 4);
    EXPECT_EQ(array.capacity, 8);

    // Inserting and removing in the middle keeps the other elements in order.
    for (int i = 0; i < 4; ++i) *static_cast<std::int32_t*>(numbers.Element(HolderOf(&object), i)) = i;
    numbers.Resize(HolderOf(&object), 6, 1);
    EXPECT_EQ(Number(object, 0), 0);
    EXPECT_EQ(Number(object, 1), 0);  // the new elements hold the element default
    EXPECT_EQ(Number(object, 3), 1);
    EXPECT_EQ(Number(object, 5), 3);
    numbers.Resize(HolderOf(&object), 3, 1);  // removes the two new ones and the 1
    EXPECT_EQ(Number(object, 1), 2);
    EXPECT_EQ(Number(object, 2), 3);

    // Without a capacity member the block holds exactly the count.
    const ArrayPropertyInfo& words = WordsInfo();
    words.Resize(HolderOf(&object), 5);
    EXPECT_EQ(words.Array(HolderOf(&object)).capacity, 5);
    *static_cast<CString*>(words.Element(HolderOf(&object), 4)) = "kept";
    words.Resize(HolderOf(&object), 9, 0);
    EXPECT_EQ(*static_cast<CString*>(words.Element(HolderOf(&object), 8)), "kept");
}

TEST(ObjectProperties, MultiLineTexts)
{
    CTestEveryType written;
    CTestEveryType read;
    for (const char* title : {"first\n\n  indented\nlast", "\n\nafter two blank lines", "ends with a break\n"}) {
        written.m_title = title;
        ASSERT_TRUE(ReadText(read, Text(written)));
        EXPECT_EQ(read.m_title, written.m_title);
    }

    // A line that reads as "}" ends the text on reading: the writer warns about it.
    std::string warnings;
    platform::CaptureDebugOutput(&warnings);
    written.m_title = "before\n }\nafter";
    const std::string text = Text(written);
    platform::CaptureDebugOutput(nullptr);
    EXPECT_NE(warnings.find("\"Title\""), std::string::npos);
    ReadText(read, text);
    EXPECT_EQ(read.m_title, "before");
}

TEST(ObjectProperties, CopyCommonPropertiesAndClone)
{
    CTestB b;
    b.m_count = 5;
    b.m_name = "bee";
    b.m_ratio = 9.0f;
    CTestA a;
    a.CopyCommonProperties(&b);
    EXPECT_EQ(a.m_count, 5);
    EXPECT_EQ(a.m_name, "bee");

    a.m_count = 6;
    a.m_name = "ay";
    b.CopyCommonProperties(&a);
    EXPECT_EQ(b.m_count, 6);
    EXPECT_EQ(b.m_name, "ay");
    EXPECT_EQ(b.m_ratio, 0.5f);  // B's own property is reset

    CTestEveryType unrelated;
    unrelated.m_ranged = 0;
    unrelated.CopyCommonProperties(&a);  // nothing in common beyond CObject
    EXPECT_EQ(unrelated.m_ranged, 2);

    CTestEveryType full;
    Fill(full);
    CObject* copy = full.Clone(0, -1);
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(AllEqual(full, *copy));
    EXPECT_NE(static_cast<CTestEveryType*>(copy)->m_child, full.m_child);
    delete copy;
}

TEST(ObjectProperties, CommentsAndUnknownLines)
{
    struct Case {
        const char* body;
        bool hasComment;
    } cases[] = {{"Comment=\r\n", false}, {"Comment=0\r\n", false}, {"Comment=kept\r\n", true}};
    for (const Case& c : cases) {
        CTestA object;
        ASSERT_TRUE(ReadText(object, std::string("CTestA\r\n{\r\n") + c.body + "Count=2\r\n}\r\n")) << c.body;
        EXPECT_EQ(CommentProperty()->HasDynamicValue(&object), c.hasComment) << c.body;
        EXPECT_EQ(object.m_count, 2);
    }

    // An unknown property followed by a class line and a nested block is skipped whole.
    CTestA object;
    ASSERT_TRUE(ReadText(object,
                         "CTestA\r\n{\r\nGone=x\r\nCGone\r\n{\r\nCount=50\r\n{\r\n}\r\nName=inner\r\n}\r\n"
                         "Name=outer\r\n}\r\n"));
    EXPECT_EQ(object.m_count, 7);
    EXPECT_EQ(object.m_name, "outer");

    EXPECT_TRUE(CommentProperty()->RemoveDynamicValue(&object) == false);
    CString description;
    CTestB b;
    b.m_name = "label";
    b.GetDescription(description, "B");
    EXPECT_EQ(description, "Test 0 label ");  // display name without the word, then flagged values
}

TEST(ObjectProperties, ObjectPointerClassChecksAreFatal)
{
    FatalCapture capture;
    LastFileOpenedScope file("forms/x.txt");
    struct Case {
        const char* className;
        const char* message;
    } cases[] = {
        {"CTestAbstract",
         "Invalid class type: Tried to use the abstract class \"CTestAbstract\" for a \"Child\" (CTestA). "
         "Last file opened = \"forms/x.txt\"\n"},
        {"CNothing",
         "Invalid class type: Tried to use an unknown class \"CNothing\" for a \"Child\" (CTestA). Last file "
         "opened = \"forms/x.txt\"\n"},
        {"CTestEveryType",
         "Invalid class type: Tried to use a CTestEveryType for a Child when a CTestA is expected. "
         "Last file opened = \"forms/x.txt\"\n"},
    };
    for (const Case& c : cases) {
        capture.shown.clear();
        CTestEveryType object;
        EXPECT_FATAL(capture, ReadText(object, std::string("{\r\nChild=") + c.className + "\r\n{\r\n}\r\n}\r\n"));
        EXPECT_EQ(capture.shown, c.message);
    }
}

TEST(ObjectProperties, MissingCollectionItemNamesFileAndProperty)
{
    FatalCapture capture;
    LastFileOpenedScope file("forms/y.txt");
    CTestEveryType object;
    EXPECT_FATAL(capture, ReadText(object, "{\r\nColour=Purple\r\n}\r\n"));
    EXPECT_NE(capture.shown.find("The item was referenced by \"forms/y.txt:Colour\""), std::string::npos);
    EXPECT_EQ(LastFileOpened(), "forms/y.txt");
    CTestEveryType azure;
    ASSERT_TRUE(ReadText(azure, "{\r\nColour=azure\r\n}\r\n"));
    EXPECT_EQ(azure.m_colour, 2);
}

TEST(ObjectProperties, DynamicPropertiesInTextBinaryAndCopies)
{
    CTestA object;
    CommentProperty()->SetFromText(CommentProperty()->GetOrCreateDynamicValue(&object), CString("two\nlines"), nullptr);
    CTestA read;
    ASSERT_TRUE(ReadText(read, Text(object)));
    ASSERT_NE(CommentProperty()->FindDynamicValue(&read), nullptr);
    EXPECT_EQ(*static_cast<CString*>(CommentProperty()->FindDynamicValue(&read)), "two\nlines");

    CTestA binary;
    ASSERT_TRUE(ReadBinary(binary, Binary(object)));
    EXPECT_TRUE(AllEqual(object, binary));

    CTestA copy;
    object.CopyTo(&copy);
    EXPECT_TRUE(AllEqual(object, copy));
    EXPECT_TRUE(CommentProperty()->RemoveDynamicValue(&copy));
    EXPECT_FALSE(AllEqual(object, copy));
}

TEST(PropertyList, SharedDescriptorsAreHeldOnceByTheProcessList)
{
    auto* shared = new IntegerPropertyInfo("Shared", HolderValue<std::int32_t>());
    shared->SetAlternativeName("Older");
    PropertyList first(false), second(false);
    const int before = PropertyList::Everything().Count();
    first.Add(shared, 0);
    second.Add(shared, 1);
    EXPECT_EQ(PropertyList::Everything().Count(), before + 1);
    EXPECT_EQ(first.FindByName("older"), shared);
    EXPECT_EQ(second.IndexOf(shared), 0);
    EXPECT_EQ(second.GetArgument(0), 1);
    EXPECT_EQ(first.FindByName("none"), nullptr);
}

TEST(ObjectProperties, LocalizableTextsShowTheirTranslation)
{
    AddTranslation(CString("Play"), CString("Jouer"));
    LocalizableStringPropertyInfo caption("Caption", HolderValue<LocalizableText>(), "Play");
    // Raw storage, as an attached value block: the descriptor builds and ends the member.
    alignas(LocalizableText) unsigned char first[sizeof(LocalizableText)], second[sizeof(LocalizableText)];
    caption.ConstructMember(first);
    caption.ConstructMember(second);
    auto& value = *reinterpret_cast<LocalizableText*>(first);
    auto& read = *reinterpret_cast<LocalizableText*>(second);
    EXPECT_EQ(value.source, "Play");
    EXPECT_EQ(value.displayed, "Jouer");
    caption.SetFromText(first, CString("Quit"), nullptr);
    EXPECT_EQ(value.displayed, "Quit");  // no translation: the source is shown
    CString text;
    caption.ValueToText(first, text);
    EXPECT_EQ(text, "Quit");

    caption.ResetToDefault(first);
    caption.SetFromText(second, CString("other"), nullptr);
    PropertyStream stream;
    OpenForWriting(stream);
    caption.WriteBinary(first, stream);
    PropertyStream reader;
    OpenForReading(reader, Bytes(stream));
    ASSERT_TRUE(caption.ReadBinary(second, reader));
    EXPECT_EQ(read.displayed, "Jouer");
    EXPECT_TRUE(caption.IsEqual(first, second, &caption));
    caption.DestroyMember(first);
    caption.DestroyMember(second);
    ClearTranslations();
}

TEST(ObjectProperties, AttachedObjectPointers)
{
    static ObjectPointerPropertyInfo* extra = [] {
        auto* info = new ObjectPointerPropertyInfo("Extra", PointerHolderValue(), CTestA::GetStaticClassInfo());
        AttachProperty(info, CTestB::GetStaticClassInfo(), 0, "An extra object");
        return info;
    }();
    EXPECT_EQ(extra->GetHelpText(), "An extra object");
    CTestB owner;
    EXPECT_EQ(extra->GetDynamicValue(&owner), nullptr);
    auto* first = new CTestA;
    first->m_count = 12;
    extra->SetDynamicValue(&owner, first);
    EXPECT_EQ(extra->GetDynamicValue(&owner), first);
    extra->SetDynamicValue(&owner, new CTestA);  // deletes the first
    static_cast<CTestA*>(extra->GetDynamicValue(&owner))->m_count = 13;

    CTestB read;
    ASSERT_TRUE(ReadText(read, Text(owner)));
    ASSERT_NE(extra->GetDynamicValue(&read), nullptr);
    EXPECT_EQ(static_cast<CTestA*>(extra->GetDynamicValue(&read))->m_count, 13);
    EXPECT_TRUE(extra->RemoveDynamicValue(&owner));
    EXPECT_FALSE(extra->HasDynamicValue(&owner));
}

TEST(ObjectProperties, TaggedExport)
{
    CTestA object;
    object.m_name = "a & b";
    PropertyStream stream;
    OpenForWriting(stream);
    object.WriteTagged(stream);
    EXPECT_EQ(Bytes(stream), "<CTestA>\r\n\t<Count>7</Count>\r\n\t<Name>a & b</Name>\r\n</CTestA>\r\n");
    EXPECT_EQ(PropertyInfo::MakeSafeTagName(CString("Who's here? A&B")), "Who_s_here__A_B");
}

TEST(ObjectProperties, ValuesOutsideTheirRangeEndClampedInEveryForm)
{
    // Ranged is 0..5, Align 0..3 (compared without sign), Scale 0..10 with the named value 1 ("Natural").
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        std::int32_t ranged, align;
        float scale;
        std::int32_t rangedRead, alignRead;
        float scaleRead;
    } cases[] = {{50331652, 9, nan, 5, 3, 0.0f},
                 {-7, -1, -1e30f, 0, 3, 0.0f},
                 {3, 2, 1e30f, 3, 2, 10.0f},
                 {5, 0, std::numeric_limits<float>::infinity(), 5, 0, 10.0f}};
    struct Form {
        const char* name;
        bool (*transfer)(const CTestEveryType& from, CTestEveryType& to);
    } forms[] = {{"text", ThroughText}, {"binary", ThroughBinary}, {"delta", ThroughDelta}};
    for (const Form& form : forms)
        for (const Case& c : cases) {
            CTestEveryType written;
            written.m_ranged = c.ranged;
            written.m_align = c.align;
            written.m_scale = c.scale;
            CTestEveryType read;
            ASSERT_TRUE(form.transfer(written, read)) << form.name;
            EXPECT_EQ(read.m_ranged, c.rangedRead) << form.name << " " << c.ranged;
            EXPECT_EQ(read.m_align, c.alignRead) << form.name << " " << c.align;
            EXPECT_EQ(read.m_scale, c.scaleRead) << form.name << " " << c.scale;
        }
}

TEST(ObjectProperties, DeltasWithoutDataOrCutShortAreRefused)
{
    const CTestEveryType fresh;
    CTestEveryType target;
    BitStream empty(nullptr, 0);
    EXPECT_FALSE(target.ReadDelta(empty));
    EXPECT_TRUE(AllEqual(target, fresh));  // nothing was taken from the filler bits

    CTestEveryType changed;
    changed.m_ranged = 4;
    changed.m_scale = 7.5f;
    changed.m_title = "changed";
    NumbersInfo().Resize(HolderOf(&changed), 3);
    const CTestEveryType base;
    BitStream writer;
    changed.WriteDelta(writer, &base);
    const std::vector<std::uint8_t>& bytes = writer.Data();
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        CTestEveryType partial;
        BitStream cut(bytes.data(), static_cast<int>(n));
        EXPECT_FALSE(partial.ReadDelta(cut)) << n;
        EXPECT_GE(partial.m_scale, 0.0f) << n;  // no value of the filler bits outside the range
        EXPECT_LE(partial.m_scale, 10.0f) << n;
    }
    CTestEveryType whole;
    BitStream reader(bytes.data(), static_cast<int>(bytes.size()));
    EXPECT_TRUE(whole.ReadDelta(reader));
    EXPECT_TRUE(AllEqual(whole, changed));
}

TEST(ObjectProperties, ArrayDeltasOfElementsThatSendNoBits)
{
    KeyedValueList one;
    one.Add("only");
    struct ArrayValue {
        ArrayPropertyInfo info;
        RawArray array;
        ~ArrayValue() { info.ReleaseMember(&array); }
    };
    // Pairs send nothing in deltas; items of a one-item list send the list once, then nothing.
    const IntPairPropertyInfo pair("Pair", HolderValue<IntPair>());
    const FixedCollectionItemPropertyInfo pick("Pick", HolderValue<std::int32_t>(), &one);
    const PropertyInfo* const elements[] = {&pair, &pick};
    const int sizes[] = {sizeof(IntPair), sizeof(std::int32_t)};
    for (int e = 0; e < 2; ++e) {
        ArrayValue sent{ArrayPropertyInfo("List", HolderValue<RawArray>(), *elements[e], sizes[e]), {}};
        sent.info.Resize(&sent.array, 100);
        BitStream writer;
        sent.info.WriteDeltaBits(&sent.array, writer, nullptr);

        ArrayValue received{ArrayPropertyInfo("List", HolderValue<RawArray>(), *elements[e], sizes[e]), {}};
        BitStream reader(writer.Data().data(), static_cast<int>(writer.Data().size()));
        received.info.ReadDeltaBits(&received.array, reader);
        EXPECT_FALSE(reader.IsDamaged()) << e;
        EXPECT_EQ(received.array.count, 100) << e;
        EXPECT_TRUE(received.info.IsEqual(&received.array, &sent.array, &sent.info)) << e;
    }

    // A count far beyond what any delta could mean is still refused.
    ArrayValue pairs{ArrayPropertyInfo("Pairs", HolderValue<RawArray>(), pair, sizeof(IntPair)), {}};
    BitStream huge;
    huge.WriteBit(false);
    huge.WriteInt(0x7FFFFFFF);
    BitStream reader(huge.Data().data(), static_cast<int>(huge.Data().size()));
    pairs.info.ReadDeltaBits(&pairs.array, reader);
    EXPECT_TRUE(reader.IsDamaged());
    EXPECT_EQ(pairs.array.count, 0);
}

TEST(ObjectProperties, PairsAndItemArraysDoNotTravelInDeltas)
{
    const CTestEveryType base;
    CTestEveryType changed;
    changed.m_origin = {7, 8};
    ItemsInfo().Append(HolderOf(&changed));
    BitStream writer;
    changed.WriteDelta(writer, &base);
    EXPECT_EQ(writer.BitCount(), base.GetClassInfo()->Count());  // every property equal
}

TEST(ObjectProperties, AMissingDefaultItemNamesTheProgramAndTheProperty)
{
    FatalCapture capture;
    LastFileOpenedScope file("forms/z.txt");
    FixedCollectionItemPropertyInfo shade("Shade", HolderValue<std::int32_t>(), &TestColours(), "Purple");
    std::int32_t index = 0;
    EXPECT_FATAL(capture, shade.ResetToDefault(&index));
    const std::string referrer =
        "The item was referenced by \"The Program EXE (C++ Source Code's default value):Shade\"";
    EXPECT_NE(capture.shown.find(referrer), std::string::npos);
    EXPECT_EQ(LastFileOpened(), "forms/z.txt");
}

TEST(ObjectProperties, NamedOptionsDeclareWhatPositionsDeclare)
{
    std::unique_ptr<IntegerPropertyInfo> positional(
        IntegerPropertyInfo::IntegerPropertyInfoWithUnits("Gap", "Pixels", HolderValue<std::int32_t>(), 4, 1, 9));
    const IntegerPropertyInfo named("Gap", HolderValue<std::int32_t>(),
                                    {.defaultValue = 4, .min = 1, .max = 9, .units = "Pixels"});
    const EnumPropertyInfo enumPositional("Mode", HolderValue<std::int32_t>(), 1, 0, 2);
    const EnumPropertyInfo enumNamed("Mode", HolderValue<std::int32_t>(), {.defaultValue = 1, .max = 2});
    const FloatPropertyInfo floatPositional("Speed", HolderValue<float>(), 1.0f, 0.0f, 10.0f, 2.0f, nullptr, 0, 0.1f,
                                            "m/s");
    const FloatPropertyInfo floatNamed(
        "Speed", HolderValue<float>(),
        {.defaultValue = 1.0f, .max = 10.0f, .scale = 2.0f, .step = 0.1f, .units = "m/s"});
    EXPECT_EQ(named.GetUnits(), "Pixels");
    EXPECT_EQ(floatNamed.GetUnits(), "m/s");
    EXPECT_EQ(floatNamed.GetStep(), floatPositional.GetStep());
    EXPECT_EQ(floatNamed.GetScale(), floatPositional.GetScale());
    // Defaults and ranges agree.
    const char* const texts[] = {nullptr, "-5", "3", "99", "nan"};
    for (const char* text : texts) {
        const char* label = text ? text : "default";
        EXPECT_EQ(ValueAfter<std::int32_t>(*positional, text), ValueAfter<std::int32_t>(named, text)) << label;
        EXPECT_EQ(ValueAfter<std::int32_t>(enumPositional, text), ValueAfter<std::int32_t>(enumNamed, text)) << label;
        EXPECT_EQ(ValueAfter<float>(floatPositional, text), ValueAfter<float>(floatNamed, text)) << label;
    }
}
