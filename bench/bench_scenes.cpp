#include "bench/bench_scenes.h"

#include "base/random.h"
#include "entities/destroyer_bullet.h"
#include "entities/missile.h"
#include "entities/ring_enemy.h"
#include "entities/square_enemy.h"
#include "entities/wedge_enemy.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

namespace {

constexpr std::uint32_t kSceneSeed = 20260101;

// One frame past the boss's arrival: while the boss lives the level's clock stands here, and at
// this frame nothing spawns, so the field keeps what a benchmark put in it.
constexpr int kBossFightFrame = 6801;
// Just after the swarm's launch at 9000, with the boss long gone.
constexpr int kSwarmFrame = 9100;

constexpr float kShipStartDepth = -8.0f;
constexpr float kForwardGunDepth = -10.0f;
constexpr float kFieldFar = -20.0f;
// A battle's enemies come in as a wave, its front at -14; the ship's shots fly out to meet it and
// are still short of -11, so the two meet a few frames later.
constexpr float kWaveGap = -11.0f;

// A whole-degree angle across the field, -31 to 30, plus a fraction so that no two shots line up.
float randomAngle() {
    return static_cast<float>(nextRandom() % 62 - 31) +
           static_cast<float>(nextRandom() % 100) / 100.0f;
}

// An angle at least 12 degrees off the ship at 0, where an enemy shot cannot reach it.
float angleOffShip() {
    const float off = 12.0f + static_cast<float>(nextRandom() % 1900) / 100.0f;
    return (nextRandom() & 2) != 0 ? off : -off;
}

// A depth between `nearest` and `farthest` (both negative), in hundredths.
float randomDepth(float nearest, float farthest) {
    const int span = static_cast<int>((nearest - farthest) * 100.0f);
    return nearest - static_cast<float>(nextRandom() % span) / 100.0f;
}

// Enemies come in at the far end; their own updates carry them to where they are met.
template <typename Kind, typename... Args> void addAged(Game& game, int frames, Args... args) {
    auto enemy = std::make_unique<Kind>(args...);
    for (int i = 0; i < frames; ++i) {
        enemy->update();
    }
    game.enemies.pushFront(std::move(enemy));
}

// Each kind some way from the far end to the front of the wave at -14, by its speed.
void addEnemy(Game& game, int index) {
    switch (index % 5) {
    case 0:
        addAged<WedgeEnemy>(game, nextRandom() % 60, 0);
        break;
    case 1:
        addAged<WedgeEnemy>(game, nextRandom() % 33, 1);
        break;
    case 2:
        addAged<WedgeEnemy>(game, nextRandom() % 37, 2);
        break;
    case 3:
        addAged<SquareEnemy>(game, nextRandom() % 42);
        break;
    default:
        addAged<RingEnemy>(game, nextRandom() % 18);
        break;
    }
}

// Missiles and bullets in turn. No laser: the ship has at most one beam out at a time, and a beam
// that reaches across the whole field would empty a field of hundreds within a few frames.
void addPlayerShot(Game& game, int index) {
    const float angle = randomAngle();
    if (index % 2 == 0) {
        game.projectiles.pushFront(std::make_unique<Missile>(
            angle, Direction::Away, randomDepth(kShipStartDepth, kWaveGap), false));
    } else {
        game.projectiles.pushFront(std::make_unique<DestroyerBullet>(
            angle, Direction::Away, randomDepth(kForwardGunDepth, kWaveGap), false));
    }
}

void addEnemyShot(Game& game, float angle, float depth) {
    game.projectiles.pushFront(std::make_unique<Missile>(angle, Direction::Toward, depth, true));
}

} // namespace

void playFrame(Game& game, Renderer& renderer) {
    const CallOutcome outcome = game.advance(CallInputs{});
    renderer.drawFrame(game, outcome.picture);
}

void startPlaying(Game& game, Renderer& renderer) {
    playFrame(game, renderer);
    game.gameState = GameState::Playing;
    game.menuPlayChosen = true;
}

