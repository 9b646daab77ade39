#pragma once

#include "base/entity_list.h"
#include "base/radar_point.h"
#include "base/sound_effects.h"
#include "entities/enemy.h"
#include "entities/explosion.h"
#include "entities/player_ship.h"
#include "entities/powerup.h"
#include "entities/projectile.h"
#include "entities/splitter_group.h"
#include "game/call_inputs.h"
#include "game/frame_picture.h"
#include "game/game_state.h"

#include <vector>

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

// The "FINAL BOSS" banner shows in the frames of play just before the swarm is launched at 9000.
constexpr int kBannerAfter = 8700;
constexpr int kBannerBefore = 9000;

constexpr bool bannerShown(int frameCounter) {
    return frameCounter > kBannerAfter && frameCounter < kBannerBefore;
}

// What the pause overlay chose in this frame; cleared at the end of the frame.
enum class PauseChoice : int {
    NoChoice = 0,
    Restart = 1,
    BackToMenu = 2,
    QuitGame = 3,
};

// What one call of the step asks of its host besides the drawing.
struct CallOutcome {
    // What the call asked to be heard, in order.
    std::vector<SoundEffect> sounds;
    // The program should end (with status 0).
    bool quit = false;
    // What the drawing shows for this call.
    FramePicture picture;
};

// Everything the rules of the game hold, from the play field to the menu's latches. It copies by
// value: a copy is an independent twin that plays on exactly as the original would when handed
// the same inputs.
class Game {
  public:
    // One call of the frame function's rules: set-up, menu, quit request or a frame of play, by
    // the state, reading the keys and the calendar second only from `inputs`.
    CallOutcome advance(const CallInputs& inputs);

    GameState gameState = GameState::Init;

    PlayerShip ship;
    EntityList<Projectile> projectiles;
    EntityList<Enemy> enemies;
    EntityList<Explosion> explosions;
    EntityList<Powerup> powerups;
    // Where the enemies stood after this call's update: the radar's dots. Emptied at the start of
    // every frame of play, so a frame that updates nothing shows none.
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

    // What the running call has asked to be heard so far; `advance` hands it over in its outcome
    // and leaves it empty.
    std::vector<SoundEffect> sounds;

    // Back to the start of a game: empties the lists (but the running explosions), resets the
    // ship and the swarm, and rewinds the level.
    void fullReset();

    // The steps of a playing frame, in the groups they run in; tests drive them one at a time.

    // The level, played off the frame counter (level_timeline.cpp).
    void runLevelTimeline();
    void advanceFrameCounter();
    void dropPowerup(int type);

    // The update phase of a frame of play, and its shots, aim and radar (game.cpp).
    void updatePhase(const CallInputs& inputs);
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

    // What moves on where the frame is drawn, in drawing order: the ship's look, the explosions,
    // and the power-ups unless the game stands still (paused or over).
    void advanceDrawnAnimations(bool still);

    // Game over, pause and the overlay's choices (pause_and_restart.cpp). The picture learns
    // whether the overlay was up and, when the game is reset, how it was drawn.
    void endOfFrame(const CallInputs& inputs, FramePicture& picture);
    void soundPauseChange(bool wasPaused);

    void playSound(SoundEffect effect) { sounds.push_back(effect); }

  private:
    void runMenuFrame(const CallInputs& inputs);
    void readMenuKeys(const CallInputs& inputs);
    void playFrame(const CallInputs& inputs, FramePicture& picture);
    void readOverlayKeys(const CallInputs& inputs);
    void addWreckExplosion();
};

// The keys of the ship's controls among a call's inputs.
ShipControls shipControls(const CallInputs& inputs);
