#pragma once

#include "base/entity_list.h"
#include "base/radar_point.h"
#include "entities/enemy.h"
#include "entities/explosion.h"
#include "entities/player_ship.h"
#include "entities/powerup.h"
#include "entities/projectile.h"
#include "entities/splitter_group.h"
#include "game/game_state.h"
#include "game/game_textures.h"
#include "render/pause_overlay.h"

#include <cstdint>
#include <optional>

// The spawn periods of the level, in frames.
struct SpawnIntervals {
    int wedge0 = 120;
    int wedge1 = 220;
    int wedge2 = 280;
    int square = 340;
    int ring = 90;
};

// Only the first game after start-up has rings every 90 frames: every new game starts with the
// periods above but this one for the rings.
constexpr int kLaterGamesRingInterval = 120;

// Everything the game holds, from the images to the menu's latches. One call of `step` is one
// call of the frame function: the shell calls it once per pass of its loop, the replay tool once
// per scripted call, and a test on a fresh object of its own.
class Game {
  public:
    // One frame: set-up, menu, quit request or play, by the state; then the buffers are swapped
    // and the call lasts at least 10 ms from its start. The first call loads the images and makes
    // the ship.
    void step();

    GameState gameState = GameState::Init;
    GameTextures textures{};
    bool texturesLoaded = false;

    // Made on the first call, once its images are loaded.
    std::optional<PlayerShip> ship;
    EntityList<Projectile> projectiles;
    EntityList<Enemy> enemies;
    EntityList<Explosion> explosions;
    EntityList<Powerup> powerups;
    EntityList<RadarPoint> radarPoints;
    SplitterGroup splitterGroup;

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
    PauseChoice pauseChoice = PauseChoice::NoChoice;

    bool menuPlayChosen = false;
    bool menuQuitChosen = false;
    float menuCursorY = 0.4f;
    int menuSelection = 0;
    bool menuUpArmed = false;
    bool menuDownArmed = false;

    // Back to the start of a game: empties the lists (but the running explosions), resets the
    // ship and the swarm, and rewinds the level.
    void fullReset();

    // The steps of a playing frame, in the groups they run in; tests drive them one at a time.

    // The level, played off the frame counter (level_timeline.cpp).
    void runLevelTimeline();
    void advanceFrameCounter();
    void dropPowerup(int type);

    // Shots, aim and radar (game.cpp).
    void firePlayerShot();
    void fireEnemyShots();
    void aimAtShip();
    void fillRadar();

    // Contact and removal (collisions.cpp).
    void runCollisions();
    void enemiesAgainstShip();
    void enemiesAgainstShots();
    void splittersAgainstShip();
    void splittersAgainstShots();
    void enemyShotsAgainstShip();
    void powerupsAgainstShip();
    void removeDead();
    void removeFinishedExplosions();
    void addExplosion(float depth, float angle);
    // The ship is hit in this frame; it pays for it (once, however often it was hit) in the next.
    void hitShip();
    // The enemy or splitter under fire is destroyed or only hurt, and it sounds like it.
    void soundDamage(bool destroyed);
    void splitSwarm();

    // Game over, pause and the overlay's choices (pause_and_restart.cpp).
    void endOfFrame();
    void soundPauseChange(bool wasPaused);

  private:
    void createObjects();
    void runMenuFrame();
    void playFrame();
    void updatePhase();
    void drawPhase();
    void addWreckExplosion();
};

// Every frame lasts at least this long; the game counts frames, so this caps its speed.
constexpr std::uint32_t kFramePeriodMs = 10;