void clearField(Game& game) {
    game.enemies.clear();
    game.projectiles.clear();
    game.explosions.clear();
    game.powerups.clear();
    game.radarPoints.clear();
    game.splitterGroup.reset();
    game.frameCounter = kBossFightFrame;
    game.bossDefeated = false;
    game.bossHitPoints = 0;
    game.endlessSpawning = false;
    game.gameOver = false;
    game.paused = false;
    // A hit of the frame before would cost a life at the next update and flash the screen red.
    game.ship.hitPending = false;
    while (game.ship.getLives() < 5) {
        game.ship.repair();
    }
}

void fillBattle(Game& game, int enemyCount, int shotCount) {
    seedRandom(kSceneSeed);
    for (int i = 0; i < enemyCount; ++i) {
        addEnemy(game, i);
    }
    for (int i = 0; i < shotCount; ++i) {
        if (i % 2 == 0) {
            addPlayerShot(game, i / 2);
        } else {
            addEnemyShot(game, angleOffShip(), randomDepth(-0.5f, kFieldFar + 0.5f));
        }
    }
}

void fillSwarmScene(Game& game) {
    seedRandom(kSceneSeed);
    game.frameCounter = kSwarmFrame;
    game.bossDefeated = true;

    // The swarm as the player meets it: launched, drifting in, split by four hits some way apart.
    SplitterGroup& swarm = game.splitterGroup;
    swarm.launchPending = true;
    for (int i = 0; i < 150; ++i) {
        swarm.update();
    }
    for (int hit = 0; hit < 4; ++hit) {
        swarm.split();
        for (int i = 0; i < 40; ++i) {
            swarm.update();
        }
    }

    // The last wave's rings (one every 90 frames from 7300 to 8700) and squares nobody shot.
    for (int i = 0; i < 15; ++i) {
        addAged<RingEnemy>(game, 100 + nextRandom() % 400);
    }
    for (int i = 0; i < 3; ++i) {
        addAged<SquareEnemy>(game, 60 + nextRandom() % 300);
    }

    // A bullet every 16 frames flies 0.8 before the next: twelve are in the field at once.
    for (int i = 0; i < 12; ++i) {
        game.projectiles.pushFront(std::make_unique<DestroyerBullet>(
            randomAngle() / 3.0f, Direction::Away, kForwardGunDepth - 0.8f * static_cast<float>(i),
            false));
    }
    for (int i = 0; i < 8; ++i) {
        addEnemyShot(game, angleOffShip(), randomDepth(-1.0f, -13.0f));
    }

    game.dropPowerup(1);
    for (int i = 0; i < 20; ++i) {
        game.addExplosion(randomDepth(-5.0f, kFieldFar), randomAngle());
    }
}

void armShip(Game& game) {
    PlayerShip& ship = game.ship;
    // The weapon changes over in 78 frames.
    const auto runThroughChange = [&ship](const ShipControls& controls) {
        ship.update(controls);
        while (ship.isSwitching()) {
            ship.advanceLook();
        }
    };
    ship.gotWeapon3 = true;
    runThroughChange(ShipControls{});
    ShipControls secondWeapon;
    secondWeapon.weaponKeys[1] = true;
    runThroughChange(secondWeapon);
    // The score of a game that got this far: the boss and a few hundred wedges and squares.
    ship.addKillScore(5);
    for (int kind = 0; kind < 400; ++kind) {
        ship.addKillScore(kind % 4 + 1);
    }
}

int loadedImageCount(const Renderer& renderer) {
    static_assert(sizeof(GameTextures) == kGameTextureCount * sizeof(TextureId));
    std::array<TextureId, kGameTextureCount> ids{};
    std::memcpy(ids.data(), &renderer.textures(), sizeof ids);
    return static_cast<int>(
        std::count_if(ids.begin(), ids.end(), [](TextureId id) { return id != 0; }));
}
