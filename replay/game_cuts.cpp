#include "replay/game_cuts.h"

#include "game/game.h"

GamePoint gamePointOf(const Game& game) {
    GamePoint point;
    point.state = game.gameState;
    point.frame = game.frameCounter;
    point.score = game.ship.getScore();
    point.over = game.gameOver;
    point.bossDestroyed = game.bossDefeated;
    point.swarmDestroyed = game.splitterGroup.remaining == 0;
    point.endlessReached = game.endlessSpawning;
    return point;
}

void GameCuts::start(int call, const GamePoint& point) {
    inPlay_ = true;
    current_ = VerifiedGame{};
    current_.index = ++started_;
    current_.firstCall = call;
    reach(point);
}

// Milestones stay reached once reached; the reset that ends a game clears them in the game.
void GameCuts::reach(const GamePoint& point) {
    current_.score = point.score;
    current_.frame = point.frame;
    current_.bossDestroyed = current_.bossDestroyed || point.bossDestroyed;
    current_.swarmDestroyed = current_.swarmDestroyed || point.swarmDestroyed;
    current_.endlessReached = current_.endlessReached || point.endlessReached;
}

VerifiedGame GameCuts::end(int call) {
    inPlay_ = false;
    current_.lastCall = call;
    return current_;
}

std::optional<VerifiedGame> GameCuts::afterCall(int call, const GamePoint& point) {
    const bool wasPlaying = before_.state == GameState::Playing;
    const bool playing = point.state == GameState::Playing;
    const bool restarted = wasPlaying && playing &&
                           (point.frame < before_.frame || point.score < before_.score ||
                            (before_.over && !point.over));
    std::optional<VerifiedGame> ended;
    if (inPlay_ && (restarted || !playing)) {
        // Reset already (restart, menu) or about to quit: the game as the call before left it,
        // which a quit does not change.
        ended = end(call);
    } else if (inPlay_) {
        reach(point);
        if (point.over) {
            ended = end(call);
        }
    }
    if (playing && (!wasPlaying || restarted)) {
        start(call, point);
    }
    before_ = point;
    return ended;
}

std::optional<VerifiedGame> GameCuts::finish(int lastCall) {
    if (!inPlay_) {
        return std::nullopt;
    }
    return end(lastCall);
}
