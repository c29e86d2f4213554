#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "foundation/CString.h"

namespace {

CString Wide(std::u16string text)
{
    return CString(reinterpret_cast<const std::uint16_t*>(text.data()), static_cast<int>(text.size()));
}

std::u16string Units(const CString& s)
{
    std::u16string out;
    for (int i = 0; i < s.GetLength(); ++i) out += static_cast<char16_t>(s.GetAt(i));
    return out;
}

}  // namespace

TEST(CString, CopiesShareTheBufferUntilOneIsChanged)
{
    CString a("hello");
    CString b(a);
    EXPECT_EQ(a.GetText(), b.GetText());
    b.SetAt(0, 'j');
    EXPECT_STREQ(a.GetText(), "hello");
    EXPECT_STREQ(b.GetText(), "jello");
    EXPECT_EQ(a.GetShareCount(), 1);
    CString e1, e2;
    EXPECT_EQ(e1.GetText(), e2.GetText());  // every empty string shares one buffer
}

TEST(CString, WidthRules)
{
    CString s("ab");
    s.SetAt(0, 0x263A);
    EXPECT_TRUE(s.IsWide());
    EXPECT_EQ(s.GetLength(), 2);
    s.Append("cd");
    EXPECT_EQ(Units(s), u"\u263Abcd");

    CString e;
    e.Append(Wide(u"xy"));
    EXPECT_TRUE(e.IsWide());
    e = "plain";
    EXPECT_FALSE(e.IsWide());

    CString n("n");
    n.Append(Wide(u"w"));  // a UTF-16 string appended to a non-empty one widens it
    EXPECT_TRUE(n.IsWide());
    EXPECT_EQ(Units(n), u"nw");

    CString r("r");
    r.AppendRepeated(0x263A, 2);
    EXPECT_EQ(Units(r), u"r\u263A\u263A");
}

TEST(CString, AppendingItselfOrAPieceOfItselfReadsNoFreedBuffer)
{
    CString s("abcdefgh");
    s.Append(s.GetText());
    EXPECT_STREQ(s.GetText(), "abcdefghabcdefgh");
    s.Append(s);
    EXPECT_EQ(s.GetLength(), 32);
    CString t("0123456789");
    t.Append(t.GetText() + 5, 3);
    EXPECT_STREQ(t.GetText(), "0123456789567");
    t.Assign(t.GetText() + 2, 4);  // overlapping in-place assignment
    EXPECT_STREQ(t.GetText(), "2345");
    CString f("x");
    f.Format("%s-%s", f.GetText(), f.GetText());
    EXPECT_STREQ(f.GetText(), "x-x");
}

TEST(CString, Compare)
{
    struct Case {
        CString a, b;
        int sign, noCaseSign;
    } cases[] = {
        {CString(), CString(), 0, 0},
        {CString(), CString("a"), -1, -1},
        {CString("a"), CString(), 1, 1},
        {CString("a"), Wide(u"b"), -1, -1},
        {Wide(u"b"), CString("a"), 1, 1},
        {CString("ABC"), CString("abc"), -1, 0},
        {Wide(u"ABC"), CString("abc"), -1, 0},
        // 8-bit folds to lower case ('_' 0x5F < 'a' 0x61); where UTF-16 takes part 'a' folds up to 'A' (0x41).
        {CString("_"), CString("A"), 1, -1},
        {CString("_"), Wide(u"A"), 1, 1},
    };
    auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (const Case& c : cases) {
        EXPECT_EQ(sign(c.a.Compare(c.b)), c.sign) << Units(c.a).size();
        EXPECT_EQ(sign(c.a.CompareNoCase(c.b)), c.noCaseSign);
    }
    EXPECT_EQ(CString("abcX").CompareNoCase(CString("ABCy"), 3), 0);
    EXPECT_EQ(CString("a").CompareNoCase(CString("b"), 0), 0);
    EXPECT_EQ(CString().Compare(""), 0);
    EXPECT_LT(CString().Compare("a"), 0);
    EXPECT_GT(CString("a").Compare(static_cast<const char*>(nullptr)), 0);
    EXPECT_GT(CString("a").CompareNoCase(""), 0);
    EXPECT_EQ(Wide(u"Hello").CompareNoCase("hELLO"), 0);
}

