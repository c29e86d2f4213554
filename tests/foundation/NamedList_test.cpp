#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FatalCapture.h"
#include "foundation/NamedList.h"

namespace {

// A list over names, optionally kept sorted, with a list name and a folder.
class NameList : public NamedList {
public:
    NameList(std::vector<std::string> names, bool sorted = false, const char* listName = "",
             const char* folder = nullptr)
        : m_names(std::move(names)), m_listName(listName), m_folder(folder)
    {
        m_sorted = sorted;
    }
    const char* ItemNameText(int i) const override
    {
        ++probes;
        return m_names[i].c_str();
    }
    int Count() const override { return static_cast<int>(m_names.size()); }
    void GetListName(CString& out) const override { out = m_listName; }
    const char* FolderName() const override { return m_folder; }
    mutable int probes = 0;

private:
    std::vector<std::string> m_names;
    const char* m_listName;
    const char* m_folder;
};

}  // namespace

TEST(NamedList, SearchesWithAndWithoutHints)
{
    NameList sorted({"!first", "alpha", "beta", "delta", "gamma"}, true);
    NameList linear({"one", "two", "folder/Three"});
    struct Case {
        const NamedList& list;
        const char* name;
        int hint;
        int expected;
    } cases[] = {
        {sorted, "DELTA", 3, 3},
        {sorted, "alpha", 3, 1},
        {sorted, "gamma", -1, 4},
        {sorted, "beta", 99, 2},
        {sorted, "beta", 5, 2},
        {sorted, "zeta", 1, kNoIndex},
        {sorted, "!FIRST", 2, 0},
        // hints outside the list mean no hint, in the linear search as well
        {linear, "two", -1, 1},
        {linear, "TWO", 3, 1},
        {linear, "one", 99, 0},
        {linear, "four", -1, kNoIndex},
        // the part after the last '/' is compared when the name itself is missing
        {linear, "other/three", -1, 2},
        {sorted, "x/Gamma", 0, 4},
    };
    for (const Case& c : cases) EXPECT_EQ(c.list.Find(c.name, c.hint), c.expected) << c.name << " hint " << c.hint;

    sorted.probes = 0;
    EXPECT_EQ(sorted.Find("delta", 3), 3);
    EXPECT_EQ(sorted.probes, 1);  // the hint is probed first
    sorted.probes = 0;
    EXPECT_EQ(sorted.FindSorted("!first", 4), 0);
    EXPECT_EQ(sorted.probes, 1);  // '!' names start at index 0
}

TEST(NamedList, ListIdsAreHandedOutOnFirstRequest)
{
    NameList a({}), b({});
    const int first = a.GetListId();
    EXPECT_EQ(b.GetListId(), first + 1);
    EXPECT_EQ(a.GetListId(), first);
    EXPECT_EQ(b.GetListId(), first + 1);
}

TEST(NamedList, MissingItemMessage)
{
    std::vector<std::string> names;
    for (int i = 0; i < 12; ++i) names.push_back("item" + std::to_string(i));
    NameList list(names, false, "Fonts", "Resources/Fonts");
    LastFileOpenedScope referrer("Menus/Main.txt");
    FatalCapture capture;
    EXPECT_FATAL(capture, list.FindRequired("Missing"));
    std::string expected =
        "Fatal Not Found Error: The game is looking for some data or a file but can not find it.  The item we are "
        "looking for is \"Missing\" which should be in the \"Fonts\" list located in the \"Resources/Fonts\" folder"
        "\r\n\r\nThat list does contain the following items but \"Missing\" is missing:";
    for (int i = 0; i < 10; ++i) expected += "\r\n " + std::to_string(i) + ") item" + std::to_string(i);
    expected +=
        "\r\n ...\r\n\r\nThe item was referenced by \"Menus/Main.txt\"\r\n\r\nThis could mean:\r\n\r\n   A) You "
        "recently got a new file, some art or a new proram EXE, possible \"Menus/Main.txt\", and the new file "
        "requires some other new file, \"Missing\", to make them work.  You should be able to get these other files "
        "by doing a get.  It is also possable that someone else did not check these files in yet.  If doing a get "
        "doesn't fix the problem them find out who changed \"Menus/Main.txt\" and ask them to add the new "
        "\"Missing\" files.\r\n\r\n or\r\n\r\n   B) You (or someone else) deleted \"Missing\" but it is being used by "
        "\"Menus/Main.txt\".  You need to un-delete \"Missing\" or manually edit the text for \"Menus/Main.txt\" to "
        "make it no longer reference \"Missing\"\n";
    EXPECT_EQ(capture.shown, expected);
}

