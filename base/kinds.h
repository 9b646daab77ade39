#pragma once

// The numbers that tell the game's objects apart. They stay plain ints: the rules compare and
// score them as numbers, and the replay trace prints them.

// Enemy kinds (`Enemy::getKindId`): the wedge's sub-kinds 0, 1 and 2 are kinds 1, 2 and 3.
constexpr int kKindWedge0 = 1;
constexpr int kKindWedge1 = 2;
constexpr int kKindWedge2 = 3;
constexpr int kKindSquare = 4;
constexpr int kKindBoss = 5;
constexpr int kKindRing = 6;
constexpr int kKindSplitter = 7;

// Weapons, in the order the ship gets them: its current and highest weapon, and the type of the
// shots each fires.
constexpr int kWeaponMissile = 1;
constexpr int kWeaponDestroyer = 2;
constexpr int kWeaponLaser = 3;

// Power-ups (`Powerup::getType`): a repair, and the second and third weapons.
constexpr int kPowerupWrench = 1;
constexpr int kPowerupDestroyer = 2;
constexpr int kPowerupLaser = 3;
