#pragma once

#include "game/game.h"
#include "replay/script_feed.h"

// The keys a player holds through one call of play.
struct PilotKeys {
    bool left = false;
    bool right = false;
    bool fire = false;
    // The digit held down, 1 to 3, or 0 for none.
    int weapon = 0;
};

// How hard the pilot thinks: the more often and the further ahead, the better it flies and the
// longer it takes.
struct PilotSettings {
    // Calls between two plans; in between the ship keeps to the plan's course.
    int replanEvery = 2;
    // Calls each course is played ahead.
    int horizon = 72;
    // Degrees between the angles the courses steer to, from one wall to the other.
    float courseSpacing = 4.0f;
};

// Plays the level as a good player would. Every few calls it takes a copy of the game and plays
// each of a fan of courses ahead on it, with the game's own step (steer to an angle of the field
// and hold there, firing all the time, with the weapon of the moment), on the very clocks the game
// will see, so that what it foresees is what would happen: enemies, their shots, the boss's dives,
// the spawns to come, its own shots' hits. It takes the course that loses the fewest lives, and
// among those the one that does the level the most good (damage to the boss, kills, splits of the
// swarm, pickups caught), then the one nearest to where the ship is.
class Pilot {
  public:
    explicit Pilot(PilotSettings settings = {});

    // The keys for the call the machine is about to run on `game`, which must be playing.
    PilotKeys keysFor(const Game& game, const ScriptedMachine& machine);

    // Forgets the plan: the next call plans afresh (a new game, or one the pilot did not fly).
    void forget() { planned_ = false; }

    float target() const { return target_; }

  private:
    double playAhead(const Game& game, ScriptedMachine& ahead, float target, int weapon);
    void plan(const Game& game, const ScriptedMachine& machine, int weapon);

    PilotSettings settings_;
    bool planned_ = false;
    int callsSincePlan_ = 0;
    float target_ = 0.0f;
    Game forecast_;
};

// Holds the pilot's keys down on the machine, and every other key of play up.
void holdKeys(ScriptedMachine& machine, const PilotKeys& keys);

// The weapon the pilot wants: the one a prompt asks for, the missiles against the boss (three
// hit points a shot), the laser once it is had, else the one in hand.
int chooseWeapon(const Game& game);

// Left or right toward `target`, or neither when the ship is near enough (it then drifts
// toward the centre by less than one step).
void steerToward(float target, float shipAngle, PilotKeys& keys);
