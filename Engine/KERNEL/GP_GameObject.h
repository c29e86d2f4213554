// Game objects: sprite instances on the play field. An object's look, size and collision box come from the
// current state of its sprite definition, its conduct from a behaviour to which it forwards its update and its
// events. It keeps its own weapon timers, spawn counters and attachments; its list recycles it once it is gone.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "GP_Behaviour.h"
#include "GP_Object.h"
#include "GP_SoundSource.h"
#include "GP_SpriteRecords.h"

class CGP_ObjectList;
class CGP_PlayField;
class CGP_PlayHost;
class CGP_SpriteDef;
struct GP_PixelMask;

// The object's data block; offsets 0 to 23 are the engine object's.
struct GP_GameObjectBlock : GP_ObjectBlock {
    std::uint32_t spriteID;
    std::int32_t startDelay;  // milliseconds
    std::int32_t value32;     // the behaviours'
    float heading;            // degrees: 0 right, 90 up the screen
    float vx;                 // pixels per millisecond; a positive vy moves down
    float vy;
    float vz;              // depth velocity
    float depth;           // height above the ground: the shadow's shift
    float pitch;           // degrees
    std::uint8_t value60;  // the behaviours'
    std::uint8_t pad61[3];
    std::int32_t startDelaySpread;
    std::uint32_t value68;
};
static_assert(sizeof(GP_GameObjectBlock) == 72);

// Sprite states with a meaning of their own: state 2 is gone.
enum GP_SpriteStateIndex : std::int32_t {
    GP_StateFirst = 0,
    GP_StateGone = 2,
};

// One weapon slot's timer: the system time of the last shot (0: not armed), shots within the pattern, and the
// drawn delay of a random weapon.
struct GP_WeaponTimer {
    std::uint32_t lastShot = 0;
    std::uint32_t shotCounter = 0;
    std::uint32_t currentDelay = 0;
};

struct GP_SpawnCounter {
    std::int32_t elapsed = 0;
    std::int32_t threshold = 0;
};

struct GP_AttachmentSlot {
    std::uint8_t wanted = 0;
    std::uint8_t exists = 0;
    class CGP_GameObject* object = nullptr;  // owned by its list
};

// The grid cells an object was entered into: columns and rows from first to last, both included.
struct GP_CellRange {
    int firstColumn = 0, lastColumn = -1;
    int firstRow = 0, lastRow = -1;
    bool IsEmpty() const { return firstColumn > lastColumn || firstRow > lastRow; }
};

class CGP_GameObject : public CGP_Element, public CGP_SoundSource {
public:
    using UpdateFunction = void (CGP_GameObject::*)(float);
    // Updates in state 2 after which the object may be recycled.
    static constexpr std::uint16_t DeadFramesBeforeReuse = 2;

    // Invisible, state 0, health 100, not in the grid, without definition, behaviour or arrays.
    explicit CGP_GameObject(CGP_Object* parent, CGP_PlayField* playField = nullptr, CGP_PlayHost* owner = nullptr);
    ~CGP_GameObject() override;

    // The current state's frame size, stored in the block.
    std::int32_t* GetWidth() override;
    std::int32_t* GetHeight() override;
    void Write(CGP_ServerSet* servers) override;
    // The current state's frame count in the definition.
    std::int32_t* GetFrameCount() override;

    // The two per-frame updates; the sprite manager picks one at creation.
    void UpdatePlain(float timeStep);
    void UpdateInGrid(float timeStep);
    void EnterGrid();
    void LeaveGrid();

    // The collision rectangle at the absolute position, kept in rect.
    const platform::Rect& GetRect();
    // The current frame at the absolute position, or a white rectangle of the frame size without picture.
    void Draw() override;
    void DrawShadow();

    // One slot, or (all) every slot with a weapon; whether a shot left.
    bool Fire(bool all, int slot);
    // The number of live attachments after creating the wanted ones and dropping the unwanted.
    int UpdateAttachments();
    void SetAttachment(bool wanted, bool all, int index);
    CGP_GameObject* GetAttachment(int index) const;
    // Run the first or second spawn list; index -1 runs every entry.
    void EmitPrimary(float timeStep, int index);
    void EmitSecondary(float timeStep, int index);

    void Event3(std::int32_t a, std::int32_t b, float c);
    void Event4();
    std::int32_t Event5();
    void Event6();
    void Event7();
    void Event8();
    void Event9();
    void Event10();
    void Event11();
    void Event12();
    void Event13();
    void Event14();
    void Event15();
    void Event16(std::int32_t a, std::int32_t b);
    bool Hit(CGP_GameObject* other);

    // Where its sounds play and whether they stop with it.
    void GetSoundPlace(float& x, float& y, float& width, float& height) override;
    bool IsSoundSourceGone() override { return state == GP_StateGone; }
    bool StopsSoundOnDeath() override;

    std::uint32_t GetBehaviourID() const;
    float GetHitDamage() const;
    // The current state's values; zero without a definition.
    std::int32_t GetStateValue() const;
    float GetStateSpeed() const;
    std::uint8_t GetStateLoop() const;
    float GetStateParam() const;
    std::uint8_t GetStateFlag() const;
    // The current state's fields, null without a definition or outside states 0 to 3.
    const GP_SpriteState* CurrentState() const;

    void StartEffect(float time, float step);
    void InitWeaponTimers();
    void InitSpawnCounters();
    void InitAttachments();

    GP_GameObjectBlock* Fields() const { return Block<GP_GameObjectBlock>(); }

    std::uint16_t deadFrames = 0;
    // Addresses of the block's fields.
    std::uint32_t* spriteID;
    std::int32_t* startDelay;
    std::int32_t* startDelaySpread;
    std::uint8_t* value60;
    std::uint32_t* value68;
    std::int32_t* value32;
    float* heading;
    float* pitch;
    float* vx;
    float* vy;
    float* vz;
    float* x;
    float* y;
    float* depth;

    CGP_SpriteDef* def = nullptr;  // not owned
    std::unique_ptr<GP_BehaviourState> stateBlock;
    std::int32_t state = GP_StateFirst;
    std::uint8_t effectOn = 0;
    float effectTime = 0;
    float effectStep = 0;
    float effectLeft = 0;
    CGP_PlayField* playField = nullptr;
    std::uint8_t inGrid = 0;
    CGP_Behaviour* behaviour = nullptr;  // not owned
    float health = 100.0f;
    GP_PixelMask* mask = nullptr;  // the last shadow's; the definition's
    UpdateFunction update = nullptr;
    CGP_ObjectList* list = nullptr;
    std::vector<GP_AttachmentSlot> attachments;
    CGP_PlayHost* owner = nullptr;
    std::vector<GP_WeaponTimer> weaponTimers;
    std::vector<GP_SpawnCounter> spawnCounters1;
    std::vector<GP_SpawnCounter> spawnCounters2;
    platform::Rect rect;
    float gridX = 0;
    float gridY = 0;
    GP_CellRange gridCells;  // the cells entered at (gridX, gridY), left exactly

private:
    std::int32_t noFrameCount = 0;  // what GetFrameCount gives without a definition
    void Emit(std::vector<GP_SpawnCounter>& counters, const std::vector<GP_SpawnEntry>& entries, float timeStep,
              int index);
    void EmitEntry(const GP_SpawnEntry& entry);
    void EmitOne(const GP_SpawnEntry& entry);
};
