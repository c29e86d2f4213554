#include "foundation/Messages.h"

#include <algorithm>

namespace {

std::vector<CString>& TypeNames()
{
    // The library's five types come first, in a fixed order, whoever asks first.
    static std::vector<CString> names = {"CItemAddedToVirtualArrayMessage", "CChangedAntiAliasingMessage",
                                         "CCharacterTypedMessage", "CDoIdleProcessingMessage", "CPlaySoundMessage"};
    return names;
}

}  // namespace

std::int32_t RegisterMessageType(const char* name)
{
    std::vector<CString>& names = TypeNames();
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i].CompareNoCase(name) == 0) return static_cast<std::int32_t>(i);
    names.emplace_back(name);
    return static_cast<std::int32_t>(names.size() - 1);
}

namespace {
// Each message type asks the registry once and keeps its id.
template <typename Message>
std::int32_t TypeIdFor(const char* name)
{
    static const std::int32_t id = RegisterMessageType(name);
    return id;
}
}  // namespace

std::int32_t CItemAddedToVirtualArrayMessage::TypeId()
{
    return TypeIdFor<CItemAddedToVirtualArrayMessage>("CItemAddedToVirtualArrayMessage");
}
std::int32_t CChangedAntiAliasingMessage::TypeId()
{
    return TypeIdFor<CChangedAntiAliasingMessage>("CChangedAntiAliasingMessage");
}
std::int32_t CCharacterTypedMessage::TypeId() { return TypeIdFor<CCharacterTypedMessage>("CCharacterTypedMessage"); }
std::int32_t CDoIdleProcessingMessage::TypeId()
{
    return TypeIdFor<CDoIdleProcessingMessage>("CDoIdleProcessingMessage");
}
std::int32_t CPlaySoundMessage::TypeId() { return TypeIdFor<CPlaySoundMessage>("CPlaySoundMessage"); }

MessageDispatcher& MessageDispatcher::Instance()
{
    static MessageDispatcher dispatcher;
    return dispatcher;
}

bool MessageDispatcher::Dispatch(const MessageBase& message)
{
    bool handled = false;
    for (IMessageReceiver* receiver : m_receivers) handled = receiver->ReceiveMessage(message) || handled;
    return handled;
}

void MessageDispatcher::AddReceiver(IMessageReceiver* receiver) { m_receivers.push_back(receiver); }

void MessageDispatcher::RemoveReceiver(IMessageReceiver* receiver)
{
    m_receivers.erase(std::remove(m_receivers.begin(), m_receivers.end(), receiver), m_receivers.end());
}
