// The pilot's forecasts and the pilot at the controls, on games of their own.
#include "base/random.h"
#include "entities/boss_enemy.h"
#include "entities/missile.h"
#include "game/frame_step.h"
#include "platform/virtual_keys.h"
#include "replay/script.h"
#include "replay/trace.h"
#include "shell/headless/replay_platform.h"
#include "tools/pilot/game_copy.h"
#include "tools/pilot/pilot.h"

#include <array>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>

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

void holdAt(ReplayPlatform& platform, int call, const KeyState& keys) {
    platform.call = call;
    std::copy(keys.begin(), keys.end(), platform.keys);
}

void hold(ReplayPlatform& platform, int call, const PilotKeys& keys) {
    KeyState state{};
    state[KeyLeft] = keys.left;
    state[KeyRight] = keys.right;
    state[KeySpace] = keys.fire;
    if (keys.weapon >= 1 && keys.weapon <= 3) {
        state[Key1 + keys.weapon - 1] = true;
    }
    holdAt(platform, call, state);
}

// A game in play where nothing spawns: the level holds at the boss's frame, with no boss.
void startQuietGame(Game& game) {
    ReplayPlatform& platform = replayPlatform();
    platform = ReplayPlatform{};
    platform.epoch = kDefaultEpoch;
    game.step();
    game.gameState = GameState::Playing;
    game.menuPlayChosen = true;
    game.frameCounter = 6801;
}

// Plays `calls` calls from `first` on, the pilot at the keys when there is one.
void play(Game& game, Pilot* pilot, int first, int calls) {
    ReplayPlatform& platform = replayPlatform();
    for (int call = first; call < first + calls; ++call) {
        PilotKeys keys;
        if (pilot != nullptr) {
            platform.call = call;
            keys = pilot->keysFor(game, platform);
        }
        hold(platform, call, keys);
        game.step();
    }
}

// The trace line without its explosions, which a game stepped unseen does not play.
std::string withoutExplosions(const std::string& line) {
    const std::size_t from = line.find("\"explosions\":[");
    const std::size_t to = line.find("],\"powerups\"", from);
    return from == std::string::npos || to == std::string::npos
               ? line
               : line.substr(0, from) + line.substr(to + 2);
}

TEST(GameCopy, ACopyPlaysOnExactlyAsTheGameItWasTakenFromSeenOrUnseen) {
    // A whole level, so that the copies are taken with every kind of enemy, shot, pickup and
    // the swarm about.
    std::ifstream file(std::string(GLIMMERWAKE_SOURCE_DIR) + "/tests/tools/whole_level_1.replay");
    ScriptError error;
    const std::optional<ReplayScript> script = parseScript(file, error);
    ASSERT_TRUE(script) << error.message;
    const std::vector<KeyState> keys = keysByCall(*script);
    ReplayPlatform& platform = replayPlatform();
    platform.epoch = script->epoch;
    Game& game = frameStepGame();
    Game copy;

    constexpr int kEvery = 613;
    constexpr int kAhead = 200;
    // Line for line as the game will print them, and without explosions when stepped unseen.
    std::vector<std::string> seen;
    std::vector<std::string> unseen;
    int forecastFrom = -1;
    int compared = 0;
    std::string line;
    const auto forecast = [&](int from, std::vector<std::string>& lines, auto stepCopy) {
        copyGame(game, copy);
        lines.clear();
        for (int call = from; call < from + kAhead; ++call) {
            holdAt(platform, call, keys[call]);
            stepCopy(copy);
            lines.emplace_back();
            appendTraceLine(lines.back(), call, copy);
        }
    };
    for (int call = 0; call < script->calls; ++call) {
        if (call % kEvery == 0 && call + kAhead < script->calls) {
            forecastFrom = call;
            forecast(call, seen, [](Game& g) { g.step(); });
            forecast(call, unseen, stepUnseen);
        }
        holdAt(platform, call, keys[call]);
        FrameStep();
        if (forecastFrom >= 0 && call < forecastFrom + kAhead) {
            line.clear();
            appendTraceLine(line, call, game);
            const std::size_t k = static_cast<std::size_t>(call - forecastFrom);
            ASSERT_EQ(line, seen[k]) << "copied in call " << forecastFrom;
            ASSERT_EQ(withoutExplosions(line), withoutExplosions(unseen[k]))
                << "copied in call " << forecastFrom << " and stepped unseen";
            ++compared;
        }
    }
    EXPECT_GE(compared, 15 * kAhead);
    EXPECT_TRUE(game.endlessSpawning);
}

TEST(Pilot, DodgesAShotThatWouldHitAShipLeftAlone) {
    Game alone;
    startQuietGame(alone);
    alone.projectiles.pushFront(
        std::make_unique<Missile>(alone.textures.texMissile, 2.0f, Direction::Toward, -9.5f, true));
    Game piloted;
    copyGame(alone, piloted);

    play(alone, nullptr, 10, 80);
    EXPECT_EQ(alone.ship->getLives(), 4);

    Pilot pilot;
    play(piloted, &pilot, 10, 80);
    EXPECT_EQ(piloted.ship->getLives(), 5);
    EXPECT_GE(std::fabs(piloted.ship->getAngle() - 2.0f), 11.6875f);
}

TEST(Pilot, FliesUnderAPickupFarOffToTheSideAndCatchesIt) {
    Game alone;
    startQuietGame(alone);
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
    Game piloted;
    copyGame(alone, piloted);

    play(alone, nullptr, 10, 320);
    EXPECT_EQ(alone.ship->getHighestWeapon(), 1);

    Pilot pilot;
    play(piloted, &pilot, 10, 320);
    EXPECT_EQ(piloted.ship->getHighestWeapon(), 2);
    EXPECT_TRUE(piloted.powerups.empty());
}

TEST(Pilot, KeepsOutOfTheWayOfTheBossesDive) {
    Game alone;
    startQuietGame(alone);
    alone.enemies.pushFront(std::make_unique<BossEnemy>());
    Game game;
    copyGame(alone, game);

    // The boss follows a ship that stays put and dives onto it: one life a frame in its band.
    play(alone, nullptr, 10, 500);
    EXPECT_TRUE(alone.gameOver);

    Pilot pilot;
    // Two whole cycles of tracking, diving and climbing back, from the boss's approach on.
    play(game, &pilot, 10, 1100);
    EXPECT_EQ(game.ship->getLives(), 5);
    // And the missiles went home meanwhile.
    EXPECT_LT(game.bossHitPoints, 30);
}

TEST(Pilot, TakesTheWeaponThePromptAsksForTheMissilesForTheBossAndTheLaserOnceHad) {
    Game game;
    startQuietGame(game);
    game.ship->gotWeapon2 = true;
    play(game, nullptr, 10, 1);
    EXPECT_EQ(chooseWeapon(game), 2) << "the weapon in hand";
    game.weaponPrompt = 1;
    EXPECT_EQ(chooseWeapon(game), 1);
    game.weaponPrompt = 0;
    game.enemies.pushFront(std::make_unique<BossEnemy>());
    EXPECT_EQ(chooseWeapon(game), 1);
    game.enemies.clear();
    game.ship->gotWeapon3 = true;
    play(game, nullptr, 11, 1);
    EXPECT_EQ(chooseWeapon(game), 3);
    game.weaponPrompt = 2;
    EXPECT_EQ(chooseWeapon(game), 2);
}

} // namespace
