// The game's recorder: what it writes is a script the replay tool reads back to the very keys and
// calendar seconds the game was handed, call by call.
#include "game/call_inputs.h"
#include "platform/virtual_keys.h"
#include "replay/script.h"
#include "replay/script_feed.h"
#include "shell/common/recorder.h"
#include "tests/tools/replay_run.h"

#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace {

// What one call of a real game read: its keys and its calendar second.
struct Reading {
    bool keys[256] = {};
    std::int64_t seconds = 0;
};

// A game of `calls` calls as a machine gives it: frames of 10 to 25 ms (now and then a long
// one), so the second changes at no fixed call, and keys pressed and let go at random.
std::vector<Reading> playedGame(int calls, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<Reading> game(calls);
    double now = 1781000000.37;
    Reading current;
    for (Reading& reading : game) {
        for (const ScriptKey& key : kScriptKeys) {
            if (random() % 40 == 0) {
                current.keys[key.virtualKey] = !current.keys[key.virtualKey];
            }
        }
        current.seconds = static_cast<std::int64_t>(now);
        reading = current;
        now += (random() % 200 == 0 ? 1.7 : 0.010 + (random() % 16) / 1000.0);
    }
    return game;
}

std::string recordingOf(const std::vector<Reading>& game) {
    RecordingLines lines;
    std::string text;
    CallInputs inputs;
    for (std::size_t call = 0; call < game.size(); ++call) {
        std::copy(std::begin(game[call].keys), std::end(game[call].keys), inputs.keys);
        inputs.seconds = game[call].seconds;
        lines.noteCall(static_cast<int>(call), inputs, text);
    }
    RecordingLines::noteEnd(static_cast<int>(game.size()), text);
    return text;
}

// Feeds the script's calls as the replay tool does, and checks every call is handed what the
// game read.
void expectReplayReads(const ReplayScript& script, const std::vector<Reading>& game) {
    ScriptedMachine machine;
    machine.epoch = script.epoch;
    ScriptFeed feed(script);
    for (int call = 0; call < script.calls; ++call) {
        feed.enterCall(machine, call);
        const CallInputs inputs = machine.inputs();
        ASSERT_EQ(inputs.seconds, game[call].seconds) << "call " << call;
        for (const ScriptKey& key : kScriptKeys) {
            ASSERT_EQ(inputs.keyDown(key.virtualKey), game[call].keys[key.virtualKey])
                << key.name << " at call " << call;
        }
    }
}

} // namespace

TEST(Recording, ReplaysToTheKeysAndSecondsTheGameSaw) {
    for (const unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        const std::vector<Reading> game = playedGame(5000, seed);
        std::istringstream in(recordingOf(game));
        ScriptError error;
        const std::optional<ReplayScript> script = parseScript(in, error);
        ASSERT_TRUE(script.has_value()) << error.line << ": " << error.message;
        EXPECT_EQ(script->calls, 5000);
        EXPECT_EQ(script->epoch, 1781000000);
        expectReplayReads(*script, game);
    }
}

TEST(Recording, WritesAClockLineAtEveryChangeOfSecondAndNowhereElse) {
    std::vector<Reading> game(400);
    for (std::size_t call = 0; call < game.size(); ++call) {
        // Exactly 100 calls a second, the replay's own pace, from a second's start: the replay
        // would reckon these seconds by itself, but a recording says them all the same.
        game[call].seconds = 50 + static_cast<std::int64_t>(call) / 100;
    }
    game[0].keys[KeyLeft] = true;
    game[1].keys[KeyLeft] = true;
    game[399].keys[KeyF4] = true;
    EXPECT_EQ(recordingOf(game), "# a game of Glimmerwake, recorded with glimmerwake --record\n"
                                 "epoch 50\n0 down LEFT\n2 up LEFT\n100 clock 51\n200 clock 52\n"
                                 "300 clock 53\n399 down F4\nend 400\n");
}

TEST(Recording, ACalendarSetBackIsRecordedToo) {
    std::vector<Reading> game(30);
    for (std::size_t call = 0; call < game.size(); ++call) {
        game[call].seconds = call < 10 ? 900 : call < 20 ? 880 : 881;
    }
    std::istringstream in(recordingOf(game));
    ScriptError error;
    const std::optional<ReplayScript> script = parseScript(in, error);
    ASSERT_TRUE(script.has_value()) << error.message;
    ASSERT_EQ(script->clockChanges.size(), 2u);
    expectReplayReads(*script, game);
}

TEST(Recording, TheRecorderWritesTheInputsOfEveryCallAndFinishesTheFile) {
    const std::string path = testDirectory() + "/game.rec";
    {
        Recorder recorder;
        recorder.start(path);
        CallInputs inputs;
        for (int call = 0; call < 250; ++call) {
            inputs.keys[KeySpace] = call >= 5 && call < 120;
            inputs.seconds = 1781000000 + call / 100;
            recorder.beginCall(call, inputs);
        }
        recorder.finish(250);
    }
    EXPECT_EQ(readWhole(path), "# a game of Glimmerwake, recorded with glimmerwake --record\n"
                               "epoch 1781000000\n5 down SPACE\n100 clock 1781000001\n"
                               "120 up SPACE\n200 clock 1781000002\nend 250\n");
}

TEST(Recording, AFileThatCannotBeWrittenIsSaidOnceAndTheGameGoesOn) {
    for (const std::string& path :
         {testDirectory() + "/no-such-directory/game.rec", std::string("/dev/full")}) {
        SCOPED_TRACE(path);
        testing::internal::CaptureStderr();
        {
            Recorder recorder;
            recorder.start(path);
            for (int call = 0; call < 500; ++call) {
                recorder.beginCall(call, CallInputs{});
            }
            recorder.finish(500);
        }
        const std::vector<std::string> said = linesOf(testing::internal::GetCapturedStderr());
        ASSERT_EQ(said.size(), 1u);
        EXPECT_EQ(said[0].rfind("glimmerwake: cannot ", 0), 0u) << said[0];
        EXPECT_TRUE(holds(said[0], path + ": ")) << said[0];
        EXPECT_TRUE(holds(said[0], "; the game goes on unrecorded")) << said[0];
    }
}
