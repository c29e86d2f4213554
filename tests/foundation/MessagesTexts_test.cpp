#include <gtest/gtest.h>

#include "foundation/LocalizedString.h"
#include "foundation/Messages.h"
#include "foundation/NamedList.h"
#include "foundation/VirtualArrayAdapter.h"

namespace {

class CountingReceiver : public IMessageReceiver {
public:
    explicit CountingReceiver(bool handles) : m_handles(handles) {}
    bool ReceiveMessage(const MessageBase& message) override
    {
        lastType = message.GetTypeId();
        ++calls;
        return m_handles;
    }
    int calls = 0;
    int lastType = -1;

private:
    bool m_handles;
};

// A key list with a name whose odd items are not listed.
class NamedKeys : public KeyedValueList {
public:
    void GetListName(CString& out) const override { out = "Keys"; }
    bool IsItemListed(int i) const override { return i % 2 == 0; }
};

}  // namespace

TEST(Messages, TypesAndDispatch)
{
    EXPECT_EQ(RegisterMessageType("CCharacterTypedMessage"), CCharacterTypedMessage::TypeId());
    const int custom = RegisterMessageType("CSomethingNewMessage");
    EXPECT_EQ(RegisterMessageType("CSomethingNewMessage"), custom);
    EXPECT_NE(custom, CPlaySoundMessage::TypeId());

    MessageDispatcher& dispatcher = MessageDispatcher::Instance();
    const CCharacterTypedMessage typed('a');
    EXPECT_FALSE(dispatcher.Dispatch(typed));  // nobody listens

    CountingReceiver first(true), second(false);
    dispatcher.AddReceiver(&first);
    dispatcher.AddReceiver(&second);
    const CPlaySoundMessage sound(CString("Click"));
    EXPECT_TRUE(dispatcher.Dispatch(sound));
    EXPECT_EQ(second.calls, 1);  // still asked after the first handled it
    EXPECT_EQ(second.lastType, CPlaySoundMessage::TypeId());
    dispatcher.RemoveReceiver(&first);
    EXPECT_FALSE(dispatcher.Dispatch(CChangedAntiAliasingMessage()));
    dispatcher.RemoveReceiver(&second);
}

TEST(LocalizedString, KeysAndLookups)
{
    EXPECT_GE(GetLocalizedStringCount(), 6);  // this subsystem's six, and those of the rest of the library
    EXPECT_STREQ(LocalLanguageName.GetText().GetText(), "English");
    CString text(":");
    Localize(text, "Minutes:Seconds separator");  // an empty table changes nothing
    EXPECT_STREQ(text.GetText(), ":");

    EXPECT_STREQ(MakeTranslationKey(CString(":"), "Minutes:Seconds separator").GetText(),
                 ":[END] (Minutes:Seconds separator)");
    EXPECT_STREQ(MakeTranslationKey(CString("Play"), "").GetText(), "Play");
    AddTranslation(CString("Play"), CString("Jouer"));
    AddTranslation(CString(":[END] (Minutes:Seconds separator)"), CString("'"));
    AddTranslation(CString("Back"), CString("Retour"));
    CString play("Play"), back("Back"), minutes(":"), other("play");
    Localize(play, nullptr);
    Localize(back, "");
    Localize(minutes, "Minutes:Seconds separator");
    Localize(other, nullptr);  // keys compare with regard to case
    EXPECT_STREQ(play.GetText(), "Jouer");
    EXPECT_STREQ(back.GetText(), "Retour");
    EXPECT_STREQ(minutes.GetText(), "'");
    EXPECT_STREQ(other.GetText(), "play");
    ClearTranslations();
}

TEST(VirtualArrayAdapter, AFlatListIsAOneLevelTree)
{
    NamedKeys list;
    list.Add("Alpha");
    list.Add("Beta");
    list.SetItemFlag(0, false);
    VirtualArrayAdapter tree(&list);
    const int root = tree.Root();
    EXPECT_EQ(root, VirtualArrayAdapter::kRoot);
    EXPECT_EQ(tree.GetList(), &list);
    EXPECT_EQ(tree.ChildCount(root), 2);
    EXPECT_EQ(tree.Child(root, 1), 1);
    EXPECT_EQ(tree.Child(root, 2), kNoIndex);
    EXPECT_EQ(tree.Child(1, 0), kNoIndex);  // entries have no children
    EXPECT_EQ(tree.ChildCount(1), 0);
    EXPECT_EQ(tree.Parent(1), root);

    CString text;
    tree.GetName(text, root);
    EXPECT_STREQ(text.GetText(), "Keys");
    EXPECT_STREQ(tree.GetNameCopy(text, 1).GetText(), "Beta");
    tree.GetPath(text, 1);
    EXPECT_STREQ(text.GetText(), "/Beta");
    tree.GetPath(text, root);
    EXPECT_STREQ(text.GetText(), "");

    // The item flags come from the list; the root has both.
    EXPECT_FALSE(tree.ItemFlag(0));
    EXPECT_TRUE(tree.ItemFlag(1));
    EXPECT_TRUE(tree.IsItemListed(0));
    EXPECT_FALSE(tree.IsItemListed(1));
    EXPECT_TRUE(tree.ItemFlag(root));
    EXPECT_TRUE(tree.IsItemListed(root));
}
