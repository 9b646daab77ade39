#include "shell/common/command_line.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <vector>

namespace {

CommandLine parse(std::initializer_list<const char*> words) {
    std::vector<const char*> argv{"glimmerwake"};
    argv.insert(argv.end(), words.begin(), words.end());
    return parseCommandLine(static_cast<int>(argv.size()), argv.data());
}

using Action = CommandLine::Action;

TEST(CommandLine, PlainStartPlaysFullScreen) {
    const CommandLine line = parse({});
    EXPECT_EQ(line.action, Action::Play);
    EXPECT_FALSE(line.window);
    // A program started with no argv[0] at all (execve with an empty vector) still plays.
    EXPECT_EQ(parseCommandLine(0, nullptr).action, Action::Play);
}

TEST(CommandLine, OptionsAreReadWhereverTheyStand) {
    EXPECT_TRUE(parse({"--window"}).window);
    EXPECT_TRUE(parse({"--mute", "--window"}).mute);
    EXPECT_FALSE(parse({"--window"}).mute);
    // The music has its own switch, apart from the mute.
    const CommandLine noMusic = parse({"--no-music", "--window"});
    EXPECT_TRUE(noMusic.noMusic);
    EXPECT_FALSE(noMusic.mute);
    EXPECT_FALSE(parse({"--mute"}).noMusic);
    EXPECT_EQ(parse({"--window"}).action, Action::Play);
    EXPECT_EQ(parse({"--help"}).action, Action::Help);
    EXPECT_EQ(parse({"--version"}).action, Action::Version);
    EXPECT_EQ(parse({"--window", "--version"}).action, Action::Version);
    EXPECT_EQ(parse({"--scores"}).action, Action::Scores);
    EXPECT_TRUE(parse({"--daily", "--window"}).daily);
    EXPECT_FALSE(parse({"--window"}).daily);
    EXPECT_EQ(parse({"--daily", "--record", "x"}).action, Action::UsageError);
    EXPECT_EQ(parse({"--watch", "x", "--daily"}).action, Action::UsageError);
    // Answered at once: what follows is not looked at.
    EXPECT_EQ(parse({"--help", "--no-such-thing"}).action, Action::Help);
}

TEST(CommandLine, ABoardIsAnHttpOrHttpsAddress) {
    EXPECT_EQ(parse({"--board", "http://127.0.0.1:8080"}).boardUrl, "http://127.0.0.1:8080");
    EXPECT_EQ(parse({"--board", "https://board.example.org/"}).action, Action::Play);
    EXPECT_EQ(parse({}).boardUrl, "");
    for (const char* wrong : {"ftp://board.example.org", "file:///etc/passwd", "board.example.org",
                              "http://", "http:///path", "https://a b", "http://a\x01"}) {
        const CommandLine line = parse({"--board", wrong});
        EXPECT_EQ(line.action, Action::UsageError) << wrong;
        EXPECT_NE(line.error.find("--board"), std::string::npos) << line.error;
    }
    EXPECT_EQ(parse({"--board"}).action, Action::UsageError);
    EXPECT_FALSE(isBoardUrl("https://" + std::string(kMaxBoardUrlBytes, 'a')));
}

TEST(CommandLine, AnythingElseIsOneLineOfUsageError) {
    for (const auto& words : std::vector<std::vector<const char*>>{{"--fullscreen"},
                                                                   {"-h"},
                                                                   {"window"},
                                                                   {"--window", "extra"},
                                                                   {""},
                                                                   {"-"},
                                                                   {"--help=yes"},
                                                                   {"--WINDOW"}}) {
        std::vector<const char*> argv{"glimmerwake"};
        argv.insert(argv.end(), words.begin(), words.end());
        const CommandLine line = parseCommandLine(static_cast<int>(argv.size()), argv.data());
        const std::string last = argv.back();
        EXPECT_EQ(line.action, Action::UsageError) << last;
        EXPECT_EQ(line.error.find('\n'), std::string::npos) << line.error;
        EXPECT_NE(line.error.find("'" + last + "'"), std::string::npos) << line.error;
        EXPECT_EQ(line.error.rfind("glimmerwake: ", 0), 0u) << line.error;
    }
}

TEST(CommandLine, TakesTheFileOfEachOption) {
    const CommandLine recording = parse({"--record", "game.rec", "--final-state", "end.json"});
    EXPECT_EQ(recording.action, Action::Play);
    EXPECT_EQ(recording.recordFile, "game.rec");
    EXPECT_EQ(recording.finalStateFile, "end.json");
    EXPECT_EQ(recording.watchFile, "");
    // A file may be named like an option.
    const CommandLine watching = parse({"--watch", "--record", "--window"});
    EXPECT_EQ(watching.action, Action::Play);
    EXPECT_EQ(watching.watchFile, "--record");
    EXPECT_TRUE(watching.window);
    EXPECT_EQ(parse({"--shots", "pictures", "--watch", "game.rec"}).shotsDir, "pictures");
}

TEST(CommandLine, RefusesFilesItCannotFollow) {
    const auto errorOf = [](std::initializer_list<const char*> words) {
        const CommandLine line = parse(words);
        EXPECT_EQ(line.action, Action::UsageError);
        return line.error;
    };
    EXPECT_EQ(errorOf({"--record"}), "glimmerwake: --record needs FILE (try 'glimmerwake --help')");
    EXPECT_NE(errorOf({"--watch", ""}).find("--watch needs FILE"), std::string::npos);
    EXPECT_NE(errorOf({"--record", "a", "--record", "b"}).find("--record given twice"),
              std::string::npos);
    EXPECT_NE(
        errorOf({"--record", "a", "--watch", "b"}).find("--record and --watch cannot go together"),
        std::string::npos);
    // Shots come only from a watched script.
    EXPECT_NE(errorOf({"--shots", "pictures"}).find("--shots goes with --watch"),
              std::string::npos);
}

TEST(CommandLine, HelpNamesEveryOptionAndVersionIsOneLine) {
    const std::string help = commandLineHelp();
    for (const char* option :
         {"--window", "--mute", "--no-music", "--daily", "--record", "--watch", "--shots",
          "--board", "--final-state", "--scores", "--help", "--version"}) {
        EXPECT_NE(help.find(option), std::string::npos) << option;
    }
    EXPECT_EQ(help.back(), '\n');
    const std::string version = commandLineVersion();
    EXPECT_EQ(version.rfind("glimmerwake ", 0), 0u);
    EXPECT_EQ(version.find('\n'), version.size() - 1);
}

} // namespace
