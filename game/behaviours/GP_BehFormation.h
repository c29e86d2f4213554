// The enemies that march in a block: they join their row, share one direction and speed computed once a frame
// from all live members, bob in their row, step down after a number of reversals and kill the player when they
// reach the bottom line; sliding clones that move to their column, splitters that split into clones when shot,
// and divers that leave the block to dive at the player and come back.
#pragma once
#include <cstdint>

#include "GP_GameBehaviour.h"

struct GP_FormationState : GP_BehaviourState {
    std::int32_t anchorX = 0;  // absolute x at joining; a sliding clone's slide target offset
    std::int32_t rowY = 0;     // the row's base y
    std::int32_t depthAtJoin = 0;
    std::int32_t spare = 0;
    std::int32_t knownDirection = 0;  // FormationDirection when last seen
    std::int32_t dropCountdown = 0;   // reversals still to ignore
    float startY = 0;                 // the row never rises above it
    std::uint8_t scores = 0;
    std::uint8_t tallied = 0;
    std::uint8_t splits = 0;  // the splitter's: the kill splits it
};

// Where a diver's place in the block is while it dives.
struct GP_FormationSnapshot {
    float vx = 0;
    float x = 0;
    float vy = 0;
    float y = 0;
    std::int32_t frame = 0;
    std::int32_t state = 0;
};

struct GP_DiverState : GP_FormationState {
    std::int32_t diveWait = 0;
    std::int32_t baseFrame = 0;
    CGP_GameObject* target = nullptr;
    GP_FormationSnapshot snapshot;
    float framePos = 0;
};

// The scene parameters the formations read; defaults without a scene.
struct GP_FormationParameters {
    float speedFactor = 0.0005f;
    std::int32_t bottomLine = 0;
    std::int32_t dropDelay = 0;
    std::int32_t dropStep = 0;
};

enum GP_FormationBehaviourState : std::int32_t {
    GP_FormationWait = 0,
    GP_FormationJoin = 1,
    GP_FormationMarch = 2,
    GP_FormationDive = 3,
    GP_FormationDying = 4,
    GP_FormationBelow = 5,
    GP_FormationFallBack = 6,
    GP_FormationDrop = 7,
};

class CGP_FormationBehaviour : public CGP_GameBehaviour {
public:
    explicit CGP_FormationBehaviour(CGP_BehaviourHost* owner);

    void Attach(CGP_GameObject* object) override;
    // The base hit; the kill scores unless an obstacle or a scored target made it, and counts for the
    // special-kill bonus when a special shot made it.
    bool Hit(CGP_GameObject* object, CGP_GameObject* other) override;

protected:
    void Wait(CGP_GameObject* object, float timeStep);
    void Join(CGP_GameObject* object, float timeStep);
    void March(CGP_GameObject* object, float timeStep);
    void Drop(CGP_GameObject* object, float timeStep);
    void Die(CGP_GameObject* object, float timeStep);

    // The attach of every formation class with the block it needs.
    template <class Block>
    Block& AttachFormation(CGP_GameObject* object);
    // The kill's score and its special-kill tally.
    void ScoreKill(CGP_GameObject* object);
    GP_FormationParameters Parameters() const;
    // Direction and speed of every block, computed by the first member that marches in a frame.
    void ShareFormationSpeed(CGP_GameObject* object);
    static void AnimateInRow(CGP_GameObject* object, float timeStep);
};

class CGP_SlidingFormationBehaviour : public CGP_FormationBehaviour {
public:
    static constexpr float SlidePerMs = 0.1f;

    explicit CGP_SlidingFormationBehaviour(CGP_BehaviourHost* owner);

protected:
    void MarchAndSlide(CGP_GameObject* object, float timeStep);
    void DropAndSlide(CGP_GameObject* object, float timeStep);

private:
    static void Slide(CGP_GameObject* object, float timeStep);
};

class CGP_SplitterBehaviour : public CGP_FormationBehaviour {
public:
    static constexpr int SideReach = 60;
    static constexpr int RowReach = 40;

    explicit CGP_SplitterBehaviour(CGP_BehaviourHost* owner);

    void Attach(CGP_GameObject* object) override;
    // The formation's hit; the kill splits the member when the splitting shot made it.
    bool Hit(CGP_GameObject* object, CGP_GameObject* other) override;

protected:
    void DieAndSplit(CGP_GameObject* object, float timeStep);

private:
    enum Direction {
        None = 0,
        Up,
        Down,
        Left,
        Right
    };
    void Split(CGP_GameObject* object);
    bool IsTaken(int x, int y) const;
    void MakeClone(CGP_GameObject* object, const GP_SpawnEntry& entry, Direction direction);
};

class CGP_DiverBehaviour : public CGP_FormationBehaviour {
public:
    static constexpr std::int32_t FirstFrame = 24;
    static constexpr int FrameMask = 31;  // dive strips of 32 frames
    static constexpr float DiveSpeedY = 0.12f;
    static constexpr float BelowTime = 4000;

    explicit CGP_DiverBehaviour(CGP_BehaviourHost* owner);

    void Attach(CGP_GameObject* object) override;

protected:
    void JoinAndArm(CGP_GameObject* object, float timeStep);
    void MarchAndWait(CGP_GameObject* object, float timeStep);
    void Dive(CGP_GameObject* object, float timeStep);
    void StayBelow(CGP_GameObject* object, float timeStep);
    void FallBack(CGP_GameObject* object, float timeStep);
    void DropAndFace(CGP_GameObject* object, float timeStep);

private:
    void Face(CGP_GameObject* object, float timeStep);
    void StartDive(CGP_GameObject* object);
    // The block place moves on while the diver is away; false when the object was removed meanwhile.
    bool MoveSlot(CGP_GameObject* object, float timeStep);
    void FrameFromVelocity(CGP_GameObject* object);
    void FireAtPlayer(CGP_GameObject* object);
    // A frame of the dive strip: wrapped into the strip, low 5 bits, kept below the frame count.
    static std::int32_t StripFrame(CGP_GameObject* object, std::int32_t frame);
    bool PlayerAlive() const;
};
