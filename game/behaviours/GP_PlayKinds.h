// The object kinds, sprite IDs, object lists and texts that the behaviours compare against or use. Their
// meanings come from the game data; the behaviours only test for them.
#pragma once
#include <cstdint>

namespace gp_kinds {
constexpr std::uint32_t Enemy = 0x30000;
constexpr std::uint32_t ScoredTarget = 0x30008;  // shooting these scores
constexpr std::uint32_t MarchingEnemy = 0x30009;
constexpr std::uint32_t Obstacle = 0x3000D;
constexpr std::uint32_t SpecialShot = 0x30011;  // the special weapon's shots
}  // namespace gp_kinds

namespace gp_sprites {
constexpr std::uint32_t Player = 0x70004;
constexpr std::uint32_t PlayerPart = 0x7000F;
constexpr std::uint32_t Bottomless = 0x60015;
constexpr std::uint32_t SplittingShot = 0x90000;
constexpr std::uint32_t SplitBouncer = 0x90013;
}  // namespace gp_sprites

namespace gp_lists {
constexpr std::uint16_t Enemies = 0;
constexpr std::uint16_t Targets = 1;
constexpr std::uint16_t Divers = 9;
constexpr std::uint16_t SpecialShots = 17;
}  // namespace gp_lists

namespace gp_texts {
constexpr std::uint32_t SpecialKillBonus = 0x50040;
}  // namespace gp_texts
