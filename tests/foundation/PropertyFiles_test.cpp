#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>

#include "FatalCapture.h"
#include "FoundationFixture.h"
#include "StreamHelpers.h"
#include "TestClasses.h"
#include "foundation/BitStream.h"

using namespace streamtest;

namespace {

using PropertyFileTest = FileLayerTest;

// A class whose objects own one another in a chain.
class CTestNode : public CObject {
    DECLARE_PERSISTENT_CLASS(CTestNode)
public:
    CTestNode() { ConstructOwnMembers(); }
    ~CTestNode() override { DestroyOwnMembers(); }
    std::int32_t m_value = 0;
    CTestNode* m_next = nullptr;
};

void DeclareNode(ClassInfo* record)
{
    record->AddProperty(new IntegerPropertyInfo("Value", Member<&CTestNode::m_value>()));
    record->AddProperty(
        new ObjectPointerPropertyInfo("Next", PointerMember<&CTestNode::m_next>(), CTestNode::GetStaticClassInfo()));
}

IMPLEMENT_PERSISTENT_CLASS(CTestNode, CObject, 1.0f, DeclareNode)

int ChainLength(const CTestNode& node)
{
    int length = 1;
    for (const CTestNode* next = node.m_next; next; next = next->m_next) ++length;
    return length;
}

std::filesystem::file_time_type Stamp(const std::string& path) { return std::filesystem::last_write_time(path); }

// While it lives, this process cannot write files larger than the limit: a write past it fails part of the way.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : m_handler(std::signal(SIGXFSZ, SIG_IGN))
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        const rlimit limit{std::min(bytes, m_old.rlim_max), m_old.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    void (*m_handler)(int);
    rlimit m_old{};
};

// Text that compresses poorly.
std::string Noise(std::size_t size)
{
    std::string text;
    std::uint32_t state = 12345;
    while (text.size() < size) {
        state = state * 1103515245u + 12345u;
        text += static_cast<char>('a' + (state >> 16) % 26);
    }
    return text;
}

}  // namespace

