#pragma once

#include "game/game_state.h"
#include "game/game_textures.h"

#include <cstdint>

// The spawn periods of the level, in frames.
struct SpawnIntervals {
    int wedge0 = 120;
    int wedge1 = 220;
    int wedge2 = 280;
    int square = 340;
    int ring = 90;
};

// Everything the game holds, from the images to the menu's latches. One call of `step` is one
// call of the frame function: the shell calls it once per pass of its loop, the replay tool once
// per scripted call, and a test on a fresh object of its own.
class Game {
  public:
    // One frame: set-up, menu, quit request or play, by the state; then the buffers are swapped
    // and the call lasts at least 10 ms from its start. The first call loads the images.
    void step();

    GameState gameState = GameState::Init;
    GameTextures textures{};
    bool texturesLoaded = false;

    int frameCounter = 0;
    SpawnIntervals spawnIntervals;
    int weaponPrompt = 0;
    int bossHitPoints = 0;
    bool bossDefeated = false;
    bool endlessSpawning = false;
    bool gameOver = false;
    bool paused = false;
    // Starts set: an Escape held since before the first game must be released before it pauses.
    bool escapeLatch = true;
    int pauseChoice = None;

    bool menuPlayChosen = false;
    bool menuQuitChosen = false;
    float menuCursorY = 0.4f;
    int menuSelection = 0;
    bool menuUpArmed = false;
    bool menuDownArmed = false;

  private:
    void playFrame();
};

// Every frame lasts at least this long; the game counts frames, so this caps its speed.
constexpr std::uint32_t kFramePeriodMs = 10;