TEST(CString, EscapeForm)
{
    CString smile = Wide(u"A\u263A");
    CString encoded = smile.EncodeUnicodeHex();
    EXPECT_FALSE(encoded.IsWide());
    EXPECT_STREQ(encoded.GetText(), "UNICODE-HEX<41003A26>");
    CString text("x UNICODE-HEX<41003a26> y UNICODE-HEX<4200> z");
    text.DecodeUnicodeHex();
    EXPECT_EQ(Units(text), u"x A\u263A y B z");
    EXPECT_STREQ(Wide(u"AB").EncodeUnicodeHex().GetText(), "AB");

    CString unclosed("a UNICODE-HEX<4100");
    unclosed.DecodeUnicodeHex();  // stops, keeping the text unchanged
    EXPECT_STREQ(unclosed.GetText(), "a UNICODE-HEX<4100");
    std::uint8_t bytes[3] = {};
    EXPECT_EQ(CString("0aFf7").DecodeHexInto(bytes, 3), 2);
    EXPECT_EQ(bytes[0], 0x0A);
    EXPECT_EQ(bytes[1], 0xFF);
}

TEST(CString, PathJoins)
{
    struct Case {
        const char* start;
        const char* join;
        const char* expected;
    } cases[] = {{"a/", "b", "a/b"}, {"a", "b", "a/b"}, {"", "b", "b"}, {"a", "", "a/"}, {"a\\", "b", "a\\/b"}};
    for (const Case& c : cases) {
        CString s(c.start);
        s.AppendPath(c.join);
        EXPECT_STREQ(s.GetText(), c.expected) << c.start << " + " << c.join;
    }
    CString p;
    p.SetPathWithSubpath("Menus", "Main/Start", ".txt");
    EXPECT_STREQ(p.GetText(), "Menus/Main/-Start.txt");
    p.SetPathWithSubpath("Menus", "Start", ".txt");
    EXPECT_STREQ(p.GetText(), "Menus/-Start.txt");
    p.SetPathWithSubpathAndFile("Menus", "Main/Start", "Properties.txt", nullptr);
    EXPECT_STREQ(p.GetText(), "Menus/Main/-Start/Properties.txt");
    p.SetPath("dir/", "file", ".bin");
    EXPECT_STREQ(p.GetText(), "dir/file.bin");

    CString folder, name;
    SplitPath("a/b\\c.txt", &folder, &name);
    EXPECT_STREQ(folder.GetText(), "a/b");
    EXPECT_STREQ(name.GetText(), "c.txt");
    SplitPath("plain", &folder, nullptr);
    EXPECT_TRUE(folder.IsEmpty());
}

TEST(CString, CopyOutAndSearchClipAtTheEnds)
{
    CString s("hello world");
    EXPECT_STREQ(s.Mid(6).GetText(), "world");
    EXPECT_STREQ(s.Mid(6, 100).GetText(), "world");
    EXPECT_TRUE(s.Mid(11).IsEmpty());
    EXPECT_STREQ(s.Left(100).GetText(), "hello world");
    EXPECT_STREQ(s.Right(5).GetText(), "world");
    EXPECT_EQ(s.GetAt(11), 0);
    EXPECT_EQ(s.GetAt(500), 0);
    EXPECT_EQ(CString().GetAt(0), 0);
    EXPECT_EQ(s.FindChar('o'), 4);
    EXPECT_EQ(s.FindChar('o', 10, false), 7);
    EXPECT_EQ(s.FindChar('o', 11), kNoIndex);
    EXPECT_EQ(s.FindNoCase("WORLD"), 6);
    EXPECT_EQ(s.FindNoCase("world", 11), kNoIndex);
    EXPECT_EQ(s.Find(""), kNoIndex);
    EXPECT_EQ(CString("a\nb\nc").CountLines(0), 3);
    EXPECT_TRUE(Wide(u"x\u263Ay").Mid(1).IsWide());
    EXPECT_EQ(Wide(u"ab\u263Acd").Find(CString("cd")), 3);
}

