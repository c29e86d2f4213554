// Messages between parts of the library: a type id registered by name, handed by the process-wide dispatcher
// to every registered receiver in turn.
#pragma once
#include <cstdint>
#include <vector>

#include "foundation/CString.h"

// The id of a message type: its position in the process-wide list of type names (added when new).
std::int32_t RegisterMessageType(const char* name);

class MessageBase {
public:
    explicit MessageBase(std::int32_t typeId) : m_typeId(typeId) {}
    virtual ~MessageBase() = default;
    std::int32_t GetTypeId() const { return m_typeId; }

private:
    std::int32_t m_typeId;
    std::int32_t m_reserved = 0;
};

class IMessageReceiver {
public:
    virtual ~IMessageReceiver() = default;
    // True when the receiver handled the message.
    virtual bool ReceiveMessage(const MessageBase& message) = 0;
};

class MessageDispatcher {
public:
    static MessageDispatcher& Instance();
    // Offers the message to every receiver, even after one has handled it; true when any did.
    bool Dispatch(const MessageBase& message);
    void AddReceiver(IMessageReceiver* receiver);
    void RemoveReceiver(IMessageReceiver* receiver);

private:
    std::vector<IMessageReceiver*> m_receivers;  // not owned
};

// The library's message types; each id is registered with the type's name on first use.
struct CItemAddedToVirtualArrayMessage {
    static std::int32_t TypeId();
};

struct CDoIdleProcessingMessage {
    static std::int32_t TypeId();
};

class CChangedAntiAliasingMessage : public MessageBase {
public:
    CChangedAntiAliasingMessage() : MessageBase(TypeId()) {}
    static std::int32_t TypeId();
};

class CCharacterTypedMessage : public MessageBase {
public:
    explicit CCharacterTypedMessage(std::int32_t character) : MessageBase(TypeId()), character(character) {}
    static std::int32_t TypeId();
    std::int32_t character;
};

class CPlaySoundMessage : public MessageBase {
public:
    explicit CPlaySoundMessage(const CString& name) : MessageBase(TypeId()), soundName(name) {}
    static std::int32_t TypeId();
    CString soundName;
};
