// The records of a sprite definition resource as they lie in the file (little-endian data blocks, each starting
// with its own size and a type code), with the reader and the writer of the whole resource: the header, a u16
// count of state blocks, the state blocks, the first spawn list, the weapon slots, the attachments and the second
// spawn list. Padding and the words whose meaning is not settled travel with their blocks as read.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/rect.h"

class CGP_BinaryServer;

enum GP_SpriteBlockType : std::uint32_t {
    GP_TypeSpriteHeader = 10,
    GP_TypeSpriteState = 11,
};

struct GP_SpriteHeader {
    std::uint32_t size = sizeof(GP_SpriteHeader);
    std::uint32_t type = GP_TypeSpriteHeader;
    std::uint32_t behaviourID = 0;
    std::uint32_t kind = 0;  // its low 16 bits pick the object list
    std::uint32_t word16 = 0;
    std::uint16_t baseHeading = 0;
    std::uint16_t word22 = 0;
    float damage = 0;
    float speed = 0;
    float acceleration = 0;
    float maxSpeed = 0;
    float initialHealth = 0;
    std::uint16_t weaponCount = 0;
    std::uint16_t spawnCount1 = 0;
    std::uint16_t attachCount = 0;
    std::uint8_t inGrid = 0;
    std::uint8_t pad51 = 0;
    std::uint16_t spawnCount2 = 0;
    std::uint16_t pad54 = 0;
    std::int32_t interval = 0;
    std::uint8_t makeSpans = 0;
    std::uint8_t pad61[3] = {};
    std::int32_t scoreValue = 0;
};
static_assert(sizeof(GP_SpriteHeader) == 68);

// One visual state; states 0, 1 and 3 are shown, state 2 means gone.
struct GP_SpriteState {
    std::uint32_t size = sizeof(GP_SpriteState);
    std::uint32_t type = GP_TypeSpriteState;
    platform::Rect frameRect;      // one frame in the picture
    platform::Rect collisionRect;  // relative to the object's position
    std::uint32_t pictureID = 0xFFFFFFFF;
    std::uint8_t useColorKey = 0;
    std::uint8_t pad45[3] = {};
    std::uint32_t colorKey = 0;
    std::int32_t frameCount = 0;
    std::int32_t stateValue = 0;
    float animRate = 0;  // frames per millisecond
    std::uint8_t loop = 0;
    std::uint8_t pad65[3] = {};
    float stateParam = 0;
    std::uint8_t stateFlag = 0;  // a rotating gun, for the weapons
    std::uint8_t pad73[3] = {};
    std::int32_t columns = 1;
    std::int32_t rows = 1;
    std::uint32_t loadOption = 0xFFFFFFFF;
    std::uint32_t word88 = 0;
    std::uint32_t soundID = 0xFFFFFFFF;
    std::uint8_t soundLoops = 0;
    std::uint8_t stopSoundOnDeath = 0;
    std::uint8_t soundFollows = 0;
    std::uint8_t pad99 = 0;

    int FrameWidth() const { return frameRect.Width(); }
    int FrameHeight() const { return frameRect.Height(); }
};
static_assert(sizeof(GP_SpriteState) == 100);

struct GP_SpawnEntry {
    std::uint32_t size = sizeof(GP_SpawnEntry);
    std::uint32_t type = 0;
    std::uint32_t spriteID = 0xFFFFFFFF;  // -1: the entry is off
    std::uint16_t intervalBase = 0;       // milliseconds
    std::uint16_t intervalSpread = 0;
    std::uint8_t intervalRandom = 0;
    std::uint8_t pad17[3] = {};
    std::int32_t xBase = 0;
    std::int32_t yBase = 0;
    std::int32_t xSpread = 0;
    std::int32_t ySpread = 0;
    std::uint8_t positionRandom = 0;
    std::uint8_t pad37[3] = {};
    float headingOffset = 0;  // degrees
    std::int32_t headingSpread = 0;
    std::uint8_t headingRandom = 0;
    std::uint8_t pad49[3] = {};
    float speedBase = 0;
    float speedSpread = 0;
    std::uint8_t speedRandom = 0;
    std::uint8_t pad61[3] = {};
    std::int32_t startDelayBase = 0;
    std::int32_t startDelaySpread = 0;
    std::uint8_t startDelayRandom = 0;
    std::uint8_t pad73[3] = {};
    std::int32_t countBase = 0;  // objects per emission
    std::int32_t countSpread = 0;
    std::uint8_t countRandom = 0;
    std::uint8_t asChild = 0;  // the spawned object's position is relative to the spawner
    std::uint8_t pad86[2] = {};
};
static_assert(sizeof(GP_SpawnEntry) == 88);

// Shot patterns of a weapon slot.
enum GP_ShotPattern : std::uint16_t {
    GP_PatternSingle = 1,
    GP_PatternDouble = 2,
    GP_PatternNever = 3,
};

struct GP_WeaponSlot {
    std::uint32_t size = sizeof(GP_WeaponSlot);
    std::uint32_t type = 0;
    std::int32_t muzzleX = 0;  // relative to the shooter
    std::int32_t muzzleY = 0;
    std::uint16_t pattern = GP_PatternSingle;
    std::uint8_t pad18 = 0;
    std::uint8_t bothBarrels = 0;
    std::uint16_t barrelSpacing = 0;  // half the distance between the barrels
    std::uint16_t pad22 = 0;
    std::uint32_t weaponID = 0xFFFFFFFF;  // -1: an empty slot
    std::int32_t muzzleDistance = 0;
};
static_assert(sizeof(GP_WeaponSlot) == 32);

struct GP_Attachment {
    std::uint32_t size = sizeof(GP_Attachment);
    std::uint32_t type = 0;
    std::uint32_t spriteID = 0xFFFFFFFF;
    std::int32_t x = 0;  // relative to the owner
    std::int32_t y = 0;
};
static_assert(sizeof(GP_Attachment) == 20);

// The whole resource. A new record has four states as a new definition has them.
struct GP_SpriteRecord {
    static constexpr int StateCount = 4;

    GP_SpriteHeader header;
    GP_SpriteState states[StateCount];
    std::vector<GP_SpawnEntry> spawns1;
    std::vector<GP_WeaponSlot> weapons;
    std::vector<GP_Attachment> attachments;
    std::vector<GP_SpawnEntry> spawns2;

    // Reads the resource open in the binary server; the header's counts size the lists. More than four state
    // blocks, or a block of the wrong size, throws CGP_FatalExeption naming the resource.
    void Read(CGP_BinaryServer& binary);
    // Writes the header (its counts taken from the lists), a count of 4, the four states and the lists; every
    // block's size field is set to its own size first.
    void Write(CGP_BinaryServer& binary);
};
