// What a game object brings into play: its weapons' shots, its attachments and its two spawn lists.
#include "GP_GameObject.h"
#include "GP_Math.h"
#include "GP_PlayHost.h"
#include "GP_Random.h"
#include "GP_ServerSet.h"
#include "GP_SpriteDef.h"
#include "GP_SpriteManager.h"
#include "GP_Weapon.h"

namespace {

CGP_SpriteManager* SpritesOf(CGP_PlayHost* owner) { return owner ? owner->GetSpriteManager() : nullptr; }

// speed base - speed spread + (r mod t) / 1000 with t = spread x 2000; a spread too small to give t a
// whole number has nothing to draw from and gives the base.
float SpawnSpeed(const GP_SpawnEntry& entry)
{
    if (!entry.speedRandom) return entry.speedBase;
    const auto t = static_cast<std::int32_t>(entry.speedSpread * 2000.0f);
    if (t <= 0) return entry.speedBase;
    return entry.speedBase - entry.speedSpread + static_cast<float>(GP_Rand() % t) * 0.001f;
}

std::int32_t Spread(bool random, std::int32_t base, std::int32_t spread)
{
    return random ? GP_RandomSpread(base, spread) : base;
}

}  // namespace

bool CGP_GameObject::Fire(bool all, int slot)
{
    if (weaponTimers.empty() || !def || !owner) return false;
    CGP_WeaponServer* weapons = owner->GetServers()->weapons.get();
    const std::vector<GP_WeaponSlot>& slots = def->record.weapons;
    if (!all) {
        if (slot < 0 || slot >= static_cast<int>(slots.size()) || slots[slot].weaponID == GP_NoID) return false;
        return weapons->GetWeapon(slots[slot].weaponID)->Fire(this, slot);
    }
    bool fired = false;
    for (int s = 0; s < static_cast<int>(slots.size()); ++s) {
        if (slots[s].weaponID != GP_NoID && weapons->GetWeapon(slots[s].weaponID)->Fire(this, s)) fired = true;
    }
    return fired;
}

int CGP_GameObject::UpdateAttachments()
{
    if (!def) return 0;
    int live = 0;
    const std::size_t count = std::min(attachments.size(), def->record.attachments.size());
    for (std::size_t i = 0; i < count; ++i) {
        GP_AttachmentSlot& slot = attachments[i];
        if (slot.exists) {
            if (!slot.wanted) slot.object->state = GP_StateGone;
            if (slot.object->state == GP_StateGone) {
                slot = GP_AttachmentSlot{};
                continue;
            }
            ++live;
            continue;
        }
        const GP_Attachment& attachment = def->record.attachments[i];
        if (!slot.wanted || attachment.spriteID == GP_NoID || !SpritesOf(owner)) continue;
        CGP_GameObject* attached = SpritesOf(owner)->CreateObject(attachment.spriteID, playField);
        if (!attached) continue;
        attached->parent = this;
        *attached->x = static_cast<float>(attachment.x);
        *attached->y = static_cast<float>(attachment.y);
        *attached->depth = *depth;
        slot.object = attached;
        slot.exists = 1;
        ++live;
    }
    return live;
}

void CGP_GameObject::SetAttachment(bool wanted, bool all, int index)
{
    if (attachments.empty() || index >= static_cast<int>(attachments.size())) return;
    if (all) {
        for (GP_AttachmentSlot& slot : attachments) slot.wanted = wanted;
    } else {
        if (index < 0) return;
        attachments[index].wanted = wanted;
    }
    UpdateAttachments();
}

CGP_GameObject* CGP_GameObject::GetAttachment(int index) const
{
    if (index < 0 || index >= static_cast<int>(attachments.size())) return nullptr;
    return attachments[index].object;
}

void CGP_GameObject::EmitPrimary(float timeStep, int index)
{
    if (!def || def->record.spawns1.empty()) return;
    Emit(spawnCounters1, def->record.spawns1, timeStep, index);
}

