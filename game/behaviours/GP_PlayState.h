// The play values that the behaviours share with the main frame and with each other: score, lives and level
// flags, the weapon levels, the timed bonuses and the fields only behaviours use (boss energy, special kills,
// the formations' shared march, the boss sequence, the dropper side and the launched object).
#pragma once
#include <cstdint>

class CGP_GameObject;

struct GP_PlayState {
    static constexpr int WeaponCount = 10;

    std::int32_t Score = 0;
    std::int32_t Lives = 0;
    std::uint8_t GameOver = 0;
    std::uint8_t MissionComplete = 0;
    std::int32_t WeaponCounts[WeaponCount] = {};
    std::uint8_t SlowMotion = 0;
    float SlowMotionTime = -1.0f;
    float MessageTime = 0;
    std::uint8_t ReserveShown = 0;
    std::uint8_t ShotFired = 0;
    std::uint8_t SpecialFired = 0;
    std::uint8_t LevelPose = 0;
    std::uint8_t FrameSharedDone = 0;
    std::uint8_t ShipReady = 0;   // the ship has entered the stage
    std::uint8_t HiddenMode = 0;  // ship losses cost nothing and weapons can be chosen

    std::int32_t BossEnergy = 15;
    std::int32_t SpecialKillsA = 0;
    std::int32_t SpecialKillsB = 0;
    std::int32_t FormationDirection = 1;
    float FormationSpeed = 0;
    std::uint8_t OptionOn = 0;
    float OptionTime = 0;
    std::uint8_t ShieldOn = 0;
    std::uint8_t RainOn = 0;
    float RainTime = 0;
    std::int32_t SequenceIndex = 0;
    std::int32_t SequenceStep = 1;
    std::uint8_t SideToggle = 0;
    std::uint8_t BouncerSplit = 0;
    CGP_GameObject* LaunchedObject = nullptr;  // not owned; cleared when a level starts or ends
};
