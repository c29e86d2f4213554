#include "GP_Scene.h"

#include <cstring>

#include "GP_BinaryServer.h"
#include "GP_Exception.h"
#include "GP_PlayField.h"
#include "GP_PlayHost.h"
#include "GP_Random.h"
#include "GP_RecordBounds.h"
#include "GP_ServerSet.h"
#include "GP_SpriteManager.h"

namespace {
constexpr const char* Module = "GP_Scene";
}

void GP_SceneRecord::Read(CGP_ServerSet* servers, CGP_PlayField& field)
{
    CGP_BinaryServer& binary = *servers->binary;
    binary.ReadData(&parameters, sizeof parameters);
    field.Read(servers);
    std::uint16_t count = 0;
    binary.Read(count);
    objects.assign(count, GP_GameObjectBlock{});
    for (GP_GameObjectBlock& block : objects) {
        binary.ReadData(&block, sizeof block);
        GP_CheckObjectBlock(binary, block);
    }
    binary.Read(count);
    spriteIDs.assign(count, 0);
    for (std::uint32_t& id : spriteIDs) binary.Read(id);
}

void GP_SceneRecord::Write(CGP_ServerSet* servers, CGP_PlayField& field)
{
    CGP_BinaryServer& binary = *servers->binary;
    parameters.size = sizeof parameters;
    binary.WriteData(&parameters);
    field.Write(servers);
    binary.Write(static_cast<std::uint16_t>(objects.size()));
    for (GP_GameObjectBlock& block : objects) {
        block.size = sizeof block;
        binary.WriteData(&block);
    }
    binary.Write(static_cast<std::uint16_t>(spriteIDs.size()));
    for (std::uint32_t id : spriteIDs) binary.Write(id);
}

// The objects belong to their lists; only the tables go.
CGP_Scene::~CGP_Scene() = default;

void CGP_Scene::Load(CGP_ServerSet* servers, bool preloadDefinitions, bool loadImages)
{
    if (!playField)
        throw CGP_FatalExeption(Module, __LINE__, FormatNew("A scene loads only onto a play field"), nullptr, 1);
    GP_SceneRecord record;
    record.Read(servers, *playField);
    *parameters = record.parameters;
    speedFactor = 1.0f / parameters->speed;
    for (std::uint32_t id : record.spriteIDs) spriteIDs.Append(GP_IDToEntry(id));
    if (loadImages) playField->CreateFrames(servers);
    for (const GP_GameObjectBlock& block : record.objects) Place(block);
    if (!preloadDefinitions) return;
    for (std::uint32_t id : record.spriteIDs) owner->GetSpriteManager()->GetDefinition(id, loadImages);
}

// The object of the block, its whole block copied over; a start delay with a spread s moves by s - (r mod 2s).
void CGP_Scene::Place(const GP_GameObjectBlock& block)
{
    CGP_GameObject* object = owner->GetSpriteManager()->CreateObject(block.spriteID, playField.get());
    if (!object) return;
    std::memcpy(object->Fields(), &block, sizeof block);
    objects.Append(object);
    const std::int64_t spread = block.startDelaySpread;
    if (*object->startDelay != 0 && spread > 0)
        *object->startDelay = static_cast<std::int32_t>(*object->startDelay + spread - GP_Rand() % (2 * spread));
    if (*object->spriteID != GP_PlayerSpriteID) return;
    player = object;
    owner->SetPlayer(object);
}