void CGP_GameObject::EmitSecondary(float timeStep, int index)
{
    if (!def) return;
    Emit(spawnCounters2, def->record.spawns2, timeStep, index);
}

void CGP_GameObject::Emit(std::vector<GP_SpawnCounter>& counters, const std::vector<GP_SpawnEntry>& entries,
                          float timeStep, int index)
{
    const int count = static_cast<int>(std::min(counters.size(), entries.size()));
    if (count == 0 || index >= count || index < -1) return;
    const int first = index == -1 ? 0 : index;
    const int last = index == -1 ? count - 1 : index;
    for (int e = first; e <= last; ++e) {
        const GP_SpawnEntry& entry = entries[e];
        if (entry.spriteID == GP_NoID) continue;
        GP_SpawnCounter& counter = counters[e];
        if (static_cast<std::uint32_t>(counter.elapsed) >= static_cast<std::uint32_t>(counter.threshold)) {
            EmitEntry(entry);
            if (entry.intervalRandom) counter.threshold = GP_RandomSpread(entry.intervalBase, entry.intervalSpread);
            counter.elapsed = 0;
        }
        counter.elapsed += static_cast<std::int32_t>(timeStep);
    }
}

void CGP_GameObject::EmitEntry(const GP_SpawnEntry& entry)
{
    const std::int32_t n = Spread(entry.countRandom, entry.countBase, entry.countSpread);
    for (std::int32_t i = 0; i < n; ++i) EmitOne(entry);
}

void CGP_GameObject::EmitOne(const GP_SpawnEntry& entry)
{
    CGP_SpriteManager* sprites = SpritesOf(owner);
    CGP_GameObject* spawned = sprites ? sprites->CreateObject(entry.spriteID, playField) : nullptr;
    if (!spawned) return;
    float spawnX = static_cast<float>(Spread(entry.positionRandom, entry.xBase, entry.xSpread));
    float spawnY = static_cast<float>(Spread(entry.positionRandom, entry.yBase, entry.ySpread));
    if (!entry.asChild) {
        spawnX += GetAbsX();
        spawnY += GetAbsY();
    }
    *spawned->x = spawnX;
    *spawned->y = spawnY;
    *spawned->depth = *depth;
    *spawned->pitch = static_cast<float>(60 + GP_Rand() % 60);
    const float headingSpread = static_cast<float>(Spread(entry.headingRandom, 0, entry.headingSpread));
    *spawned->heading = *heading + entry.headingOffset + headingSpread;
    const float speed = SpawnSpeed(entry);
    *spawned->vx = GP_CosDeg(*spawned->heading) * speed;
    *spawned->vy = GP_SinDeg(*spawned->heading) * speed;
    *spawned->vz = GP_SinDeg(*spawned->pitch) * speed;
    if (entry.asChild) spawned->parent = this;
    *spawned->startDelay = Spread(entry.startDelayRandom, entry.startDelayBase, entry.startDelaySpread);
    spawned->visible = 0;
}

void CGP_GameObject::InitWeaponTimers()
{
    if (!def) return;
    weaponTimers.assign(def->record.weapons.size(), GP_WeaponTimer{});
}

void CGP_GameObject::InitSpawnCounters()
{
    if (!def) return;
    auto reset = [](std::vector<GP_SpawnCounter>& counters, const std::vector<GP_SpawnEntry>& entries) {
        counters.resize(entries.size());
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const GP_SpawnEntry& entry = entries[i];
            counters[i] = {0, Spread(entry.intervalRandom, entry.intervalBase, entry.intervalSpread)};
        }
    };
    reset(spawnCounters1, def->record.spawns1);
    reset(spawnCounters2, def->record.spawns2);
}

void CGP_GameObject::InitAttachments()
{
    if (!def) return;
    attachments.assign(def->record.attachments.size(), GP_AttachmentSlot{});
}
