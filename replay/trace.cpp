#include "replay/trace.h"

#include "game/game.h"

#include <algorithm>
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

void writeShip(JsonWriter& json, const PlayerShip& ship) {
    json.beginObject("ship");
    json.member("angle", ship.getAngle());
    json.member("lives", ship.getLives());
    json.member("score", ship.getScore());
    json.member("weapon", ship.getCurrentWeapon());
    json.member("highest", ship.getHighestWeapon());
    json.member("switching", ship.isSwitching());
    json.member("fire", ship.isFireRequested());
    // Only whether the count has passed the longest threshold matters, not how far.
    json.member("cooldown", std::min(ship.getFireCooldown(), PlayerShip::kCooldownCap));
    json.endObject();
}

void writeEnemies(JsonWriter& json, const EntityList<Enemy>& enemies) {
    json.beginList("enemies");
    for (const auto& enemy : enemies) {
        json.beginObject();
        json.member("kind", enemy->getKindId());
        json.member("angle", enemy->getAngle());
        json.member("depth", enemy->getDepth());
        json.member("hp", enemy->getHitPoints());
        json.endObject();
    }
    json.endList();
}

void writeSplitterGroup(JsonWriter& json, const SplitterGroup& group) {
    json.member("generation", group.generation);
    json.member("remaining", group.remaining);
    json.beginList("splitters");
    for (const auto& splitter : group.splitters) {
        json.beginObject();
        json.member("angle", splitter->getAngle());
        json.member("depth", splitter->getDepth());
        json.member("hp", splitter->getHitPoints());
        json.endObject();
    }
    json.endList();
}

void writeShots(JsonWriter& json, const EntityList<Projectile>& shots) {
    json.beginList("shots");
    for (const auto& shot : shots) {
        json.beginObject();
        json.member("type", shot->getWeaponType());
        json.member("angle", shot->getAngle());
        json.member("depth", shot->getDepth());
        json.member("enemy", shot->isEnemyOwned());
        json.endObject();
    }
    json.endList();
}

void writeExplosions(JsonWriter& json, const EntityList<Explosion>& explosions) {
    json.beginList("explosions");
    for (const auto& explosion : explosions) {
        json.beginObject();
        json.member("angle", explosion->getAngle());
        json.member("depth", explosion->getDepth());
        json.member("step", explosion->getAnimStep());
        json.endObject();
    }
    json.endList();
}

void writePowerups(JsonWriter& json, const EntityList<Powerup>& powerups) {
    json.beginList("powerups");
    for (const auto& powerup : powerups) {
        json.beginObject();
        json.member("type", powerup->getType());
        json.member("angle", powerup->getAngle());
        json.member("depth", powerup->getDepth());
        json.endObject();
    }
    json.endList();
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
    writeShip(json, game.ship);
    writeEnemies(json, game.enemies);
    writeSplitterGroup(json, game.splitterGroup);
    writeShots(json, game.projectiles);
    writeExplosions(json, game.explosions);
    writePowerups(json, game.powerups);
    json.endObject();
    out += '\n';
}
