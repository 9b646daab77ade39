#pragma once

#include "game/game_state.h"
#include "replay/verify.h"

#include <optional>

class Game;

// What tells where games start and end, read from the game between two calls.
struct GamePoint {
    GameState state = GameState::Init;
    int frame = 0;
    int score = 0;
    bool over = false;
    bool bossDestroyed = false;
    bool swarmDestroyed = false;
    bool endlessReached = false;
};
GamePoint gamePointOf(const Game& game);

// Cuts a run of the program into its games, from the game as every call leaves it. The
// verification and the shell that keeps the scores cut alike, so a game's index means the same to
// both.
//
// A game starts in the call that leaves the menu for play, or that restarts a game in play (F2:
// the frame count or the score goes back, or a finished game is playing again). It ends in the
// call its last life is lost, in a restart, in the call that goes back to the menu or quits, or
// with the run. A game ended by a restart or by the menu has been reset by then; what it reached
// is what the call before showed.
class GameCuts {
  public:
    // After call `call`, with the game as it left it: the game that ended in it, if one did.
    std::optional<VerifiedGame> afterCall(int call, const GamePoint& point);
    // The run ended after call `lastCall`: the game in play then, if any, ends with it.
    std::optional<VerifiedGame> finish(int lastCall);
    // A game is in play: started and not yet ended.
    bool inPlay() const { return inPlay_; }
    // The index the game in play has, or the next game will have.
    int gamesStarted() const { return started_; }

  private:
    void start(int call, const GamePoint& point);
    void reach(const GamePoint& point);
    VerifiedGame end(int call);

    GamePoint before_;
    bool inPlay_ = false;
    int started_ = 0;
    VerifiedGame current_;
};