TEST(NamedList, MissingItemMessageVariants)
{
    struct Case {
        const char* listName;
        const char* folder;
        const char* referrer;
        std::vector<std::string> names;
        const char* expectedPart;
        const char* absentPart;
    } cases[] = {
        {"Frames", "frames", "x", {"a"}, "should be in the \"Frames\" list\r\n", "located in"},
        {"", "Resources", "x", {"a"}, "which should be in the \"Resources\" folder", "\" list"},
        {"Frames", nullptr, "x", {}, "\r\n\r\n***List contains no items*** \r\n\r\nThe item", "does contain"},
        {"Frames", nullptr, "", {"a"}, "referenced by an unknown source", "referenced by \""},
    };
    for (const Case& c : cases) {
        NameList list(c.names, false, c.listName, c.folder);
        LastFileOpenedScope referrer(c.referrer);
        const std::string text = list.MissingItemText("Gone").GetText();
        EXPECT_NE(text.find(c.expectedPart), std::string::npos) << text;
        EXPECT_EQ(text.find(c.absentPart), std::string::npos) << text;
    }
}

TEST(NamedList, DuplicateNames)
{
    NameList unique({"a/One", "Two", "b/Three"}, false, "Forms", "Resources");
    FatalCapture capture;
    unique.CheckDuplicateNames();
    EXPECT_TRUE(capture.shown.empty());

    NameList doubled({"a/One", "Two", "b/ONE"}, false, "Forms", "Resources");
    EXPECT_FATAL(capture, doubled.CheckDuplicateNames());
    EXPECT_EQ(capture.shown,
              "Fatal Error: Found two items with the same name.\r\n\r\na/One\r\nb/ONE\r\n\r\nThe problem is in the "
              "\"Forms\" list located in the \"Resources\" folder\n");
}

TEST(StaticNamedList, FindsNamesThenAlternativeNames)
{
    static const int values[] = {10, 20};
    const StaticNamedListRecord table[] = {
        {"Old", "New", &values[0]}, {nullptr, "Other", &values[1]}, {nullptr, nullptr, nullptr}};
    StaticNamedList list(table);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Find("other", 0), 1);
    EXPECT_EQ(list.Find("OLD"), 0);
    EXPECT_EQ(list.Find("x/New"), 0);
    EXPECT_EQ(list.Find(CString("New")), kNoIndex);
    EXPECT_EQ(*static_cast<const int*>(list.ItemData(1)), 20);
}

TEST(KeyedValueList, OwnsItsEntries)
{
    KeyedValueList list;
    EXPECT_EQ(list.Add("alpha"), 0);
    EXPECT_EQ(list.Add(CString("beta"), 5), 1);
    EXPECT_EQ(list.Add("gamma"), 2);
    list.SetItemValue(1, CString("text"));
    EXPECT_TRUE(list.ItemFlag(0));
    list.SetItemFlag(0, false);
    EXPECT_FALSE(list.ItemFlag(0));
    list.Swap(0, 2);
    EXPECT_STREQ(list.ItemNameText(0), "gamma");
    list.RemoveAt(1);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_STREQ(list.ItemNameText(1), "alpha");
    EXPECT_EQ(list.Find("ALPHA", 0), 1);
    EXPECT_EQ(list.ItemNameText(2), nullptr);
    EXPECT_EQ(list.ItemNameText(-1), nullptr);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(NamedListIndex, BuildsAFolderTree)
{
    NameList list({"a/b/x", "a/y", "z", "A/b/w"}, false, "Root");
    NamedListIndex index;
    index.Assign(&list);
    const auto root = index.Root();
    EXPECT_EQ(index.DisplayName(root), "Root");
    ASSERT_EQ(index.ChildCount(root), 2);  // item z, then folder a
    EXPECT_EQ(index.Child(root, 0), 2);
    const auto a = index.Child(root, 1);
    EXPECT_FALSE(index.IsItem(a));
    EXPECT_EQ(index.DisplayName(a), "a");
    ASSERT_EQ(index.ChildCount(a), 2);  // item y, then folder b
    EXPECT_EQ(index.DisplayName(index.Child(a, 0)), "y");
    const auto b = index.Child(a, 1);
    ASSERT_EQ(index.ChildCount(b), 2);
    EXPECT_EQ(index.Child(b, 0), 0);
    EXPECT_EQ(index.Child(b, 1), 3);
    EXPECT_EQ(index.NodeOf(3), index.NodeOf(b));
    EXPECT_EQ(index.ChildCount(0), 0);

    index.Assign(&list);  // rebuilding frees the old tree
    EXPECT_EQ(index.ChildCount(index.Root()), 2);
}
