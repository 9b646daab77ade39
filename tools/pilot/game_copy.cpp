#include "tools/pilot/game_copy.h"

#include "base/kinds.h"
#include "base/random.h"
#include "entities/boss_enemy.h"
#include "entities/destroyer_bullet.h"
#include "entities/laser.h"
#include "entities/missile.h"
#include "entities/ring_enemy.h"
#include "entities/square_enemy.h"
#include "entities/wedge_enemy.h"
#include "game/game.h"
#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// The kinds are told apart as the game does, by their numbers; each is copied whole.
std::unique_ptr<Enemy> copyEnemy(const Enemy& enemy) {
    switch (enemy.getKindId()) {
    case kKindWedge0:
    case kKindWedge1:
    case kKindWedge2:
        return std::make_unique<WedgeEnemy>(static_cast<const WedgeEnemy&>(enemy));
    case kKindSquare:
        return std::make_unique<SquareEnemy>(static_cast<const SquareEnemy&>(enemy));
    case kKindBoss:
        return std::make_unique<BossEnemy>(static_cast<const BossEnemy&>(enemy));
    case kKindRing:
        return std::make_unique<RingEnemy>(static_cast<const RingEnemy&>(enemy));
    default:
        // A kind the copy does not know would make every forecast wrong without a word.
        std::fprintf(stderr, "copyGame: an enemy of unknown kind %d\n", enemy.getKindId());
        std::abort();
    }
}

std::unique_ptr<Projectile> copyProjectile(const Projectile& shot) {
    switch (shot.getWeaponType()) {
    case kWeaponMissile:
        return std::make_unique<Missile>(static_cast<const Missile&>(shot));
    case kWeaponDestroyer:
        return std::make_unique<DestroyerBullet>(static_cast<const DestroyerBullet&>(shot));
    case kWeaponLaser:
        return std::make_unique<Laser>(static_cast<const Laser&>(shot));
    default:
        std::fprintf(stderr, "copyGame: a shot of unknown type %d\n", shot.getWeaponType());
        std::abort();
    }
}

// Lists are copied back to front so that pushing at the front keeps their order.
template <typename T, typename Copy>
void copyList(const EntityList<T>& from, EntityList<T>& into, Copy copy) {
    into.clear();
    std::vector<const T*> objects;
    objects.reserve(from.size());
    for (const auto& object : from) {
        objects.push_back(object.get());
    }
    for (auto at = objects.rbegin(); at != objects.rend(); ++at) {
        into.pushFront(copy(**at));
    }
}

} // namespace

void copyGame(const Game& from, Game& into) {
    into.gameState = from.gameState;
    into.textures = from.textures;
    into.texturesLoaded = from.texturesLoaded;
    if (from.ship) {
        into.ship.emplace(*from.ship);
    } else {
        into.ship.reset();
    }
    copyList(from.projectiles, into.projectiles, copyProjectile);
    copyList(from.enemies, into.enemies, copyEnemy);
    copyList(from.explosions, into.explosions,
             [](const Explosion& explosion) { return std::make_unique<Explosion>(explosion); });
    copyList(from.powerups, into.powerups,
             [](const Powerup& powerup) { return std::make_unique<Powerup>(powerup); });
    into.radarPoints.clear();

    const SplitterGroup& group = from.splitterGroup;
    into.splitterGroup.generation = group.generation;
    into.splitterGroup.launchPending = group.launchPending;
    into.splitterGroup.remaining = group.remaining;
    copyList(group.splitters, into.splitterGroup.splitters, [](const SplitterEnemy& splitter) {
        return std::make_unique<SplitterEnemy>(splitter);
    });

    into.frameCounter = from.frameCounter;
    into.spawnIntervals = from.spawnIntervals;
    into.weaponPrompt = from.weaponPrompt;
    into.bossHitPoints = from.bossHitPoints;
    into.bossDefeated = from.bossDefeated;
    into.endlessSpawning = from.endlessSpawning;
    into.gameOver = from.gameOver;
    into.paused = from.paused;
    into.escapeLatch = from.escapeLatch;
    into.pauseChoice = from.pauseChoice;
    into.menuPlayChosen = from.menuPlayChosen;
    into.menuQuitChosen = from.menuQuitChosen;
    into.menuCursorY = from.menuCursorY;
    into.menuSelection = from.menuSelection;
    into.menuUpArmed = from.menuUpArmed;
    into.menuDownArmed = from.menuDownArmed;
}

void stepUnseen(Game& game) {
    if (game.gameState != GameState::Playing || game.paused || game.gameOver) {
        game.step();
        return;
    }
    seedRandom(static_cast<std::uint32_t>(calendarSeconds()));
    // Game::updatePhase without its radar points (nothing here would ever draw and empty them)
    // and its weapon-switch sound; GameCopy.ACopyPlaysOnExactly... catches a step
    // that one gains and this one lacks.
    game.runLevelTimeline();
    game.advanceFrameCounter();
    game.ship->update();
    for (auto& projectile : game.projectiles) {
        projectile->update();
    }
    for (auto& enemy : game.enemies) {
        enemy->update();
    }
    game.splitterGroup.update();
    game.firePlayerShot();
    game.fireEnemyShots();
    game.aimAtShip();
    game.runCollisions();
    game.removeDead();
    if (game.ship->getLives() < 1) {
        game.gameOver = true;
    }
    game.ship->draw();
    if (!game.gameOver) {
        for (auto& powerup : game.powerups) {
            powerup->draw();
        }
    }
    game.endOfFrame();
}
