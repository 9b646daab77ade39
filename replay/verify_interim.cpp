// INTERIM: removed when branch `scores` is merged.
#include "game/frame_step.h"
#include "game/game.h"
#include "replay/script.h"
#include "replay/verify.h"
#include "shell/headless/replay_platform.h"

#include <ctime>
#include <sstream>

bool verifyRecording(std::string_view text, const VerifyLimits& limits, Verification& out,
                     std::string& error) {
    std::istringstream in{std::string(text)};
    ScriptError scriptError;
    const std::optional<ReplayScript> script = parseScript(in, scriptError);
    if (!script) {
        error = std::to_string(scriptError.line) + ": " + scriptError.message;
        return false;
    }
    if (limits.maxCalls > 0 && script->calls > limits.maxCalls) {
        error = "too many calls";
        return false;
    }
    ReplayPlatform& platform = replayPlatform();
    platform.epoch = script->epoch;
    ScriptFeed feed(*script);
    const Game& game = frameStepGame();
    bool playing = false;
    VerifiedGame current;
    const auto finish = [&](int call) {
        current.lastCall = call;
        current.score = game.ship ? game.ship->getScore() : 0;
        current.frame = game.frameCounter;
        current.bossDestroyed = game.bossDefeated;
        current.endlessReached = game.endlessSpawning;
        current.swarmDestroyed = game.endlessSpawning;
        out.games.push_back(current);
        playing = false;
    };
    int call = 0;
    for (; call < script->calls && !platform.quitRequested; ++call) {
        feed.enterCall(platform, call);
        const int frameBefore = game.frameCounter;
        FrameStep();
        const bool nowPlaying = game.gameState == GameState::Playing && !game.gameOver;
        if (playing && (!nowPlaying || game.frameCounter < frameBefore)) {
            finish(call);
        }
        if (!playing && nowPlaying) {
            current = VerifiedGame{};
            current.index = static_cast<int>(out.games.size()) + 1;
            current.firstCall = call;
            // A daily run: the replay's own calendar from midnight UTC; only its first game.
            current.daily =
                out.games.empty() && script->epoch % 86400 == 0 && script->clockChanges.empty();
            if (current.daily) {
                const std::int64_t days = script->epoch / 86400;
                const std::time_t midnight = static_cast<std::time_t>(days * 86400);
                char day[16];
                std::strftime(day, sizeof day, "%Y-%m-%d", std::gmtime(&midnight));
                current.day = day;
            }
            playing = true;
        }
    }
    if (playing) {
        finish(call - 1);
    }
    return true;
}

std::string verifiedGameJson(const VerifiedGame& game) {
    return "{\"index\":" + std::to_string(game.index) + ",\"score\":" + std::to_string(game.score) +
           ",\"frame\":" + std::to_string(game.frame) + "}";
}
