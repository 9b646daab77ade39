#pragma once

#include <string>
#include <string_view>

// The lengths of the game's lists in one call of a trace.
struct ListLengths {
    int enemies = 0;
    int splitters = 0;
    int shots = 0;
    int explosions = 0;
    int powerups = 0;
};

// Reads a replay trace line by line, checks that it goes on as a sound game does (the calls
// counted from 0, no quit), and counts what the game went through.
class TraceTally {
  public:
    // False, with the reason in `error`, for a line that does not continue the trace soundly.
    bool read(std::string_view line, std::string& error);

    int calls() const { return calls_; }
    const ListLengths& lengths() const { return lengths_; }
    const ListLengths& longest() const { return longest_; }

    // A game started again from its pause overlay with F2.
    int restarts = 0;
    // From a game to the menu with F3, and back.
    int menuVisits = 0;
    int pauses = 0;
    int gamesLost = 0;
    // Games in which the boss came.
    int bossFights = 0;
    // Games in which the boss was destroyed, and in which the whole swarm was.
    int bossesDefeated = 0;
    int swarmsDestroyed = 0;
    // The most frames of endless spawning one game lived through with the ship still flying.
    int longestEndless = 0;
    // The furthest frame of the level a game reached with the ship still flying (a lost game's
    // counter only keeps time for the burning wreck).
    int deepestFrame = 0;

  private:
    int calls_ = 0;
    std::string state_;
    int frame_ = 0;
    bool paused_ = false;
    bool over_ = false;
    int bossHp_ = 0;
    bool bossDefeated_ = false;
    int remaining_ = 0;
    // The frame the endless spawning of the game began at, or -1 before it has.
    int endlessFrom_ = -1;
    ListLengths lengths_;
    ListLengths longest_;
};
