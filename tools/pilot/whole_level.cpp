#include "tools/pilot/whole_level.h"

#include "base/kinds.h"
#include "entities/splitter_group.h"
#include "platform/virtual_keys.h"

namespace {

struct KeyName {
    int virtualKey;
    const char* name;
};

const KeyName kPlayKeys[] = {{KeyLeft, "LEFT"}, {KeyRight, "RIGHT"}, {KeySpace, "SPACE"},
                             {Key1, "1"},       {Key2, "2"},         {Key3, "3"}};

// The menu is up from call 1; Return in call 2 starts the game.
constexpr int kPlayChosen = 2;
// A few frames past the last one that counts, so the trace shows the ship still flying.
constexpr int kEndlessMargin = 10;

class ScriptWriter {
  public:
    ScriptWriter(std::ostream& out, ScriptedMachine& machine) : out_(out), machine_(machine) {}

    void set(int virtualKey, const char* name, bool down) {
        bool& held = machine_.keys[virtualKey];
        if (held != down) {
            out_ << machine_.call << (down ? " down " : " up ") << name << '\n';
            held = down;
        }
    }

    void hold(const PilotKeys& keys) {
        const bool down[] = {keys.left,
                             keys.right,
                             keys.fire,
                             keys.weapon == kWeaponMissile,
                             keys.weapon == kWeaponDestroyer,
                             keys.weapon == kWeaponLaser};
        for (std::size_t i = 0; i < std::size(kPlayKeys); ++i) {
            set(kPlayKeys[i].virtualKey, kPlayKeys[i].name, down[i]);
        }
    }

  private:
    std::ostream& out_;
    ScriptedMachine& machine_;
};

void note(int& reached, bool now, int call) {
    if (reached < 0 && now) {
        reached = call;
    }
}

} // namespace

LevelReach flyWholeLevel(std::ostream& script, std::int64_t epoch, const PilotSettings& settings,
                         int maxCalls) {
    Game game;
    ScriptedMachine machine;
    machine.epoch = epoch;
    ScriptWriter writer(script, machine);
    Pilot pilot(settings);
    LevelReach reach;
    script << "epoch " << epoch << '\n';

    int wrenches = 0;
    int call = 0;
    for (; call < maxCalls; ++call) {
        machine.call = call;
        if (call == kPlayChosen) {
            writer.set(KeyReturn, "RETURN", true);
        } else if (call == kPlayChosen + 1) {
            writer.set(KeyReturn, "RETURN", false);
        }
        if (game.gameState == GameState::Playing) {
            writer.hold(pilot.keysFor(game, machine));
        }
        game.advance(machine.inputs());
        if (game.gameState != GameState::Playing) {
            continue;
        }
        const PlayerShip& ship = game.ship;
        note(reach.secondWeapon, ship.getHighestWeapon() >= kWeaponDestroyer, call);
        note(reach.firstPromptObeyed,
             game.weaponPrompt == kWeaponMissile && ship.getCurrentWeapon() == kWeaponMissile &&
                 reach.secondWeapon >= 0,
             call);
        note(reach.secondPromptObeyed,
             game.weaponPrompt == kWeaponDestroyer && ship.getCurrentWeapon() == kWeaponDestroyer,
             call);
        note(reach.bossDefeated, game.bossDefeated, call);
        int wrenchesNow = 0;
        for (const auto& powerup : game.powerups) {
            wrenchesNow += powerup->getType() == 1 ? 1 : 0;
        }
        note(reach.wrenchCaught, wrenchesNow < wrenches, call);
        wrenches = wrenchesNow;
        note(reach.thirdWeapon, ship.getHighestWeapon() == kWeaponLaser, call);
        note(reach.bannerSeen, bannerShown(game.frameCounter), call);
        note(reach.swarmSplit, game.splitterGroup.generation == kSwarmGeneration, call);
        note(reach.swarmDestroyed, game.splitterGroup.remaining == 0, call);
        if (reach.endlessFrame < 0 && game.endlessSpawning) {
            reach.endlessFrame = game.frameCounter;
        }
        if (game.gameOver) {
            ++call;
            break;
        }
        if (reach.endlessFrame >= 0) {
            note(reach.endlessSurvived, game.frameCounter >= reach.endlessFrame + kEndlessFrames,
                 call);
            if (game.frameCounter >= reach.endlessFrame + kEndlessFrames + kEndlessMargin) {
                ++call;
                break;
            }
        }
    }
    reach.livesLeft = game.ship.getLives();
    reach.calls = call;
    script << "end " << call << '\n';
    return reach;
}