TEST_F(PropertyFileTest, ASaveRewritesTheFileOnlyWhenItsTextChanged)
{
    CTestA object;
    object.m_count = 3;
    ASSERT_TRUE(object.SaveToFile("a.txt", 0));
    EXPECT_EQ(Read("a.txt"), "CTestA\r\n{\r\n\tCount=3\r\n\tName=unnamed\r\n}\r\n");

    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    std::filesystem::last_write_time(Path("a.txt"), old);
    ASSERT_TRUE(object.SaveToFile("a.txt", 0));
    EXPECT_EQ(Stamp(Path("a.txt")), old);

    object.m_count = 4;
    ASSERT_TRUE(object.SaveToFile("a.txt", 0));
    EXPECT_NE(Stamp(Path("a.txt")), old);
    EXPECT_NE(Read("a.txt").find("Count=4"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(Path("a.txt.tmp")));
}

TEST_F(PropertyFileTest, SavesThatCannotWriteFailAndLeaveTheFile)
{
    Write("locked.txt", "old");
    ::chmod(Path("locked.txt").c_str(), 0444);
    CTestA object;
    EXPECT_FALSE(object.SaveToFile("locked.txt", 0));
    EXPECT_EQ(Read("locked.txt"), "old");
    EXPECT_FALSE(object.SaveToFile("missing/folder/a.txt", 0));
    EXPECT_TRUE(object.SaveToFile("made/folder/a.txt", kFileMakeFolders));
    EXPECT_TRUE(std::filesystem::exists(Path("made/folder/a.txt")));
}

TEST_F(PropertyFileTest, AWriteThatFailsPartOfTheWayKeepsTheOldFile)
{
    for (const int flags : {0, static_cast<int>(kFileCompressed)}) {
        CTestA object;
        object.m_count = 5;
        ASSERT_TRUE(object.SaveToFile("kept.txt", flags)) << flags;
        const std::string old = Read("kept.txt");
        EXPECT_EQ(old[0] == '\x01', flags == kFileCompressed);  // a compressed file is one block

        object.m_count = 6;
        object.m_name = Noise(8000).c_str();
        {
            const FileSizeLimit limit(4096);
            EXPECT_FALSE(object.SaveToFile("kept.txt", flags)) << flags;
        }
        EXPECT_EQ(Read("kept.txt"), old) << flags;
        EXPECT_FALSE(std::filesystem::exists(Path("kept.txt.tmp")));
        CTestA loaded;
        ASSERT_TRUE(loaded.LoadFromFile("kept.txt", flags)) << flags;
        EXPECT_EQ(loaded.m_count, 5);
        std::filesystem::remove(Path("kept.txt"));
    }
}

TEST_F(PropertyFileTest, LoadingAndCreatingFromFiles)
{
    Write("b.txt", "  CTestB\r\n{\r\n  Count=9\r\nRatio=2\r\n   }\r\n");
    CObject* handed = nullptr;
    CObject* made = CObject::CreateFromFile("b.txt", 0, true, &handed);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(handed, made);
    EXPECT_EQ(static_cast<CTestB*>(made)->m_count, 9);
    // Saving back normalised the layout.
    EXPECT_EQ(Read("b.txt"), "CTestB\r\n{\r\n\tCount=9\r\n\tName=unnamed\r\n\tRatio=2\r\n}\r\n");
    delete made;

    Write("broken.txt", "CTestB\r\n{\r\nCount=9\r\n");  // no closing line
    handed = reinterpret_cast<CObject*>(1);
    EXPECT_EQ(CObject::CreateFromFile("broken.txt", 0, true, &handed), nullptr);
    EXPECT_EQ(handed, nullptr);
    EXPECT_EQ(Read("broken.txt"), "CTestB\r\n{\r\nCount=9\r\n");
    EXPECT_EQ(CObject::CreateFromFile("absent.txt", 0, true, nullptr), nullptr);

    CTestA loaded;
    loaded.m_count = 1;
    EXPECT_FALSE(loaded.LoadFromFile("absent.txt", 0));
    EXPECT_EQ(loaded.m_count, 7);
    EXPECT_FALSE(loaded.LoadFromFile("b.txt", 0));  // a CTestA is not a kind of CTestB
    EXPECT_EQ(LastFileOpened(), "Program.EXE");
}

TEST(PropertyParsing, RecoveryRules)
{
    struct Case {
        const char* text;
        bool ok;
        std::int32_t count;
        const char* name;
    } cases[] = {
        {"CTestA\r\n{\r\n----------\r\nno equals here\r\nCount=1\r\n}\r\n", true, 1, "unnamed"},
        {"{\r\nForm::Name=qualified\r\n}\r\n", true, 7, "qualified"},
        {"{\r\nName =blank before\r\n}\r\n", true, 7, "unnamed"},
        {"{\r\nObject ID=0x10\r\nCount=1\r\n}\r\n", true, 1, "unnamed"},
        {"{\r\nCount=1\r\nObject ID=5\r\nCSkipped\r\n{\r\nCount=9\r\n}\r\n}\r\n", true, 1, "unnamed"},
        {"{\r\nCount=2\r\n", false, 2, "unnamed"},
        {"{\r\nCount=2\r\n}x\r\n", false, 2, "unnamed"},
        {"CTestB\r\n{\r\nCount=3\r\n}\r\n", false, 7, "unnamed"},
        {"CNoSuchClass\r\n{\r\n}\r\n", false, 7, "unnamed"},
        {"CTestA\r\nCount=3\r\n}\r\n", false, 7, "unnamed"},
        {"", false, 7, "unnamed"},
        {"{\r\nNAME=any case\r\n}  \r\n", true, 7, "any case"},
        {"{\r\nComment=x\r\nName=after\r\n}\r\n", true, 7, "after"},
    };
    for (const Case& c : cases) {
        CTestA object;
        EXPECT_EQ(ReadText(object, c.text), c.ok) << c.text;
        EXPECT_EQ(object.m_count, c.count) << c.text;
        EXPECT_EQ(object.m_name, c.name) << c.text;
    }
    CTestB derived;
    EXPECT_TRUE(ReadText(derived, "CTestA\r\n{\r\nRatio=3\r\n}\r\n"));  // a B is a kind of A
    EXPECT_EQ(derived.m_ratio, 3.0f);
}

TEST(PropertyParsing, AnUnexpectedBraceIsFatal)
{
    FatalCapture capture;
    LastFileOpenedScope file("forms/brace.txt");
    CTestA object;
    EXPECT_FATAL(capture, ReadText(object, "{\r\nCount=1\r\n{\r\n}\r\n"));
    EXPECT_EQ(capture.shown,
              "Fatal Error: Found unexpected '{' while parsing class \"CTestA\" in file \"forms/brace.txt\".  "
              "ReadCustomProperties was likely overridden without calling through to the base class for unhandled "
              "properties.\n");
}

TEST(PropertyParsing, InlineObjectsEndAtALineTheyDoNotKnow)
{
    CTestEveryType object;
    ASSERT_TRUE(ReadText(object, "{\r\nCount=5\r\nName=inline\r\nRanged=3\r\n}\r\n"));
    ASSERT_NE(object.m_child, nullptr);
    EXPECT_EQ(object.m_child->m_count, 5);
    EXPECT_EQ(object.m_child->m_name, "inline");
    EXPECT_EQ(object.m_ranged, 3);
}

TEST(PropertyParsing, TheReferenceListIsReadOnceAtItsPosition)
{
    const std::string head = "CTestA\r\n{\r\nReferenced Object List Location=";
    const std::string tail = "Count=3\r\n}\r\n";
    std::string text;
    for (int pass = 0; pass < 2; ++pass) {  // the position depends on the length of its own digits
        const std::size_t location = head.size() + std::to_string(text.size()).size() + 2 + tail.size();
        text = head + std::to_string(location) + "\r\n" + tail;
    }
    text += "Referenced Objects\r\n{\r\n2\r\n0x10\r\n17\r\n}\r\n";
    PropertyStream stream;
    OpenForReading(stream, text);
    CTestA object;
    ASSERT_TRUE(object.ReadFromStream(stream));
    EXPECT_EQ(object.m_count, 3);
    EXPECT_EQ(stream.References().GetReferencedIds(), (std::vector<long>{16, 17}));

    for (const char* location : {"-5", "999999", "0x7fffffff"}) {
        CTestA other;
        EXPECT_TRUE(
            ReadText(other, std::string("{\r\nReferenced Object List Location=") + location + "\r\nCount=4\r\n}\r\n"));
        EXPECT_EQ(other.m_count, 4);
    }
}

TEST(PropertyParsing, DamagedFilesFailCleanly)
{
    CTestEveryType full;
    CommentProperty()->SetFromText(CommentProperty()->GetOrCreateDynamicValue(&full), CString("c"), nullptr);
    full.m_title = "a\nb";
    full.m_child = new CTestA;
    const std::string text = Text(full);
    // Every cut of a good file reads without running past its end, or ends in a fatal message (a cut item
    // name is missing from its list); only the whole file reads well.
    FatalCapture capture;
    for (std::size_t n = 0; n < text.size(); ++n) {
        CTestEveryType object;
        bool ok = false;
        try {
            ok = ReadText(object, text.substr(0, n));
        } catch (const ProcessEnded&) {
        }
        if (n + 2 < text.size()) {
            EXPECT_FALSE(ok) << n;
        }
    }
    // Counts that ask for far more than the file holds are bounded.
    CTestEveryType object;
    EXPECT_TRUE(ReadText(object,
                         "{\r\nNumbers=Array\r\n{\r\nItem Count=2000000000\r\n}\r\n"
                         "Items=Array\r\n{\r\nArray Count=-4\r\n}\r\nDynamic Properties=7\r\n{\r\n}\r\n}\r\n"));
    EXPECT_LT(object.m_numbers.count, 100);
    EXPECT_EQ(object.m_items.count, 0);
    // An item array whose value is not "Array" has no block: the next line is the parent's again.
    CTestEveryType noBlock;
    EXPECT_TRUE(ReadText(noBlock, "{\r\nItems=\r\nRanged=1\r\n}\r\n"));
    EXPECT_EQ(noBlock.m_ranged, 1);
}

TEST(PropertyParsing, ObjectsNestedTooDeepAreNotRead)
{
    // Text: a chain of nested blocks far deeper than a stack could follow.
    const int levels = 100000;
    std::string text = "CTestNode\r\n{\r\n";
    for (int i = 0; i < levels; ++i) text += "Next=CTestNode\r\n{\r\n";
    text += "Value=5\r\n";
    for (int i = 0; i <= levels; ++i) text += "}\r\n";
    CTestNode deep;
    ReadText(deep, text);
    EXPECT_LE(ChainLength(deep), ObjectNesting::kMaxDepth + 1);  // the innermost one made but not read
    CTestNode shallow;
    EXPECT_TRUE(ReadText(shallow, "CTestNode\r\n{\r\nNext=CTestNode\r\n{\r\nValue=2\r\n}\r\nValue=1\r\n}\r\n"));
    EXPECT_EQ(shallow.m_value, 1);  // the parent reads on after the child's block
    ASSERT_EQ(ChainLength(shallow), 2);
    EXPECT_EQ(shallow.m_next->m_value, 2);

    // Binary: the same chain fails the read.
    PropertyStream stream;
    OpenForWriting(stream);
    for (int i = 0; i < levels; ++i) {
        stream.WriteFloat(27.0f);
        stream.WriteFloat(CTestNode::GetStaticClassInfo()->GetVersion());
        stream.WriteInt(0);  // no dynamic properties
        stream.WriteInt(i);
        stream.WriteString("CTestNode");
    }
    const std::string bytes = Bytes(stream);
    PropertyStream reader;
    OpenForReading(reader, bytes);
    CTestNode fromBinary;
    EXPECT_FALSE(fromBinary.ReadBinary(reader));
}

TEST(PropertyParsing, DeltaObjectsNestedTooDeepAreRefused)
{
    // Per level: "Dynamic Properties" and "Value" equal, "Next" differs: present, a new object of the required class.
    const auto chain = [](int levels) {
        BitStream writer;
        for (int i = 0; i < levels; ++i)
            for (bool bit : {true, true, false, true, false, true}) writer.WriteBit(bit);
        for (int bit = 0; bit < 3; ++bit) writer.WriteBit(true);  // the last object: all equal
        return writer;
    };
    const BitStream deep = chain(100000);
    BitStream reader(deep.Data().data(), static_cast<int>(deep.Data().size()));
    CTestNode target;
    EXPECT_FALSE(target.ReadDelta(reader));
    EXPECT_TRUE(reader.IsDamaged());
    EXPECT_LE(ChainLength(target), ObjectNesting::kMaxDepth + 1);

    const BitStream shallow = chain(3);
    BitStream shallowReader(shallow.Data().data(), static_cast<int>(shallow.Data().size()));
    CTestNode read;
    EXPECT_TRUE(read.ReadDelta(shallowReader));
    EXPECT_EQ(ChainLength(read), 4);
}
