#include "tests/hardening/trace_tally.h"

#include <algorithm>
#include <charconv>

namespace {

// The text right after `"name":`, or an empty view when the member is missing.
std::string_view valueOf(std::string_view line, std::string_view name) {
    const std::string key = "\"" + std::string(name) + "\":";
    const std::size_t at = line.find(key);
    return at == std::string_view::npos ? std::string_view{} : line.substr(at + key.size());
}

bool readInt(std::string_view line, std::string_view name, int& out) {
    const std::string_view text = valueOf(line, name);
    return std::from_chars(text.data(), text.data() + text.size(), out).ec == std::errc{};
}

bool readBool(std::string_view line, std::string_view name, bool& out) {
    const std::string_view text = valueOf(line, name);
    out = text.substr(0, 4) == "true";
    return out || text.substr(0, 5) == "false";
}

bool readString(std::string_view line, std::string_view name, std::string& out) {
    const std::string_view text = valueOf(line, name);
    const std::size_t close = text.find('"', 1);
    if (text.empty() || text[0] != '"' || close == std::string_view::npos) {
        return false;
    }
    out = std::string(text.substr(1, close - 1));
    return true;
}

// The objects of a list hold no lists of their own: each `{` up to the closing `]` is one.
int listLength(std::string_view line, std::string_view name) {
    const std::string_view text = valueOf(line, name);
    const std::size_t close = text.find(']');
    if (text.empty() || text[0] != '[' || close == std::string_view::npos) {
        return -1;
    }
    const std::string_view items = text.substr(0, close);
    return static_cast<int>(std::count(items.begin(), items.end(), '{'));
}

} // namespace

bool TraceTally::read(std::string_view line, std::string& error) {
    int call = -1;
    int frame = 0;
    int bossHp = 0;
    int remaining = 0;
    bool paused = false;
    bool over = false;
    bool bossDefeated = false;
    bool endless = false;
    std::string state;
    if (!readInt(line, "call", call) || !readString(line, "state", state) ||
        !readInt(line, "frame", frame) || !readBool(line, "paused", paused) ||
        !readBool(line, "over", over) || !readInt(line, "bossHp", bossHp) ||
        !readBool(line, "bossDefeated", bossDefeated) || !readBool(line, "endless", endless) ||
        !readInt(line, "remaining", remaining)) {
        error = "not a trace line";
        return false;
    }
    if (call != calls_) {
        error = "call " + std::to_string(call) + " where " + std::to_string(calls_) + " was due";
        return false;
    }
    if (state == "Quit") {
        error = "the game quit in call " + std::to_string(call);
        return false;
    }
    ListLengths now;
    now.enemies = listLength(line, "enemies");
    now.splitters = listLength(line, "splitters");
    now.shots = listLength(line, "shots");
    now.explosions = listLength(line, "explosions");
    now.powerups = listLength(line, "powerups");
    if (std::min({now.enemies, now.splitters, now.shots, now.explosions, now.powerups}) < 0) {
        error = "a list is missing in call " + std::to_string(call);
        return false;
    }

    const bool wasPlaying = state_ == "Playing";
    if (wasPlaying && state == "Menu") {
        ++menuVisits;
    }
    // A new game starts with its frame counter at 0; a paused or lost game holds it or counts on.
    if (wasPlaying && state == "Playing" && frame < frame_) {
        ++restarts;
    }
    if (paused && !paused_ && !over) {
        ++pauses;
    }
    if (over && !over_) {
        ++gamesLost;
    }
    if (bossHp > 0 && bossHp_ == 0) {
        ++bossFights;
    }
    if (state == "Playing" && !over) {
        deepestFrame = std::max(deepestFrame, frame);
    }
    if (bossDefeated && !bossDefeated_) {
        ++bossesDefeated;
    }
    if (remaining == 0 && remaining_ > 0) {
        ++swarmsDestroyed;
    }
    if (!endless) {
        endlessFrom_ = -1;
    } else if (endlessFrom_ < 0) {
        endlessFrom_ = frame;
    } else if (!over) {
        longestEndless = std::max(longestEndless, frame - endlessFrom_);
    }
    longest_.enemies = std::max(longest_.enemies, now.enemies);
    longest_.splitters = std::max(longest_.splitters, now.splitters);
    longest_.shots = std::max(longest_.shots, now.shots);
    longest_.explosions = std::max(longest_.explosions, now.explosions);
    longest_.powerups = std::max(longest_.powerups, now.powerups);

    state_ = std::move(state);
    frame_ = frame;
    paused_ = paused;
    over_ = over;
    bossHp_ = bossHp;
    bossDefeated_ = bossDefeated;
    remaining_ = remaining;
    lengths_ = now;
    ++calls_;
    return true;
}
