#include "shell/command_line.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <vector>

namespace {

CommandLine parse(std::initializer_list<const char*> arguments) {
    std::vector<char*> argv{const_cast<char*>("glimmerwake")};
    for (const char* argument : arguments) {
        argv.push_back(const_cast<char*>(argument));
    }
    argv.push_back(nullptr);
    return parseCommandLine(static_cast<int>(argv.size()) - 1, argv.data());
}

} // namespace

TEST(CommandLine, APlainStartAsksForNothing) {
    const CommandLine plain = parse({});
    EXPECT_EQ(plain.usageError, "");
    EXPECT_EQ(plain.recordFile, "");
    EXPECT_EQ(plain.watchFile, "");
    EXPECT_EQ(plain.finalStateFile, "");
}

TEST(CommandLine, TakesTheFileOfEachOption) {
    const CommandLine recording = parse({"--record", "game.rec", "--final-state", "end.json"});
    EXPECT_EQ(recording.usageError, "");
    EXPECT_EQ(recording.recordFile, "game.rec");
    EXPECT_EQ(recording.finalStateFile, "end.json");
    // A file may be named like an option.
    const CommandLine watching = parse({"--watch", "--record"});
    EXPECT_EQ(watching.usageError, "");
    EXPECT_EQ(watching.watchFile, "--record");
}

TEST(CommandLine, RefusesWhatItCannotFollow) {
    EXPECT_EQ(parse({"--bogus"}).usageError, "unknown option '--bogus'");
    EXPECT_EQ(parse({"game.rec"}).usageError, "unknown option 'game.rec'");
    EXPECT_EQ(parse({"--record"}).usageError, "--record needs a FILE");
    EXPECT_EQ(parse({"--watch", ""}).usageError, "--watch needs a FILE");
    EXPECT_EQ(parse({"--record", "a", "--record", "b"}).usageError, "--record given twice");
    EXPECT_EQ(parse({"--record", "a", "--watch", "b"}).usageError,
              "--record and --watch cannot go together");
}
