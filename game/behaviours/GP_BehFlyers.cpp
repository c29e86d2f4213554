// Loopers, circlers and droppers: set figures, then an attack or a flight aside.
#include "GP_BehFlyers.h"

#include "GP_Math.h"
#include "GP_SpriteDef.h"

namespace {
constexpr std::int32_t SpriteFlying = 1;
constexpr float CircleFrameFactor = -0.0888889f;
constexpr float Middle = 320;
constexpr float SmallRadius = 40;
constexpr float BigRadius = 80;
constexpr float CirclerRadius = 100;
constexpr float SmallLoopRate = 1.4323945f;  // degrees per ms for each pixel per ms on the small loop
constexpr float BigLoopRate = 0.71619725f;
constexpr float CirclerRate = 0.57295775f;
constexpr float RunLength = 100;
constexpr float StraightDown = 90;  // the aim when there is no player

bool Right(CGP_GameObject* object) { return object->stateBlock->aux == GP_SideRight; }
}  // namespace

void CGP_FlyerBehaviour::PlaceOnCircle(CGP_GameObject* object, float radius)
{
    const GP_BehaviourState& block = Common(object);
    *object->x = GP_CosDeg(*object->heading) * radius + static_cast<float>(block.targetX);
    *object->y = static_cast<float>(block.targetY) - GP_SinDeg(*object->heading) * radius;
}

void CGP_FlyerBehaviour::CircleFrame(CGP_GameObject* object, float f)
{
    const std::int32_t count = FrameCount(object);
    if (count <= 0) return;
    std::int32_t frame = GP_Round(f * CircleFrameFactor) % count;
    if (frame < 0) frame += count;
    object->frameIndex = frame;
}

void CGP_FlyerBehaviour::Attack(CGP_GameObject* object, float speed)
{
    float angle = StraightDown;
    AimFormB(object, angle);
    *object->heading = angle;
    *object->vx = -GP_CosDeg(angle) * speed;
    *object->vy = GP_SinDeg(angle) * speed;
    CircleFrame(object, angle - 90);
    Common(object).state = GP_FlyerAttack;
    PlayStateSound(object, SpriteFlying);
}

void CGP_FlyerBehaviour::FlyOut(CGP_GameObject* object, float timeStep)
{
    *object->x += *object->vx * timeStep;
    *object->y += *object->vy * timeStep;
    ExchangeHits(object);
    const float x = *object->x;
    const float y = *object->y;
    if (y > GP_PlayHeight || y < -Height(object) || x > GP_PlayWidth || x < -Width(object)) Remove(object);
}

void CGP_FlyerBehaviour::Die(CGP_GameObject* object, float timeStep) { RemoveOnDeath(object, timeStep); }

CGP_LooperBehaviour::CGP_LooperBehaviour(CGP_BehaviourHost* owner) : CGP_FlyerBehaviour(owner)
{
    SetState(GP_FlyerStart, &CGP_LooperBehaviour::Start);
    SetState(GP_FlyerFirst, &CGP_LooperBehaviour::SmallLoop);
    SetState(GP_FlyerSecond, &CGP_LooperBehaviour::BigLoop);
    SetState(GP_FlyerRun, &CGP_LooperBehaviour::Run);
    SetState(GP_FlyerBack, &CGP_LooperBehaviour::LoopBack);
    SetState(GP_FlyerAttack, &CGP_LooperBehaviour::Fly);
    SetState(GP_FlyerDying, &CGP_LooperBehaviour::Die);
}

void CGP_LooperBehaviour::Start(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    object->state = SpriteFlying;
    object->visible = 1;
    block.state = GP_FlyerFirst;
    block.aux = *object->x >= Middle ? GP_SideRight : GP_SideLeft;
    const float offset = Right(object) ? SmallRadius : -SmallRadius;
    block.targetX = static_cast<std::int32_t>(*object->x + offset);
    *object->heading = Right(object) ? -180.0f : 360.0f;
    block.targetY = static_cast<std::int32_t>(*object->y);
    SetAux2Float(object, Header(object).speed * SmallLoopRate);
    object->EmitPrimary(timeStep, 0);
}

void CGP_LooperBehaviour::SmallLoop(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    const float turn = Aux2Float(object) * timeStep;
    const bool right = Right(object);
    *object->heading += right ? turn : -turn;
    PlaceOnCircle(object, SmallRadius);
    CircleFrame(object, right ? *object->heading + 180 : *object->heading);
    if (right ? *object->heading <= 0 : *object->heading >= 180) return;
    block.targetX = static_cast<std::int32_t>(*object->x + (right ? -BigRadius : BigRadius));
    block.state = GP_FlyerSecond;
    SetAux2Float(object, Header(object).speed * BigLoopRate);
}

void CGP_LooperBehaviour::BigLoop(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    const float turn = Aux2Float(object) * timeStep;
    const bool right = Right(object);
    *object->heading += right ? turn : -turn;
    PlaceOnCircle(object, BigRadius);
    CircleFrame(object, right ? *object->heading + 180 : *object->heading);
    if (right ? *object->heading <= 90 : *object->heading >= 90) return;
    block.targetX = static_cast<std::int32_t>(*object->x + BigRadius);
    block.state = GP_FlyerRun;
    block.animEnd = RunLength;
}

