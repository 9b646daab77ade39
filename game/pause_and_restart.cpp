// The end of every playing frame: the burning wreck after the last life, the Escape toggle, the
// overlay and what it chose, and the reset that starts a new game.
#include "game/game.h"
#include "game/random.h"
#include "render/pause_overlay.h"
#include "shell/platform.h"
#include "shell/virtual_keys.h"

namespace {

// While the game is over the frame counter only keeps time: the wreck bursts every 60 frames.
constexpr int kWreckBurstPeriod = 60;
constexpr float kShipDepth = -6.5f;

} // namespace

void Game::addWreckExplosion() {
    const int width = static_cast<int>(ship->getHalfWidth());
    // The first two values go unused; the burst lands from 11 degrees left to 10 right of the ship.
    nextRandom();
    nextRandom();
    const int r = nextRandom() % (2 * width);
    addExplosion(kShipDepth, static_cast<float>(r) - ship->getHalfWidth() + ship->getAngle());
}

void Game::endOfFrame() {
    const bool wasPaused = paused;
    if (gameOver) {
        ++frameCounter;
        if (frameCounter % kWreckBurstPeriod == 0) {
            addWreckExplosion();
        }
    }
    // A toggle needs a fresh press: the latch holds until Escape is let go.
    const bool escape = keyDown(VK_ESCAPE);
    if (escape && !escapeLatch) {
        paused = !paused;
        escapeLatch = true;
    }
    // A finished game can only be left through the overlay.
    if (gameOver) {
        paused = true;
    }
    if (!escape) {
        escapeLatch = false;
    }
    if (paused) {
        runPauseOverlay(pauseChoice, paused, gameOver);
    }
    soundPauseChange(wasPaused);
    if (pauseChoice == Restart || pauseChoice == BackToMenu) {
        fullReset();
    }
    if (pauseChoice == BackToMenu) {
        menuPlayChosen = false;
        gameState = GameState::Menu;
    }
    if (pauseChoice == QuitGame) {
        gameState = GameState::Quit;
    }
    pauseChoice = None;
}

void Game::soundPauseChange(bool wasPaused) {
    if (pauseChoice != None) {
        playSound(SoundEffect::MenuConfirm);
    } else if (paused && !wasPaused && !gameOver) {
        // A lost game pauses too, but the player hears it end instead.
        playSound(SoundEffect::Pause);
    } else if (!paused && wasPaused) {
        playSound(SoundEffect::Resume);
    }
}

void Game::fullReset() {
    enemies.clear();
    projectiles.clear();
    splitterGroup.splitters.clear();
    powerups.clear();
    ship->reset();
    splitterGroup.reset();
    gameOver = false;
    frameCounter = 0;
    spawnIntervals.wedge0 = 120;
    spawnIntervals.wedge1 = 220;
    spawnIntervals.wedge2 = 280;
    spawnIntervals.square = 340;
    bossHitPoints = 0;
    bossDefeated = false;
    // Only the first game after start-up has rings every 90 frames.
    spawnIntervals.ring = 120;
    endlessSpawning = false;
}
