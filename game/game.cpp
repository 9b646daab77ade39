#include "game/game.h"

#include "base/kinds.h"
#include "base/random.h"
#include "entities/destroyer_bullet.h"
#include "entities/laser.h"
#include "entities/missile.h"
#include "platform/virtual_keys.h"

#include <memory>

namespace {

// The front ends of the mounted weapons, where the player's shots start.
constexpr float kMissileStartDepth = -8.0f;
constexpr float kForwardGunStartDepth = -10.0f;

constexpr float kPlayCursorY = 0.3f;
constexpr float kQuitCursorY = -0.1f;

} // namespace

ShipControls shipControls(const CallInputs& inputs) {
    ShipControls controls;
    controls.left = inputs.keyDown(KeyLeft);
    controls.right = inputs.keyDown(KeyRight);
    controls.fire = inputs.keyDown(KeySpace);
    controls.weaponKeys[0] = inputs.keyDown(Key1);
    controls.weaponKeys[1] = inputs.keyDown(Key2);
    controls.weaponKeys[2] = inputs.keyDown(Key3);
    return controls;
}

CallOutcome Game::advance(const CallInputs& inputs) {
    seedRandom(static_cast<std::uint32_t>(inputs.seconds));
    sounds.clear();
    CallOutcome outcome;
    FramePicture& picture = outcome.picture;

    switch (gameState) {
    case GameState::Init:
        picture.screen = Screen::SetUp;
        gameState = GameState::Menu;
        break;
    case GameState::Menu:
        picture.screen = Screen::Menu;
        runMenuFrame(inputs);
        if (menuPlayChosen) {
            gameState = GameState::Playing;
        }
        // Quit wins when both were chosen.
        if (menuQuitChosen) {
            gameState = GameState::Quit;
        }
        break;
    case GameState::Quit:
        // The host ends at the next pass of its loop; until then every call asks again.
        outcome.quit = true;
        break;
    case GameState::Playing:
        playFrame(inputs, picture);
        break;
    }

    outcome.sounds.swap(sounds);
    return outcome;
}

void Game::runMenuFrame(const CallInputs& inputs) {
    // The marker is drawn where the selection stood before this frame's keys.
    menuCursorY = menuSelection == 0 ? kPlayCursorY : kQuitCursorY;
    const int selectionBefore = menuSelection;
    readMenuKeys(inputs);
    if (menuSelection != selectionBefore) {
        playSound(SoundEffect::MenuMove);
    }
    // Neither choice is ever set on entering the menu, so a set one was chosen in this frame.
    if (menuPlayChosen || menuQuitChosen) {
        playSound(SoundEffect::MenuConfirm);
    }
}

// The arrows move the selection once per press (each has to be released before it moves it
// again); Return and Space confirm with no latch.
void Game::readMenuKeys(const CallInputs& inputs) {
    // With two entries both arrows simply toggle the selection.
    if (inputs.keyDown(KeyUp) && menuUpArmed) {
        menuSelection = menuSelection == 0 ? 1 : menuSelection - 1;
        menuUpArmed = false;
    }
    if (inputs.keyDown(KeyDown) && menuDownArmed) {
        menuSelection = menuSelection == 1 ? 0 : menuSelection + 1;
        menuDownArmed = false;
    }
    const bool confirm = inputs.keyDown(KeyReturn) || inputs.keyDown(KeySpace);
    if (menuSelection == 0 && confirm) {
        menuPlayChosen = true;
    }
    if (menuSelection == 1 && confirm) {
        menuQuitChosen = true;
    }
    if (!inputs.keyDown(KeyUp)) {
        menuUpArmed = true;
    }
    if (!inputs.keyDown(KeyDown)) {
        menuDownArmed = true;
    }
}

void Game::playFrame(const CallInputs& inputs, FramePicture& picture) {
    // The radar shows where this frame's update left the enemies, and nothing without one.
    radarPoints.clear();
    // A paused or finished game keeps being drawn, but nothing in it moves or collides.
    if (!gameOver && !paused) {
        updatePhase(inputs);
    }
    removeFinishedExplosions();
    if (ship.getLives() < 1) {
        if (!gameOver) {
            playSound(SoundEffect::ShipExplosion);
            playSound(SoundEffect::GameOver);
        }
        gameOver = true;
    }
    // Here the frame is drawn.
    picture.screen = Screen::Play;
    picture.still = gameOver || paused;
    advanceDrawnAnimations(picture.still);
    endOfFrame(inputs, picture);
}

void Game::updatePhase(const CallInputs& inputs) {
    runLevelTimeline();
    advanceFrameCounter();
    const bool wasSwitching = ship.isSwitching();
    ship.update(shipControls(inputs));
    if (ship.isSwitching() && !wasSwitching) {
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
    if (!ship.isFireRequested()) {
        return;
    }
    const float angle = ship.getAngle();
    switch (ship.getCurrentWeapon()) {
    case kWeaponMissile:
        projectiles.pushFront(
            std::make_unique<Missile>(angle, Direction::Away, kMissileStartDepth, false));
        playSound(SoundEffect::MissileShot);
        break;
    case kWeaponDestroyer:
        projectiles.pushFront(std::make_unique<DestroyerBullet>(angle, Direction::Away,
                                                                kForwardGunStartDepth, false));
        playSound(SoundEffect::DestroyerShot);
        break;
    case kWeaponLaser:
        projectiles.pushFront(
            std::make_unique<Laser>(angle, Direction::Away, kForwardGunStartDepth, false));
        playSound(SoundEffect::LaserShot);
        break;
    default:
        break;
    }
}

void Game::fireEnemyShots() {
    for (auto& enemy : enemies) {
        if (enemy->isFiring()) {
            projectiles.pushFront(std::make_unique<Missile>(enemy->getAngle(), Direction::Toward,
                                                            enemy->getShotDepth(), true));
            playSound(SoundEffect::EnemyShot);
        }
    }
}

void Game::aimAtShip() {
    const float shipAngle = ship.getAngle();
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

void Game::advanceDrawnAnimations(bool still) {
    ship.advanceLook();
    // Explosions play on while the game is paused or over.
    for (auto& explosion : explosions) {
        explosion->advanceAnimation();
    }
    // Power-ups drift only in the frames that show them.
    if (still) {
        return;
    }
    for (auto& powerup : powerups) {
        powerup->drift();
    }
}
