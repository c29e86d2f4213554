// The base of the game's behaviours: the main frame that owns them, the collision query over the play field's
// grid, the approach of a target point, the state sounds, the reset of a boss fight, and the movement,
// animation and off-screen rules the behaviour classes share.
#pragma once
#include <bit>
#include <cstdint>
#include <memory>

#include "GP_Behaviour.h"
#include "GP_BehaviourHost.h"
#include "GP_GameObject.h"

class CGP_GameBehaviour : public CGP_Behaviour {
public:
    explicit CGP_GameBehaviour(CGP_BehaviourHost* owner) : owner(owner) {}

    // The first object the object can hit (its kind's hit group holds the other's kind) that overlaps it with a
    // non-empty intersection, searched in the grid cells under it; null without a play field.
    CGP_GameObject* FindHitObject(CGP_GameObject* object);
    // Accelerate vx (vy) toward targetX (targetY); false when within 1 pixel. The position is not moved.
    bool ApproachX(CGP_GameObject* object, float timeStep);
    bool ApproachY(CGP_GameObject* object, float timeStep);
    static float BrakingDistanceX(CGP_GameObject* object);
    static float BrakingDistanceY(CGP_GameObject* object);
    // Plays the sound of the object's sprite state, if it names one.
    void PlayStateSound(CGP_GameObject* object, int spriteState);
    // A boss fight starts: weapon levels, slow motion and the weapon display back to their start, boss energy
    // set to count.
    void ResetForStage(std::int32_t count);
    // The object and what it overlaps hit each other; then whether the object lives on.
    void ExchangeHits(CGP_GameObject* object);

    CGP_BehaviourHost* owner = nullptr;

protected:
    // The object's block as Block, replaced by a zero-filled one when it has none or a block of another
    // behaviour that lacks Block's fields.
    template <class Block>
    static Block& EnsureBlock(CGP_GameObject* object)
    {
        if (auto* block = dynamic_cast<Block*>(object->stateBlock.get())) return *block;
        object->stateBlock = std::make_unique<Block>();
        return static_cast<Block&>(*object->stateBlock);
    }
    // The block that this behaviour's Attach made sure of.
    template <class Block>
    static Block& BlockOf(CGP_GameObject* object)
    {
        return static_cast<Block&>(*object->stateBlock);
    }
    static GP_BehaviourState& Common(CGP_GameObject* object) { return *object->stateBlock; }

    // The player's ship of the scene; null when there is none (nothing to aim at).
    CGP_GameObject* Player() const;
    GP_PlayState& Play() const { return owner->PlayState(); }

    // The current sprite state's frame count, 0 without one.
    static std::int32_t FrameCount(CGP_GameObject* object);
    static float StateRate(CGP_GameObject* object) { return object->GetStateSpeed(); }
    static int Width(CGP_GameObject* object) { return *object->GetWidth(); }
    static int Height(CGP_GameObject* object) { return *object->GetHeight(); }
    // frame = round(animPos), kept to the frame range.
    static void FrameFromPosition(CGP_GameObject* object);
    // animPos moves by rate·dt toward animEnd, then the frame follows it.
    static void AnimateTowardEnd(CGP_GameObject* object, float rate, float timeStep);
    // frame = round(heading·factor), wrapped into the frame range.
    static void HeadingToFrame(CGP_GameObject* object, float factor);
    // The angle from the object to the player in degrees; false when there is no player.
    bool AimAtPlayer(CGP_GameObject* object, float& angle) const;
    // The aim forms of the parts and flyers, from the absolute position: A with dy = ph + py - y + h/2, B with
    // dy = (h + ph)/2 + py - y; both dx = (w - pw)/2 + x - px. False when there is no player.
    bool AimFormA(CGP_GameObject* object, float& angle) const;
    bool AimFormB(CGP_GameObject* object, float& angle) const;
    // aux2 as the float some behaviours keep there (a rate or a factor).
    static float Aux2Float(CGP_GameObject* object) { return std::bit_cast<float>(Common(object).aux2); }
    static void SetAux2Float(CGP_GameObject* object, float value)
    {
        Common(object).aux2 = std::bit_cast<std::uint32_t>(value);
    }
    // -height < y < 480 and -width < x < 640.
    static bool OnScreen(CGP_GameObject* object);
    // The death spawn, then gone.
    static void RemoveOnDeath(CGP_GameObject* object, float timeStep);
    static void Remove(CGP_GameObject* object) { object->state = GP_StateGone; }
    // The definition's score value added to the score.
    void AddScore(CGP_GameObject* object);
    // The definition's header, which every attached object has.
    static const GP_SpriteHeader& Header(CGP_GameObject* object);
};

// The screen that the behaviours' rules measure against.
constexpr int GP_PlayWidth = 640;
constexpr int GP_PlayHeight = 480;
