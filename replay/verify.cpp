#include "replay/verify.h"

#include "game/call_inputs.h"
#include "game/game.h"
#include "replay/game_cuts.h"
#include "replay/script.h"
#include "replay/script_feed.h"

#include <sstream>

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// "YYYY-MM-DD" of a day counted from 1970-01-01 (the proleptic Gregorian calendar).
std::string dayNameOf(std::int64_t days) {
    const std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    const std::int64_t day = dayOfYear - (153 * monthFromMarch + 2) / 5 + 1;
    const std::int64_t month = monthFromMarch + (monthFromMarch < 10 ? 3 : -9);
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    char text[32];
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld", static_cast<long long>(year),
                  static_cast<long long>(month), static_cast<long long>(day));
    return text;
}

void addGame(Verification& out, VerifiedGame game, const std::string& day) {
    game.daily = !day.empty() && game.index == 1;
    game.day = game.daily ? day : std::string();
    out.games.push_back(std::move(game));
}

const char* jsonBool(bool value) {
    return value ? "true" : "false";
}

} // namespace

std::string dailyDayOf(std::int64_t epoch, bool hasClockLines) {
    // Years of four digits only: a day the tables can name.
    constexpr std::int64_t kEndOf9999 = std::int64_t{2932897} * kSecondsPerDay;
    if (hasClockLines || epoch < 0 || epoch >= kEndOf9999 || epoch % kSecondsPerDay != 0) {
        return std::string();
    }
    return dayNameOf(epoch / kSecondsPerDay);
}

bool verifyRecording(std::string_view script, const VerifyLimits& limits, Verification& out,
                     std::string& error) {
    out.games.clear();
    std::istringstream in{std::string(script)};
    ScriptError scriptError;
    const std::optional<ReplayScript> parsed = parseScript(in, scriptError, ScriptOptions{true});
    if (!parsed) {
        error = "line " + std::to_string(scriptError.line) + ": " + scriptError.message;
        return false;
    }
    if (limits.maxCalls > 0 && parsed->calls > limits.maxCalls) {
        error = "longer than " + std::to_string(limits.maxCalls) + " calls";
        return false;
    }
    const std::string day = dailyDayOf(parsed->epoch, !parsed->clockChanges.empty());
    // A game of its own: the rules' random state is the thread's, and nothing else is shared.
    Game game;
    GameCuts cuts;
    ScriptFeed feed(*parsed);
    ScriptedMachine machine;
    machine.epoch = parsed->epoch;
    int call = 0;
    for (; call < parsed->calls; ++call) {
        feed.enterCall(machine, call);
        const CallOutcome outcome = game.advance(machine.inputs());
        if (std::optional<VerifiedGame> ended = cuts.afterCall(call, gamePointOf(game))) {
            addGame(out, std::move(*ended), day);
        }
        if (outcome.quit) {
            ++call;
            break;
        }
    }
    if (std::optional<VerifiedGame> ended = cuts.finish(call - 1)) {
        addGame(out, std::move(*ended), day);
    }
    return true;
}

std::string verifiedGameJson(const VerifiedGame& game) {
    std::string json = "{\"game\":" + std::to_string(game.index) +
                       ",\"firstCall\":" + std::to_string(game.firstCall) +
                       ",\"lastCall\":" + std::to_string(game.lastCall) +
                       ",\"score\":" + std::to_string(game.score) +
                       ",\"frame\":" + std::to_string(game.frame);
    json += std::string(",\"bossDestroyed\":") + jsonBool(game.bossDestroyed) +
            ",\"swarmDestroyed\":" + jsonBool(game.swarmDestroyed) +
            ",\"endlessReached\":" + jsonBool(game.endlessReached);
    // The day is digits and dashes only: nothing in it needs escaping.
    json += std::string(",\"mode\":\"") + (game.daily ? "daily" : "free") +
            "\",\"day\":" + (game.daily ? "\"" + game.day + "\"" : std::string("null")) + "}";
    return json;
}
