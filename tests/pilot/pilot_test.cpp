// The copies the pilot forecasts on, and the pilot at the controls, on games of their own.
#include "base/random.h"
#include "entities/boss_enemy.h"
#include "entities/missile.h"
#include "platform/virtual_keys.h"
#include "replay/script.h"
#include "replay/script_feed.h"
#include "replay/trace.h"
#include "tools/pilot/pilot.h"

#include <array>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <thread>

namespace {

constexpr int kKeys = 256;
using KeyState = std::array<bool, kKeys>;

// The keys held in every call of a script.
std::vector<KeyState> keysByCall(const ReplayScript& script) {
    std::vector<KeyState> byCall(static_cast<std::size_t>(script.calls));
    KeyState held{};
    auto change = script.keyChanges.begin();
    for (int call = 0; call < script.calls; ++call) {
        for (; change != script.keyChanges.end() && change->call == call; ++change) {
            held[change->virtualKey] = change->down;
        }
        byCall[call] = held;
    }
    return byCall;
}

void holdAt(ScriptedMachine& machine, int call, const KeyState& keys) {
    machine.call = call;
    std::copy(keys.begin(), keys.end(), machine.keys);
}

// A game in play where nothing spawns: the level holds at the boss's frame, with no boss.
void startQuietGame(Game& game, ScriptedMachine& machine) {
    machine = ScriptedMachine{};
    machine.epoch = kDefaultEpoch;
    game.advance(machine.inputs());
    game.gameState = GameState::Playing;
    game.menuPlayChosen = true;
    game.frameCounter = 6801;
}

// Plays `calls` calls from `first` on, the pilot at the keys when there is one.
void play(Game& game, ScriptedMachine& machine, Pilot* pilot, int first, int calls) {
    for (int call = first; call < first + calls; ++call) {
        machine.call = call;
        PilotKeys keys;
        if (pilot != nullptr) {
            keys = pilot->keysFor(game, machine);
        }
        holdKeys(machine, keys);
        game.advance(machine.inputs());
    }
}

TEST(GameCopy, ACopyAdvancedAlongsideTheGameItWasTakenFromStaysEqualTraceForTrace) {
    // A whole level, so that the copies are taken with every kind of enemy, shot, pickup and
    // the swarm about.
    std::ifstream file(std::string(GLIMMERWAKE_SOURCE_DIR) + "/tests/tools/whole_level_1.replay");
    ScriptError error;
    const std::optional<ReplayScript> script = parseScript(file, error);
    ASSERT_TRUE(script) << error.message;
    const std::vector<KeyState> keys = keysByCall(*script);
    ScriptedMachine machine;
    machine.epoch = script->epoch;
    Game game;
    Game copy;

    constexpr int kEvery = 613;
    constexpr int kAhead = 200;
    // Line for line as the game will print them.
    std::vector<std::string> ahead;
    std::vector<std::vector<SoundEffect>> heardAhead;
    int copiedAt = -1;
    int compared = 0;
    std::string line;
    for (int call = 0; call < script->calls; ++call) {
        if (call % kEvery == 0 && call + kAhead < script->calls) {
            copiedAt = call;
            copy = game;
            ahead.clear();
            heardAhead.clear();
            ScriptedMachine forecast = machine;
            for (int k = call; k < call + kAhead; ++k) {
                holdAt(forecast, k, keys[k]);
                heardAhead.push_back(copy.advance(forecast.inputs()).sounds);
                ahead.emplace_back();
                appendTraceLine(ahead.back(), k, copy);
            }
        }
        holdAt(machine, call, keys[call]);
        const CallOutcome outcome = game.advance(machine.inputs());
        if (copiedAt >= 0 && call < copiedAt + kAhead) {
            line.clear();
            appendTraceLine(line, call, game);
            const std::size_t k = static_cast<std::size_t>(call - copiedAt);
            ASSERT_EQ(line, ahead[k]) << "copied in call " << copiedAt;
            ASSERT_EQ(outcome.sounds, heardAhead[k]) << "copied in call " << copiedAt;
            ++compared;
        }
    }
    EXPECT_GE(compared, 15 * kAhead);
    EXPECT_TRUE(game.endlessSpawning);
}

TEST(GameCopy, CopiesPlayOnOnThreadsOfTheirOwnAsOnOne) {
    // Every call reseeds the thread's random source, so games on several threads at once (a
    // recording verified beside the live game) each play as they would alone.
    std::ifstream file(std::string(GLIMMERWAKE_SOURCE_DIR) + "/tests/tools/whole_level_2.replay");
    ScriptError error;
    const std::optional<ReplayScript> script = parseScript(file, error);
    ASSERT_TRUE(script) << error.message;
    const auto traceOfWholeGame = [&script] {
        ScriptedMachine machine;
        machine.epoch = script->epoch;
        ScriptFeed feed(*script);
        Game game;
        std::string trace;
        for (int call = 0; call < script->calls; ++call) {
            feed.enterCall(machine, call);
            game.advance(machine.inputs());
            appendTraceLine(trace, call, game);
        }
        return trace;
    };
    const std::string alone = traceOfWholeGame();
    std::string first;
    std::string second;
    std::thread one([&] { first = traceOfWholeGame(); });
    std::thread two([&] { second = traceOfWholeGame(); });
    one.join();
    two.join();
    EXPECT_TRUE(first == alone);
    EXPECT_TRUE(second == alone);
}

TEST(Pilot, DodgesAShotThatWouldHitAShipLeftAlone) {
    Game alone;
    ScriptedMachine machine;
    startQuietGame(alone, machine);
    alone.projectiles.pushFront(std::make_unique<Missile>(2.0f, Direction::Toward, -9.5f, true));
    Game piloted = alone;

    play(alone, machine, nullptr, 10, 80);
    EXPECT_EQ(alone.ship.getLives(), 4);

    Pilot pilot;
    play(piloted, machine, &pilot, 10, 80);
    EXPECT_EQ(piloted.ship.getLives(), 5);
    EXPECT_GE(std::fabs(piloted.ship.getAngle() - 2.0f), 11.6875f);
}

TEST(Pilot, FliesUnderAPickupFarOffToTheSideAndCatchesIt) {
    Game alone;
    ScriptedMachine machine;
    startQuietGame(alone, machine);
    // A seed that puts the pickup well out of the reach of a ship at the centre.
    std::uint32_t seed = 1;
    for (;; ++seed) {
        seedRandom(seed);
        if (std::abs(nextRandom() % 62 - 31) >= 24) {
            break;
        }
    }
    seedRandom(seed);
    alone.dropPowerup(2);
    Game piloted = alone;

    play(alone, machine, nullptr, 10, 320);
    EXPECT_EQ(alone.ship.getHighestWeapon(), 1);

    Pilot pilot;
    play(piloted, machine, &pilot, 10, 320);
    EXPECT_EQ(piloted.ship.getHighestWeapon(), 2);
    EXPECT_TRUE(piloted.powerups.empty());
}

TEST(Pilot, KeepsOutOfTheWayOfTheBossesDive) {
    Game alone;
    ScriptedMachine machine;
    startQuietGame(alone, machine);
    alone.enemies.pushFront(std::make_unique<BossEnemy>());
    Game game = alone;

    // The boss follows a ship that stays put and dives onto it: one life a frame in its band.
    play(alone, machine, nullptr, 10, 500);
    EXPECT_TRUE(alone.gameOver);

    Pilot pilot;
    // Two whole cycles of tracking, diving and climbing back, from the boss's approach on.
    play(game, machine, &pilot, 10, 1100);
    EXPECT_EQ(game.ship.getLives(), 5);
    // And the missiles went home meanwhile.
    EXPECT_LT(game.bossHitPoints, 30);
}

TEST(Pilot, TakesTheWeaponThePromptAsksForTheMissilesForTheBossAndTheLaserOnceHad) {
    Game game;
    ScriptedMachine machine;
    startQuietGame(game, machine);
    game.ship.gotWeapon2 = true;
    play(game, machine, nullptr, 10, 1);
    EXPECT_EQ(chooseWeapon(game), 2) << "the weapon in hand";
    game.weaponPrompt = 1;
    EXPECT_EQ(chooseWeapon(game), 1);
    game.weaponPrompt = 0;
    game.enemies.pushFront(std::make_unique<BossEnemy>());
    EXPECT_EQ(chooseWeapon(game), 1);
    game.enemies.clear();
    game.ship.gotWeapon3 = true;
    play(game, machine, nullptr, 11, 1);
    EXPECT_EQ(chooseWeapon(game), 3);
    game.weaponPrompt = 2;
    EXPECT_EQ(chooseWeapon(game), 2);
}

} // namespace
