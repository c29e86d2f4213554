#include "GP_SpriteManager.h"

#include "GP_BinaryServer.h"
#include "GP_Exception.h"
#include "GP_GameObject.h"
#include "GP_NameServer.h"
#include "GP_ObjectList.h"
#include "GP_PlayHost.h"
#include "GP_ServerSet.h"

namespace {
constexpr const char* Module = "GP_SpriteManager";
}

CGP_SpriteManager::CGP_SpriteManager(CGP_PlayHost* owner, CGP_NameServer* names) : names(names), owner(owner)
{
    Reset();
}

void CGP_SpriteManager::Reset()
{
    slots.clear();
    slotCount = names ? names->GetCount(SpriteKind) : 0;
    slots.resize(slotCount);
}

void CGP_SpriteManager::Clear(bool dropSlots)
{
    for (auto& slot : slots) slot.reset();
    if (!dropSlots) return;
    slots.clear();
    slotCount = 0;
}

void CGP_SpriteManager::ReloadImages(CGP_ServerSet* servers)
{
    for (auto& slot : slots) {
        if (slot) slot->ReloadImages(servers);
    }
}

void CGP_SpriteManager::RemoveSlot(int index)
{
    if (index < 0 || index >= static_cast<int>(slots.size())) return;
    slots.erase(slots.begin() + index);
    slotCount = static_cast<std::uint32_t>(slots.size());
}

CGP_SpriteDef* CGP_SpriteManager::GetDefinition(std::uint32_t id, bool loadImages)
{
    const std::int32_t index = names ? names->GetIndex(id) : -1;
    if (index < 0 || index >= static_cast<std::int32_t>(slots.size()) ||
        names->GetGroup(GP_GroupOf(id))->resourceKind != SpriteKind)
        throw CGP_FatalExeption(Module, __LINE__, FormatNew("Sprite definition 0x%X does not exist", id), nullptr, 1);
    std::unique_ptr<CGP_SpriteDef>& slot = slots[index];
    if (slot) return slot.get();
    CGP_ServerSet* servers = owner->GetServers();
    if (!servers->binary->OpenRead(id))
        throw CGP_FatalExeption(Module, __LINE__, FormatNew("Sprite definition 0x%X cannot be opened", id), nullptr, 1);
    auto def = std::make_unique<CGP_SpriteDef>(owner);
    def->Load(servers, loadImages);
    slot = std::move(def);
    return slot.get();
}

// Weapon timers, spawn counters and attachment slots as a new object of the definition has them.
void CGP_SpriteManager::SetUp(CGP_GameObject* object, CGP_SpriteDef& def)
{
    object->state = GP_StateFirst;
    object->health = def.record.header.initialHealth;
    object->visible = 1;
    CGP_Behaviour* behaviour = owner->GetBehaviour(GP_IndexOf(def.record.header.behaviourID));
    if (behaviour)
        behaviour->Attach(object);
    else
        object->behaviour = nullptr;
    object->InitWeaponTimers();
    object->InitSpawnCounters();
    object->InitAttachments();
}

CGP_GameObject* CGP_SpriteManager::CreateObject(std::uint32_t id, CGP_PlayField* playField)
{
    if (id == GP_NoID) return nullptr;
    CGP_SpriteDef* def = GetDefinition(id, true);
    CGP_ObjectList* list = owner->GetObjectList(GP_IndexOf(def->record.header.kind));
    if (!list) return nullptr;
    if (CGP_GameObject* reused = list->FindReusable(id)) {
        reused->LeaveGrid();
        reused->parent = nullptr;
        SetUp(reused, *def);
        return reused;
    }
    auto object = std::make_unique<CGP_GameObject>(nullptr, playField, owner);
    *object->spriteID = id;
    object->def = def;
    if (!list->Add(object.get())) return nullptr;
    object->list = list;
    object->update = def->record.header.inGrid ? &CGP_GameObject::UpdateInGrid : &CGP_GameObject::UpdatePlain;
    SetUp(object.get(), *def);
    return object.release();
}
