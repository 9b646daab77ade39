#pragma once

// Every sound the game makes. The frame function names the moment (a shot fired, a pickup
// caught); the platform plays the effect, or records it, or does nothing. Each effect is one file,
// Data/Sounds/NAME.wav, painted like the images by a program of the project's own (art/sound/).
enum class SoundEffect : int {
    MissileShot,
    DestroyerShot,
    LaserShot,
    EnemyShot,
    EnemyHit,
    EnemyExplosion,
    ShipExplosion,
    ShipHit,
    Pickup,
    WeaponSwitch,
    BossDestroyed,
    SwarmSplit,
    MenuMove,
    MenuConfirm,
    Pause,
    Resume,
    GameOver,
};

constexpr int kSoundEffectCount = static_cast<int>(SoundEffect::GameOver) + 1;

// The file name of each effect without its extension, in the order of the enumeration.
constexpr const char* kSoundEffectNames[kSoundEffectCount] = {
    "missile_shot",    "destroyer_shot", "laser_shot", "enemy_shot",   "enemy_hit",
    "enemy_explosion", "ship_explosion", "ship_hit",   "pickup",       "weapon_switch",
    "boss_destroyed",  "swarm_split",    "menu_move",  "menu_confirm", "pause",
    "resume",          "game_over",
};

constexpr const char* soundEffectName(SoundEffect effect) {
    return kSoundEffectNames[static_cast<int>(effect)];
}

// Every effect is stored and mixed as 16-bit mono at this rate.
constexpr int kSoundSampleRate = 22050;
