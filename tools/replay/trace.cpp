#include "tools/replay/trace.h"

#include "game/game.h"

#include <charconv>

namespace {

// Writes JSON members and values in the order it is told, with the commas between them.
class JsonWriter {
  public:
    explicit JsonWriter(std::string& out) : out_(out) {}

    void beginObject() { open('{'); }
    void beginObject(const char* name) {
        key(name);
        open('{');
    }
    void endObject() { close('}'); }
    void beginList(const char* name) {
        key(name);
        open('[');
    }
    void endList() { close(']'); }

    void member(const char* name, int number) {
        key(name);
        value(number);
    }
    void member(const char* name, bool value) {
        key(name);
        separate();
        out_ += value ? "true" : "false";
    }
    void member(const char* name, float value) {
        key(name);
        separate();
        // The shortest text that reads back as the very same float, so two runs of the same game
        // compare equal exactly when their states do.
        char text[32];
        const std::to_chars_result written = std::to_chars(text, text + sizeof text, value);
        out_.append(text, written.ptr);
    }
    // The text is one of the game's own names: nothing in it needs escaping.
    void member(const char* name, const char* text) {
        key(name);
        separate();
        out_ += '"';
        out_ += text;
        out_ += '"';
    }
    void value(int number) {
        separate();
        out_ += std::to_string(number);
    }

  private:
    void separate() {
        if (needsComma_) {
            out_ += ',';
        }
        needsComma_ = true;
    }
    void key(const char* name) {
        separate();
        out_ += '"';
        out_ += name;
        out_ += "\":";
        needsComma_ = false;
    }
    void open(char bracket) {
        separate();
        out_ += bracket;
        needsComma_ = false;
    }
    void close(char bracket) {
        out_ += bracket;
        needsComma_ = true;
    }

    std::string& out_;
    bool needsComma_ = false;
};

struct ShipTrace {
    float angle;
    int lives;
    int score;
    int weapon;
    int highest;
    bool switching;
    bool fire;
    int cooldown;
};

// The game has no ship of its own yet: until it has, the trace shows the ship every game starts
// with. When the ship joins the game, this reads it instead (cooldown written as 61 once its
// count is past 60).
ShipTrace newShipTrace() {
    return {0.0f, 5, 0, 1, 1, false, false, 0};
}

struct SplitterGroupTrace {
    int generation;
    int remaining;
};

// Likewise the splitter group: until the game has one, the trace shows the group as a game
// starts with it, one whole splitter still to come and all sixteen of its pieces to destroy.
SplitterGroupTrace newSplitterGroupTrace() {
    return {1, 16};
}

void writeShip(JsonWriter& json, const ShipTrace& ship) {
    json.beginObject("ship");
    json.member("angle", ship.angle);
    json.member("lives", ship.lives);
    json.member("score", ship.score);
    json.member("weapon", ship.weapon);
    json.member("highest", ship.highest);
    json.member("switching", ship.switching);
    json.member("fire", ship.fire);
    json.member("cooldown", ship.cooldown);
    json.endObject();
}

void writeIntervals(JsonWriter& json, const SpawnIntervals& intervals) {
    json.beginList("intervals");
    json.value(intervals.wedge0);
    json.value(intervals.wedge1);
    json.value(intervals.wedge2);
    json.value(intervals.square);
    json.value(intervals.ring);
    json.endList();
}

void writeMenu(JsonWriter& json, const Game& game) {
    json.beginObject("menu");
    json.member("selection", game.menuSelection);
    json.member("play", game.menuPlayChosen);
    json.member("quit", game.menuQuitChosen);
    json.endObject();
}

} // namespace

void appendTraceLine(std::string& out, int call, const Game& game) {
    JsonWriter json(out);
    json.beginObject();
    json.member("call", call);
    json.member("state", gameStateName(game.gameState));
    json.member("frame", game.frameCounter);
    json.member("paused", game.paused);
    json.member("over", game.gameOver);
    json.member("prompt", game.weaponPrompt);
    json.member("bossHp", game.bossHitPoints);
    json.member("bossDefeated", game.bossDefeated);
    json.member("endless", game.endlessSpawning);
    writeIntervals(json, game.spawnIntervals);
    writeMenu(json, game);
    writeShip(json, newShipTrace());
    // The enemies, splitters, shots, explosions and power-ups are not in the game yet: their
    // lists are there, and empty.
    json.beginList("enemies");
    json.endList();
    const SplitterGroupTrace group = newSplitterGroupTrace();
    json.member("generation", group.generation);
    json.member("remaining", group.remaining);
    json.beginList("splitters");
    json.endList();
    json.beginList("shots");
    json.endList();
    json.beginList("explosions");
    json.endList();
    json.beginList("powerups");
    json.endList();
    json.endObject();
    out += '\n';
}
