// The end of every playing frame: the burning wreck after the last life, the Escape toggle, the
// overlay and what it chose, and the reset that starts a new game.
#include "base/play_field.h"
#include "base/random.h"
#include "game/game.h"
#include "platform/virtual_keys.h"

#include <memory>

namespace {

// While the game is over the frame counter only keeps time: the wreck bursts every 60 frames.
constexpr int kWreckBurstPeriod = 60;

} // namespace

void Game::addWreckExplosion() {
    const int width = static_cast<int>(ship.getHalfWidth());
    // The first two values go unused; the burst lands from 11 degrees left to 10 right of the ship.
    nextRandom();
    nextRandom();
    const int r = nextRandom() % (2 * width);
    addExplosion(kShipDepth, static_cast<float>(r) - ship.getHalfWidth() + ship.getAngle());
}

void Game::endOfFrame(const CallInputs& inputs, FramePicture& picture) {
    const bool wasPaused = paused;
    if (gameOver) {
        ++frameCounter;
        if (frameCounter % kWreckBurstPeriod == 0) {
            addWreckExplosion();
        }
    }
    // A toggle needs a fresh press: the latch holds until Escape is let go.
    const bool escape = inputs.keyDown(KeyEscape);
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
        // The overlay is drawn over the frame; a finished game cannot be returned to.
        picture.overlay = true;
        picture.overlayOffersReturn = !gameOver;
        readOverlayKeys(inputs);
    }
    soundPauseChange(wasPaused);
    if (pauseChoice == PauseChoice::Restart || pauseChoice == PauseChoice::BackToMenu) {
        // The frame shows the game it was drawn from, not the new one.
        picture.gameAsDrawn = std::make_shared<const Game>(*this);
        fullReset();
    }
    if (pauseChoice == PauseChoice::BackToMenu) {
        menuPlayChosen = false;
        gameState = GameState::Menu;
    }
    if (pauseChoice == PauseChoice::QuitGame) {
        gameState = GameState::Quit;
    }
    pauseChoice = PauseChoice::NoChoice;
}

// F2, F3 and F4: each key that is down overwrites the choice (F4 over F3 over F2) and unpauses.
// Escape is not handled here.
void Game::readOverlayKeys(const CallInputs& inputs) {
    const bool f2 = inputs.keyDown(KeyF2);
    const bool f3 = inputs.keyDown(KeyF3);
    const bool f4 = inputs.keyDown(KeyF4);
    if (f2) {
        pauseChoice = PauseChoice::Restart;
    }
    if (f3) {
        pauseChoice = PauseChoice::BackToMenu;
    }
    if (f4) {
        pauseChoice = PauseChoice::QuitGame;
    }
    if (f2 || f3 || f4) {
        paused = false;
    }
}

void Game::soundPauseChange(bool wasPaused) {
    if (pauseChoice != PauseChoice::NoChoice) {
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
    ship.reset();
    splitterGroup.reset();
    gameOver = false;
    frameCounter = 0;
    spawnIntervals = SpawnIntervals{};
    spawnIntervals.ring = kLaterGamesRingInterval;
    bossHitPoints = 0;
    bossDefeated = false;
    endlessSpawning = false;
}