void CGP_LooperBehaviour::Run(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    const float step = Header(object).speed * timeStep;
    *object->x += Right(object) ? -step : step;
    block.animEnd -= step;
    if (block.animEnd >= 0) return;
    block.targetX = static_cast<std::int32_t>(*object->x);
    block.state = GP_FlyerBack;
}

void CGP_LooperBehaviour::LoopBack(CGP_GameObject* object, float timeStep)
{
    const float turn = Aux2Float(object) * timeStep;
    const bool right = Right(object);
    *object->heading += right ? turn : -turn;
    if (right ? *object->heading > 180 : *object->heading < 0) {
        Attack(object, AttackSpeed);
        return;
    }
    CircleFrame(object, right ? *object->heading + 180 : *object->heading);
    PlaceOnCircle(object, BigRadius);
}

void CGP_LooperBehaviour::Fly(CGP_GameObject* object, float timeStep) { FlyOut(object, timeStep); }

CGP_CirclerBehaviour::CGP_CirclerBehaviour(CGP_BehaviourHost* owner) : CGP_FlyerBehaviour(owner)
{
    SetState(GP_FlyerStart, &CGP_CirclerBehaviour::Start);
    SetState(GP_FlyerFirst, &CGP_CirclerBehaviour::Wait);
    SetState(GP_FlyerSecond, &CGP_CirclerBehaviour::Circle);
    SetState(GP_FlyerAttack, &CGP_CirclerBehaviour::Fly);
    SetState(GP_FlyerDying, &CGP_CirclerBehaviour::Die);
}

void CGP_CirclerBehaviour::Start(CGP_GameObject* object, float)
{
    Common(object).timer = static_cast<float>(*object->startDelay);
    Common(object).state = GP_FlyerFirst;
}

void CGP_CirclerBehaviour::Wait(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    block.timer -= timeStep;
    if (block.timer >= 0) return;
    block.state = GP_FlyerSecond;
    object->state = SpriteFlying;
    object->visible = 1;
    block.aux = Play().SideToggle ? GP_SideRight : GP_SideLeft;
    const bool right = Right(object);
    block.targetX = static_cast<std::int32_t>(*object->x + (right ? CirclerRadius : -CirclerRadius));
    *object->heading = right ? 180.0f : 0.0f;
    block.targetY = static_cast<std::int32_t>(*object->y);
    SetAux2Float(object, Header(object).speed * CirclerRate);
}

void CGP_CirclerBehaviour::Circle(CGP_GameObject* object, float timeStep)
{
    const float turn = Aux2Float(object) * timeStep;
    if (Right(object)) {
        *object->heading -= turn;
        if (*object->heading >= 0) {
            PlaceOnCircle(object, CirclerRadius);
            CircleFrame(object, *object->heading);
            return;
        }
    } else {
        *object->heading += turn;
        if (*object->heading <= 180) {
            PlaceOnCircle(object, CirclerRadius);
            CircleFrame(object, *object->heading + 180);
            return;
        }
    }
    Attack(object, Header(object).speed);
}

void CGP_CirclerBehaviour::Fly(CGP_GameObject* object, float timeStep) { FlyOut(object, timeStep); }

CGP_DropperBehaviour::CGP_DropperBehaviour(CGP_BehaviourHost* owner) : CGP_FlyerBehaviour(owner)
{
    SetState(GP_FlyerStart, &CGP_DropperBehaviour::Start);
    SetState(GP_FlyerFirst, &CGP_DropperBehaviour::Carried);
    SetState(GP_FlyerAttack, &CGP_DropperBehaviour::DropDown);
    SetState(GP_FlyerBack, &CGP_DropperBehaviour::FlyAside);
    SetState(GP_FlyerDying, &CGP_DropperBehaviour::Die);
}

void CGP_DropperBehaviour::Animate(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    block.animPos += StateRate(object) * timeStep;
    if (block.animPos > block.animEnd) block.animPos = block.animEnd > 0 ? block.animPos - block.animEnd : 0;
    FrameFromPosition(object);
}

void CGP_DropperBehaviour::Start(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    object->state = SpriteFlying;
    block.animPos = 0;
    block.state = GP_FlyerFirst;
    object->visible = 1;
    block.animEnd = static_cast<float>(FrameCount(object) - 1);
    GP_PlayState& play = Play();
    play.SideToggle = !play.SideToggle;
    block.aux = play.SideToggle ? GP_SideRight : GP_SideLeft;  // flies aside to the left when set
    Animate(object, timeStep);
}

void CGP_DropperBehaviour::Carried(CGP_GameObject* object, float timeStep) { Animate(object, timeStep); }

void CGP_DropperBehaviour::DropDown(CGP_GameObject* object, float timeStep)
{
    Animate(object, timeStep);
    *object->y += Header(object).speed * timeStep;
    CGP_GameObject* player = Player();
    const float playerY = player ? *player->y : static_cast<float>(GP_PlayHeight);
    if (*object->y > playerY) Common(object).state = GP_FlyerBack;
    ExchangeHits(object);
}

void CGP_DropperBehaviour::FlyAside(CGP_GameObject* object, float timeStep)
{
    Animate(object, timeStep);
    const float step = Header(object).speed * timeStep;
    *object->x += Right(object) ? -step : step;
    ExchangeHits(object);
    if (*object->x <= -Width(object) || *object->x >= GP_PlayWidth) Remove(object);
}
