#include "tools/pilot/pilot.h"

#include "base/kinds.h"
#include "platform/virtual_keys.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <limits>
#include <vector>

namespace {

// The courses: angles of the field, from one wall to the other.
constexpr float kWall = 31.0f;

// Nearer than this the ship stops steering and lets the drift hold it.
constexpr float kNearEnough = 0.3f;

// What the pilot weighs, in one currency. A life outweighs anything the level offers within a
// plan's reach; a lost game outweighs all.
constexpr double kLostGame = 1.0e7;
constexpr double kLife = 1.0e4;
constexpr double kBossHitPoint = 40.0;
constexpr double kPoint = 4.0;
constexpr double kRing = 60.0;
constexpr double kSwarmHit = 150.0;
constexpr double kWeaponPickup = 3000.0;
constexpr double kWrench = 1500.0;
constexpr double kWrenchWhole = 300.0;
constexpr double kCourseLength = 2.0;
constexpr double kThreatAtEnd = 500.0;

// The hits the swarm still needs: the splits up to the sixteenth generation (the last of them
// also kills), then one a splitter.
int swarmHitsLeft(const SplitterGroup& group) {
    if (group.generation >= 16) {
        return group.remaining;
    }
    int splits = 0;
    for (int g = group.generation; g < 8; g *= 2) {
        ++splits;
    }
    return splits + 16;
}

int countKind(const Game& game, int kind) {
    int n = 0;
    for (const auto& enemy : game.enemies) {
        n += enemy->getKindId() == kind ? 1 : 0;
    }
    return n;
}

int bossHitPoints(const Game& game) {
    for (const auto& enemy : game.enemies) {
        if (enemy->getKindId() == kKindBoss) {
            return enemy->getHitPoints();
        }
    }
    return 0;
}

int countPowerups(const Game& game, int type) {
    int n = 0;
    for (const auto& powerup : game.powerups) {
        n += powerup->getType() == type ? 1 : 0;
    }
    return n;
}

// What is about to reach a ship that stays where the plan leaves it: shots and enemies closing
// in on its band inside its reach, which the next plan may have too little time to dodge.
double threatAtEnd(const Game& game) {
    const float ship = game.ship.getAngle();
    const float reach = game.ship.getHalfWidth();
    double threat = 0.0;
    const auto closing = [&](float depth, float angle, float halfWidth, float from) {
        return depth > from && depth < -7.5f && std::fabs(angle - ship) < reach + halfWidth + 1.0f;
    };
    for (const auto& shot : game.projectiles) {
        if (shot->isEnemyOwned() &&
            closing(shot->getDepth(), shot->getAngle(), shot->getHalfWidth(), -9.0f)) {
            threat += 1.0;
        }
    }
    for (const auto& enemy : game.enemies) {
        const float depth = enemy->getDepth();
        // A square or boss holding at its depth is no threat to the hull; a diving boss is.
        const bool diving = enemy->getKindId() == kKindBoss && depth > -11.5f;
        const bool flying = enemy->getKindId() <= kKindWedge2 || enemy->getKindId() == kKindRing;
        if ((flying || diving) && closing(depth, enemy->getAngle(), enemy->getHalfWidth(), -9.5f)) {
            threat += 1.0;
        }
    }
    for (const auto& splitter : game.splitterGroup.splitters) {
        if (closing(splitter->getDepth(), splitter->getAngle(), splitter->getHalfWidth(), -9.0f)) {
            threat += 1.0;
        }
    }
    return threat;
}

} // namespace

void holdKeys(ScriptedMachine& machine, const PilotKeys& keys) {
    machine.keys[KeyLeft] = keys.left;
    machine.keys[KeyRight] = keys.right;
    machine.keys[KeySpace] = keys.fire;
    machine.keys[Key1] = keys.weapon == kWeaponMissile;
    machine.keys[Key2] = keys.weapon == kWeaponDestroyer;
    machine.keys[Key3] = keys.weapon == kWeaponLaser;
}

void steerToward(float target, float shipAngle, PilotKeys& keys) {
    keys.left = target < shipAngle - kNearEnough;
    keys.right = target > shipAngle + kNearEnough;
}

