#include "game/game.h"

#include "base/kinds.h"
#include "base/random.h"
#include "entities/destroyer_bullet.h"
#include "entities/laser.h"
#include "entities/missile.h"
#include "platform/platform.h"
#include "render/final_boss_banner.h"
#include "render/gl.h"
#include "render/gl_state.h"
#include "render/hud.h"
#include "render/main_menu.h"
#include "render/weapon_prompt.h"

#include <memory>

namespace {

// The front ends of the mounted weapons, where the player's shots start.
constexpr float kMissileStartDepth = -8.0f;
constexpr float kForwardGunStartDepth = -10.0f;

// The "FINAL BOSS" banner shows in the frames just before the swarm is launched at 9000.
constexpr int kBannerAfter = 8700;
constexpr int kBannerBefore = 9000;

} // namespace

void Game::createObjects() {
    textures = loadGameTextures();
    texturesLoaded = true;
    const GameTextures& t = textures;
    ship.emplace(t.texShip1, t.texShip2, t.texShip3, t.texShip4, t.texShip5, t.texMissileLauncher,
                 t.texMeteorDestroyer, t.texLaserGun, t.texThrust1, t.texThrust2, t.texThrust3,
                 t.texThrust4);
}

void Game::step() {
    if (!texturesLoaded) {
        createObjects();
    }
    seedRandom(static_cast<std::uint32_t>(calendarSeconds()));
    const std::uint32_t frameStart = tickCount();

    switch (gameState) {
    case GameState::Init:
        initGlState();
        gameState = GameState::Menu;
        break;
    case GameState::Menu:
        runMenuFrame();
        if (menuPlayChosen) {
            gameState = GameState::Playing;
        }
        // Quit wins when both were chosen.
        if (menuQuitChosen) {
            gameState = GameState::Quit;
        }
        break;
    case GameState::Quit:
        // The shell ends at the next pass of its loop; until then every call asks again.
        postQuitMessage(0);
        break;
    case GameState::Playing:
        playFrame();
        break;
    }

    swapBuffers();
    // No catching up: a call that already took its 10 ms returns at once.
    waitSince(frameStart, kFramePeriodMs);
}

void Game::runMenuFrame() {
    const int selectionBefore = menuSelection;
    runMainMenu(textures.texMenu, menuQuitChosen, menuPlayChosen, menuCursorY, menuSelection,
                menuUpArmed, menuDownArmed);
    if (menuSelection != selectionBefore) {
        playSound(SoundEffect::MenuMove);
    }
    // Neither choice is ever set on entering the menu, so a set one was chosen in this frame.
    if (menuPlayChosen || menuQuitChosen) {
        playSound(SoundEffect::MenuConfirm);
    }
}

void Game::playFrame() {
    // A paused or finished game keeps drawing, but nothing in it moves or collides.
    if (!gameOver && !paused) {
        updatePhase();
    }
    removeFinishedExplosions();
    if (ship->getLives() < 1) {
        if (!gameOver) {
            playSound(SoundEffect::ShipExplosion);
            playSound(SoundEffect::GameOver);
        }
        gameOver = true;
    }
    drawPhase();
    endOfFrame();
}

void Game::updatePhase() {
    runLevelTimeline();
    advanceFrameCounter();
    const bool wasSwitching = ship->isSwitching();
    ship->update();
    if (ship->isSwitching() && !wasSwitching) {
        playSound(SoundEffect::WeaponSwitch);
    }
    for (auto& projectile : projectiles) {
        projectile->update();
    }
    for (auto& enemy : enemies) {
        enemy->update();
    }
    splitterGroup.update();
    // New shots are not updated in the frame they appear, but they do take part in its
    // collisions and are drawn.
    firePlayerShot();
    fireEnemyShots();
    aimAtShip();
    fillRadar();
    runCollisions();
    removeDead();
}

void Game::firePlayerShot() {
    if (!ship->isFireRequested()) {
        return;
    }
    const float angle = ship->getAngle();
    switch (ship->getCurrentWeapon()) {
    case kWeaponMissile:
        projectiles.pushFront(std::make_unique<Missile>(textures.texMissile, angle, Direction::Away,
                                                        kMissileStartDepth, false));
        playSound(SoundEffect::MissileShot);
        break;
    case kWeaponDestroyer:
        projectiles.pushFront(std::make_unique<DestroyerBullet>(
            textures.texDestroyerBullet, angle, Direction::Away, kForwardGunStartDepth, false));
        playSound(SoundEffect::DestroyerShot);
        break;
    case kWeaponLaser:
        projectiles.pushFront(std::make_unique<Laser>(textures.texLaser, angle, Direction::Away,
                                                      kForwardGunStartDepth, false));
        playSound(SoundEffect::LaserShot);
        break;
    default:
        break;
    }
}

void Game::fireEnemyShots() {
    for (auto& enemy : enemies) {
        if (enemy->isFiring()) {
            projectiles.pushFront(std::make_unique<Missile>(textures.texMissile, enemy->getAngle(),
                                                            Direction::Toward,
                                                            enemy->getShotDepth(), true));
            playSound(SoundEffect::EnemyShot);
        }
    }
}

void Game::aimAtShip() {
    const float shipAngle = ship->getAngle();
    for (auto& enemy : enemies) {
        enemy->setTargetAngle(shipAngle);
        if (enemy->getKindId() == kKindBoss) {
            bossHitPoints = enemy->getHitPoints();
        }
    }
    // A laser beam follows the ship sideways for as long as it lasts.
    for (auto& projectile : projectiles) {
        if (projectile->getWeaponType() == kWeaponLaser) {
            projectile->setAngle(shipAngle);
        }
    }
}

void Game::fillRadar() {
    for (const auto& enemy : enemies) {
        radarPoints.pushFront(
            std::make_unique<RadarPoint>(RadarPoint{enemy->getDepth(), enemy->getAngle()}));
    }
}

void Game::drawPhase() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const GameTextures& t = textures;
    drawHud(t.texBackground, t.texMissileLauncherSkeleton, t.texMeteorDestroyerSketch,
            t.texLaserSketch, ship->getHighestWeapon(), t.texUnavailable, t.texShipLife,
            ship->getLives(), ship->getScore(), radarPoints, bossHitPoints);
    ship->draw();
    for (auto& projectile : projectiles) {
        projectile->draw();
    }
    for (auto& enemy : enemies) {
        enemy->draw();
    }
    splitterGroup.draw();
    // Explosions animate as they are drawn, so they play on while the game is paused or over.
    for (auto& explosion : explosions) {
        explosion->draw();
    }
    if (gameOver || paused) {
        return;
    }
    // Power-ups drift as they are drawn: a paused game must not draw them.
    for (auto& powerup : powerups) {
        powerup->draw();
    }
    if (frameCounter > kBannerAfter && frameCounter < kBannerBefore) {
        drawFinalBossBanner();
    }
    if (weaponPrompt != 0) {
        drawWeaponPrompt(weaponPrompt);
    }
}
