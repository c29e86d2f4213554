#include <gtest/gtest.h>

#include "foundation/LocalizedString.h"
#include "foundation/Messages.h"

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