TEST(CString, Edits)
{
    CString s("a-b-c");
    EXPECT_EQ(s.ReplaceAll("-", CString("--")), 2);  // the search goes on after the inserted text
    EXPECT_STREQ(s.GetText(), "a--b--c");
    EXPECT_TRUE(s.ReplaceFirst("--", "+", 2));
    EXPECT_STREQ(s.GetText(), "a--b+c");
    EXPECT_FALSE(s.ReplaceFirst("zz", "y"));
    EXPECT_EQ(s.ReplaceAll(CString(""), CString("x")), 0);
    s.Delete(1, 2);
    EXPECT_STREQ(s.GetText(), "ab+c");
    s.Delete(1, 0);
    s.Insert(2, "XY");
    EXPECT_STREQ(s.GetText(), "abXY+c");
    s.InsertChar(0, 0x263A);
    EXPECT_EQ(Units(s), u"\u263AabXY+c");

    CString t(" \t x y \r\n");
    t.TrimRight();
    t.TrimLeft();
    EXPECT_STREQ(t.GetText(), "x y");
    t.RemoveBlanks();
    EXPECT_STREQ(t.GetText(), "xy");
    CString k("a1b2c3");
    k.KeepOnly("0123456789");
    EXPECT_STREQ(k.GetText(), "123");
    k.ReplaceChar('2', '_');
    EXPECT_STREQ(k.GetText(), "1_3");
    CString f("Menus/Thing.TXT");
    EXPECT_TRUE(f.StripPrefixNoCase("menus/"));
    EXPECT_TRUE(f.StripSuffixNoCase(".txt"));
    EXPECT_FALSE(f.StripSuffixNoCase("longer than the text"));
    EXPECT_STREQ(f.GetText(), "Thing");
    CString sep("a");
    sep.AppendWithSeparator(", ", CString("b"));
    sep.AppendWithSeparator(", ", CString());
    EXPECT_STREQ(sep.GetText(), "a, b");
}

TEST(CString, Numbers)
{
    struct SubstituteCase {
        const char* text;
        int value, zeroPad, width;
        const char* expected;
        bool replaced;
    } cases[] = {
        {"Level %d of %%", 7, 1, 3, "Level 007 of %", true},
        {"n=%u", -5, 0, 0, "n=-5", true},
        {"n=%i!", 42, 0, 4, "n=  42!", true},
        {"none", 1, 0, 0, "none", false},
    };
    for (const SubstituteCase& c : cases) {
        CString s(c.text);
        EXPECT_EQ(s.SubstituteInt(c.value, c.zeroPad, c.width), c.replaced);
        EXPECT_STREQ(s.GetText(), c.expected);
    }
    CString f("%g s");
    EXPECT_TRUE(f.SubstituteFloat(2.5));
    EXPECT_STREQ(f.GetText(), "2.5 s");
    CString a("100%% at %d:");
    a.AppendInt(9);
    EXPECT_STREQ(a.GetText(), "100%% at %d:9");

    CString n;
    n.SetInt(-255, 10);
    EXPECT_STREQ(n.GetText(), "-255");
    n.SetInt(-1, 16);
    EXPECT_STREQ(n.GetText(), "ffffffff");
    n.SetInt(10, 2);
    EXPECT_STREQ(n.GetText(), "1010");
    EXPECT_EQ(CString("  -42xyz").ToInt(), -42);
    EXPECT_EQ(Wide(u" +17").ToInt(), 17);
    EXPECT_EQ(Wide(u"99999999999").ToInt(), 2147483647);
    EXPECT_FLOAT_EQ(CString("2.5e1").ToFloat(), 25.0f);
    EXPECT_FLOAT_EQ(Wide(u"-0.25").ToFloat(), -0.25f);
}

TEST(CString, FormatAnyLengthAcrossThePoolLimit)
{
    const std::string longText(600, 'q');
    CString s;
    s.Format("[%s]", longText.c_str());
    EXPECT_EQ(s.GetLength(), 602);
    s.Format("%8.3s|%-*d|%#x", "abcdef", 5, 42, 255);
    EXPECT_STREQ(s.GetText(), "     abc|42   |0xff");
    CString grow("start");
    for (int i = 0; i < 100; ++i) grow.AppendFormat(" %d", i);  // crosses the 500-byte pool limit on the way
    EXPECT_EQ(grow.GetLength(), 5 + 10 * 2 + 90 * 3);
    CString wide = Wide(u"\u263A");
    wide.AppendFormat("%d", 5);
    EXPECT_EQ(Units(wide), u"\u263A5");
}

TEST(CString, DirectAccess)
{
    CString s("abc");
    CString shared(s);
    char* p = s.GetBuffer(10);
    EXPECT_GE(s.GetCapacity(), 10);
    std::strcpy(p + 3, "def");
    s.ReleaseBuffer();
    EXPECT_STREQ(s.GetText(), "abcdef");
    EXPECT_STREQ(shared.GetText(), "abc");
    p = s.GetBufferDiscard(4);
    p[0] = 'z';
    s.ReleaseBuffer(1);
    EXPECT_STREQ(s.GetText(), "z");
    CString e;
    e.Clear();
    e.Reserve(50);
    EXPECT_GE(e.GetFreeCapacity(), 50);
    EXPECT_STREQ(SkipBlanks(" \t\r\nx "), "x ");
}