int chooseWeapon(const Game& game) {
    const PlayerShip& ship = game.ship;
    if (game.weaponPrompt != 0) {
        return game.weaponPrompt;
    }
    if (countKind(game, kKindBoss) > 0) {
        return kWeaponMissile;
    }
    if (ship.getHighestWeapon() == kWeaponLaser) {
        return kWeaponLaser;
    }
    return ship.getCurrentWeapon();
}

Pilot::Pilot(PilotSettings settings) : settings_(settings) {}

PilotKeys Pilot::keysFor(const Game& game, const ScriptedMachine& machine) {
    const int weapon = chooseWeapon(game);
    if (!planned_ || callsSincePlan_ >= settings_.replanEvery) {
        plan(game, machine, weapon);
    }
    ++callsSincePlan_;
    PilotKeys keys;
    keys.fire = true;
    keys.weapon = weapon;
    steerToward(target_, game.ship.getAngle(), keys);
    return keys;
}

void Pilot::plan(const Game& game, const ScriptedMachine& machine, int weapon) {
    const float here = game.ship.getAngle();
    double best = -std::numeric_limits<double>::infinity();
    float bestTarget = here;
    // The course held so far comes first, so that among equals the pilot keeps to it.
    // Only the first course is foreseen on the calendar the game will see: each one after it is
    // played on from the call where the one before stopped. The whole-level scripts were flown
    // so, and flying them again must press the same keys; the calendar moves only the spawns'
    // random angles, which the courses meet alike.
    ScriptedMachine ahead = machine;
    std::vector<float> courses{planned_ ? target_ : here, here};
    for (float angle = -kWall; angle <= kWall + 0.01f; angle += settings_.courseSpacing) {
        courses.push_back(angle);
    }
    courses.push_back(kWall);
    for (const float course : courses) {
        const double value = playAhead(game, ahead, course, weapon);
        if (value > best) {
            best = value;
            bestTarget = course;
        }
    }
    target_ = bestTarget;
    planned_ = true;
    callsSincePlan_ = 0;
}

double Pilot::playAhead(const Game& game, ScriptedMachine& ahead, float target, int weapon) {
    forecast_ = game;
    Game& g = forecast_;
    const int first = ahead.call;
    const int bossBefore = bossHitPoints(g);
    const int scoreBefore = g.ship.getScore();
    const int swarmBefore = swarmHitsLeft(g.splitterGroup);
    const int powerupsBefore[4] = {0, countPowerups(g, 1), countPowerups(g, 2),
                                   countPowerups(g, 3)};
    const int livesAtStart = g.ship.getLives();

    double value = 0.0;
    int lives = livesAtStart;
    for (int k = 0; k < settings_.horizon; ++k) {
        PilotKeys keys;
        keys.fire = true;
        keys.weapon = weapon;
        steerToward(target, g.ship.getAngle(), keys);
        ahead.call = first + k;
        holdKeys(ahead, keys);
        g.advance(ahead.inputs());
        const int now = g.ship.getLives();
        if (now < lives) {
            // The sooner, the worse: a late loss may yet be dodged by a later plan.
            value -= kLife * (lives - now) * (2.0 - static_cast<double>(k) / settings_.horizon);
        }
        lives = now;
        if (g.gameOver || g.gameState != GameState::Playing) {
            return value - kLostGame * (2.0 - static_cast<double>(k) / settings_.horizon);
        }
    }
    if (g.ship.hitPending) {
        value -= kLife;
    }
    // A wrench taken at five lives is still one fewer left to drift by.
    for (int type = 1; type <= 3; ++type) {
        const int caught = powerupsBefore[type] - countPowerups(g, type);
        if (caught > 0) {
            value +=
                caught * (type == 1 ? (livesAtStart < 5 ? kWrench : kWrenchWhole) : kWeaponPickup);
        }
    }
    value += kBossHitPoint * (bossBefore - bossHitPoints(g));
    value += kPoint * (g.ship.getScore() - scoreBefore);
    value -= kRing * countKind(g, kKindRing);
    value += kSwarmHit * (swarmBefore - swarmHitsLeft(g.splitterGroup));
    value -= kThreatAtEnd * threatAtEnd(g);
    value -= kCourseLength * std::fabs(target - game.ship.getAngle());
    return value;
}
