// Who hits whom, and what it costs: the contact passes of an update frame, in their fixed order,
// then the removal of everything they and the updates flagged. The passes never look at `dead`:
// a shot already spent still hits the next enemy of the same pass, and an enemy already destroyed
// can be hit (and scored) again. Objects a pass creates go in at the front of their lists and so
// are not visited by it.
#include "base/kinds.h"
#include "entities/splitter_enemy.h"
#include "game/contact.h"
#include "game/game.h"

#include <memory>

namespace {

bool shotHits(const Projectile& shot, float angle, float halfWidth, float depth, float halfDepth) {
    return shot.isHitEnabled() &&
           overlaps(shot.getAngle(), shot.getHalfWidth(), angle, halfWidth) &&
           overlaps(shot.getDepth(), shot.getHalfDepth(), depth, halfDepth) && !shot.isEnemyOwned();
}

// A missile or bullet is spent by its hit; a laser beam goes on through everything it meets.
void spendShot(Projectile& shot) {
    if (shot.getWeaponType() != kWeaponLaser) {
        shot.dead = true;
    }
}

} // namespace

void Game::addExplosion(float depth, float angle) {
    explosions.pushFront(std::make_unique<Explosion>(depth, angle));
}

void Game::hitShip() {
    if (!ship.hitPending) {
        playSound(SoundEffect::ShipHit);
    }
    ship.hitPending = true;
}

void Game::soundDamage(bool destroyed) {
    playSound(destroyed ? SoundEffect::EnemyExplosion : SoundEffect::EnemyHit);
}

void Game::runCollisions() {
    enemiesAgainstShip();
    enemiesAgainstShots();
    splittersAgainstShip();
    splittersAgainstShots();
    enemyShotsAgainstShip();
    powerupsAgainstShip();
}

void Game::enemiesAgainstShip() {
    for (auto& enemy : enemies) {
        if (touchesShip(ship.getAngle(), ship.getHalfWidth(), enemy->getAngle(),
                        enemy->getHalfWidth(), enemy->getDepth())) {
            addExplosion(enemy->getDepth(), enemy->getAngle());
            hitShip();
            // Ramming scores nothing; an enemy that survives it rams again next frame.
            enemy->dead = enemy->takeDamage(1);
            soundDamage(enemy->dead);
        }
    }
}

void Game::enemiesAgainstShots() {
    for (auto& enemy : enemies) {
        for (auto& shot : projectiles) {
            if (!shotHits(*shot, enemy->getAngle(), enemy->getHalfWidth(), enemy->getDepth(),
                          enemy->getHalfDepth())) {
                continue;
            }
            addExplosion(static_cast<float>(enemy->getDepth() + enemy->getHalfDepth() / 2.0),
                         shot->getAngle());
            enemy->dead = enemy->takeDamage(shot->getDamage());
            soundDamage(enemy->dead);
            if (enemy->dead) {
                ship.addKillScore(enemy->getKindId());
            }
            spendShot(*shot);
        }
    }
}

void Game::splittersAgainstShip() {
    for (auto& splitter : splitterGroup.splitters) {
        if (touchesShip(ship.getAngle(), ship.getHalfWidth(), splitter->getAngle(),
                        splitter->getHalfWidth(), splitter->getDepth())) {
            addExplosion(splitter->getDepth(), splitter->getAngle());
            hitShip();
            splitSwarm();
            if (splitterGroup.generation >= kSwarmGeneration) {
                splitter->dead = splitter->takeDamage(1);
                soundDamage(splitter->dead);
            }
        }
    }
}

void Game::splittersAgainstShots() {
    for (auto& splitter : splitterGroup.splitters) {
        for (auto& shot : projectiles) {
            if (!shotHits(*shot, splitter->getAngle(), splitter->getHalfWidth(),
                          splitter->getDepth(), splitter->getHalfDepth())) {
                continue;
            }
            addExplosion(splitter->getDepth(), splitter->getAngle());
            splitSwarm();
            if (splitterGroup.generation >= kSwarmGeneration) {
                splitter->dead = splitter->takeDamage(shot->getDamage());
                soundDamage(splitter->dead);
            }
            spendShot(*shot);
        }
    }
}

void Game::splitSwarm() {
    const std::size_t before = splitterGroup.splitters.size();
    splitterGroup.split();
    // Once every splitter is down to its last hit point a hit splits nothing any more.
    if (splitterGroup.splitters.size() != before) {
        playSound(SoundEffect::SwarmSplit);
    }
}

void Game::enemyShotsAgainstShip() {
    for (auto& shot : projectiles) {
        if (overlaps(shot->getAngle(), shot->getHalfWidth(), ship.getAngle(),
                     ship.getHalfWidth()) &&
            inShipBand(shot->getDepth()) && shot->isEnemyOwned()) {
            addExplosion(shot->getDepth(), shot->getAngle());
            hitShip();
            spendShot(*shot);
        }
    }
}

void Game::powerupsAgainstShip() {
    for (auto it = powerups.begin(); it != powerups.end();) {
        const Powerup& powerup = **it;
        if (!overlaps(powerup.getAngle(), powerup.getHalfWidth(), ship.getAngle(),
                      ship.getHalfWidth()) ||
            !inShipBand(powerup.getDepth())) {
            ++it;
            continue;
        }
        switch (powerup.getType()) {
        case kPowerupWrench:
            ship.repair();
            break;
        case kPowerupDestroyer:
            ship.gotWeapon2 = true;
            break;
        case kPowerupLaser:
            ship.gotWeapon3 = true;
            break;
        default:
            break;
        }
        playSound(SoundEffect::Pickup);
        // A caught pickup is gone at once, unlike everything else that is hit.
        it = powerups.remove(it);
    }
}

void Game::removeDead() {
    for (auto it = enemies.begin(); it != enemies.end();) {
        if (!(*it)->dead) {
            ++it;
            continue;
        }
        if ((*it)->getKindId() == kKindBoss) {
            // The level's clock runs on, and the boss bar goes in this very frame.
            bossDefeated = true;
            bossHitPoints = 0;
            playSound(SoundEffect::BossDestroyed);
        }
        it = enemies.remove(it);
    }
    auto& splitters = splitterGroup.splitters;
    for (auto it = splitters.begin(); it != splitters.end();) {
        if (!(*it)->dead) {
            ++it;
            continue;
        }
        it = splitters.remove(it);
        --splitterGroup.remaining;
        if (splitterGroup.remaining == 0) {
            endlessSpawning = true;
        }
    }
    for (auto it = projectiles.begin(); it != projectiles.end();) {
        it = (*it)->dead ? projectiles.remove(it) : std::next(it);
    }
}

void Game::removeFinishedExplosions() {
    for (auto it = explosions.begin(); it != explosions.end();) {
        it = (*it)->isFinished() ? explosions.remove(it) : std::next(it);
    }
}
