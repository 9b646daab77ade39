#include "board/worker.h"

#include "board/recording.h"
#include "replay/script.h"
#include "replay/verify.h"

#include <cstdio>
#include <iostream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>

namespace {

constexpr int kBadRequest = 400;
constexpr int kTooLarge = 413;
constexpr int kUnprocessable = 422;
// A player's session holds a handful of games; a recording that restarts every few frames to
// flood the board with rows is refused.
constexpr std::size_t kMaxGames = 100;

std::string refusal(int status, const std::string& message) {
    // A message may quote the recording, whatever bytes it holds.
    return nlohmann::json{{"refused", message}, {"status", status}}.dump(
        -1, ' ', false, nlohmann::json::error_handler_t::replace);
}

nlohmann::json gameFields(const VerifiedGame& game) {
    return {{"index", game.index},
            {"firstCall", game.firstCall},
            {"lastCall", game.lastCall},
            {"score", game.score},
            {"frame", game.frame},
            {"bossDestroyed", game.bossDestroyed},
            {"swarmDestroyed", game.swarmDestroyed},
            {"endlessReached", game.endlessReached},
            {"daily", game.daily},
            {"day", game.day}};
}

} // namespace

std::string verifyAnswer(const std::string& text, const WorkerLimits& limits) {
    if (text.size() > limits.maxBytes) {
        return refusal(kTooLarge, "the recording is longer than " +
                                      std::to_string(limits.maxBytes) + " bytes");
    }
    std::istringstream in(text);
    ScriptError error;
    // The game sends a player's session while it goes on: its recording has no `end` yet, and
    // plays through its last line, as a recording cut short does.
    const std::optional<ReplayScript> script = parseScript(in, error, ScriptOptions{true});
    if (!script) {
        return refusal(kBadRequest, "not a recording: line " + std::to_string(error.line) + ": " +
                                        error.message);
    }
    if (!script->shots.empty()) {
        return refusal(kBadRequest, "line " + std::to_string(script->shots.front().line) +
                                        ": a recording sent to the board takes no shots");
    }
    if (script->calls > limits.maxCalls) {
        return refusal(kTooLarge, "the recording runs " + std::to_string(script->calls) +
                                      " calls; the board verifies at most " +
                                      std::to_string(limits.maxCalls));
    }
    const std::string recording = canonicalRecording(*script);
    Verification verification;
    std::string why;
    if (!verifyRecording(recording, VerifyLimits{limits.maxCalls}, verification, why)) {
        return refusal(kUnprocessable, "the recording does not verify: " + why);
    }
    if (verification.games.size() > kMaxGames) {
        return refusal(kUnprocessable, "the recording holds " +
                                           std::to_string(verification.games.size()) +
                                           " games; the board takes at most " +
                                           std::to_string(kMaxGames) + " from one recording");
    }
    nlohmann::json games = nlohmann::json::array();
    for (const VerifiedGame& game : verification.games) {
        nlohmann::json fields = gameFields(game);
        fields["hash"] = gameHash(*script, game.lastCall);
        games.push_back(std::move(fields));
    }
    return nlohmann::json{{"recording", recording}, {"games", games}}.dump();
}

int runVerifyWorker(const WorkerLimits& limits) {
    std::string text;
    // One byte more than the limit tells an oversized recording from one of exactly the limit.
    text.resize(limits.maxBytes + 1);
    std::size_t size = 0;
    while (size < text.size()) {
        const std::size_t got = std::fread(text.data() + size, 1, text.size() - size, stdin);
        if (got == 0) {
            break;
        }
        size += got;
    }
    text.resize(size);
    const std::string answer = verifyAnswer(text, limits);
    return std::fwrite(answer.data(), 1, answer.size(), stdout) == answer.size() &&
                   std::fflush(stdout) == 0
               ? 0
               : 1;
}
