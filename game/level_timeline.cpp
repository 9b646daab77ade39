// The one level: a script over the frame counter. Each kind spawns on its period inside its open
// windows of frames (or always, once the swarm is destroyed); fixed frames drop pickups, change
// the periods, show the weapon prompts, bring the boss and launch the swarm.
#include "base/kinds.h"
#include "entities/boss_enemy.h"
#include "entities/ring_enemy.h"
#include "entities/square_enemy.h"
#include "entities/wedge_enemy.h"
#include "game/game.h"

#include <memory>

namespace {

constexpr int kBossFrame = 6800;
constexpr int kSwarmFrame = 9000;

bool multipleOf(int frame, int period) {
    return period > 0 && frame % period == 0;
}

// Open at both ends.
bool between(int frame, int after, int before) {
    return frame > after && frame < before;
}

} // namespace

void Game::runLevelTimeline() {
    const int c = frameCounter;
    SpawnIntervals& p = spawnIntervals;
    const bool endless = endlessSpawning;
    const bool mixedPhase = between(c, 5250, 6500);

    if (multipleOf(c, p.wedge0) && (c < 3650 || mixedPhase || endless)) {
        enemies.pushFront(std::make_unique<WedgeEnemy>(0));
    }
    if (multipleOf(c, p.wedge1) && (between(c, 1000, 3700) || mixedPhase || endless)) {
        enemies.pushFront(std::make_unique<WedgeEnemy>(1));
    }
    if (multipleOf(c, p.wedge2) && (between(c, 2000, 3750) || mixedPhase || endless)) {
        enemies.pushFront(std::make_unique<WedgeEnemy>(2));
    }
    if (multipleOf(c, p.square) && (between(c, 3000, 3650) || between(c, 3900, 5000) || endless)) {
        enemies.pushFront(std::make_unique<SquareEnemy>());
    }
    if (c == kBossFrame) {
        enemies.pushFront(std::make_unique<BossEnemy>());
    }
    if (multipleOf(c, p.ring) && (between(c, 7300, 8700) || endless)) {
        enemies.pushFront(std::make_unique<RingEnemy>());
    }

    // The prompts name the weapon to switch to.
    weaponPrompt = between(c, 3750, 3900)   ? kWeaponMissile
                   : between(c, 5000, 5250) ? kWeaponDestroyer
                                            : 0;

    // The spawn tests above have already used this frame's periods: changes count from the p.
    if (c == 3500) {
        dropPowerup(kPowerupDestroyer);
        p.wedge0 -= 20;
    }
    if (c == 7000) {
        dropPowerup(kPowerupLaser);
    }
    if (c == 6600 || c == 6875 || c == 8800) {
        dropPowerup(kPowerupWrench);
    }
    if (c == 3600) {
        p.wedge1 -= 25;
        p.wedge2 -= 30;
        p.square -= 60;
    }
    if (c == 5100) {
        p.wedge0 = 75;
        p.wedge1 = 100;
        p.wedge2 = 125;
    }
    if (c == 3750) {
        p.square = 85;
    }
    if (c == kSwarmFrame) {
        splitterGroup.launchPending = true;
    }
    if (c == 10000) {
        p.wedge0 -= 10;
        p.wedge1 -= 10;
        p.wedge2 -= 10;
        p.square -= 10;
        p.ring -= 10;
    }
}

void Game::advanceFrameCounter() {
    // The clock holds just past the boss's frame for as long as the boss lives.
    if (frameCounter <= kBossFrame || bossDefeated) {
        ++frameCounter;
    }
}

void Game::dropPowerup(int type) {
    powerups.pushFront(std::make_unique<Powerup>(type));
}
