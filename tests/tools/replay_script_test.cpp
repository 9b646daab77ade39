#include "platform/virtual_keys.h"
#include "replay/script.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

std::optional<ReplayScript> parse(const std::string& text, ScriptError& error) {
    std::istringstream in(text);
    return parseScript(in, error);
}

// The script is refused at `line` with a message that holds `fragment`.
void expectMalformed(const std::string& text, int line, const std::string& fragment) {
    SCOPED_TRACE(text.size() < 200 ? text : text.substr(0, 200) + "...");
    ScriptError error;
    EXPECT_FALSE(parse(text, error).has_value());
    EXPECT_EQ(error.line, line);
    EXPECT_NE(error.message.find(fragment), std::string::npos) << error.message;
}

} // namespace

TEST(ReplayScript, ReadsEveryCommandWithCommentsBlanksAndTabs) {
    const std::string text = "# a game that starts and steers\n"
                             "\n"
                             "epoch 1781000000   # the calendar at call 0\n"
                             "2 down RETURN\n"
                             "3\tup\tRETURN\r\n"
                             "40 down LEFT\n"
                             "40 up LEFT\n"
                             "40 down 3\n"
                             "shot 102 left.png\n"
                             "102 down F4\n"
                             "end 400\n"
                             "   # nothing but comments after the end\n";
    ScriptError error;
    const std::optional<ReplayScript> script = parse(text, error);
    ASSERT_TRUE(script.has_value()) << error.line << ": " << error.message;
    EXPECT_EQ(script->epoch, 1781000000);
    EXPECT_EQ(script->calls, 400);
    ASSERT_EQ(script->keyChanges.size(), 6u);
    const KeyChange expected[] = {{2, KeyReturn, true, 4}, {3, KeyReturn, false, 5},
                                  {40, KeyLeft, true, 6},  {40, KeyLeft, false, 7},
                                  {40, Key3, true, 8},     {102, KeyF4, true, 10}};
    for (std::size_t i = 0; i < script->keyChanges.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(script->keyChanges[i].call, expected[i].call);
        EXPECT_EQ(script->keyChanges[i].virtualKey, expected[i].virtualKey);
        EXPECT_EQ(script->keyChanges[i].down, expected[i].down);
        EXPECT_EQ(script->keyChanges[i].line, expected[i].line);
    }
    ASSERT_EQ(script->shots.size(), 1u);
    EXPECT_EQ(script->shots[0].call, 102);
    EXPECT_EQ(script->shots[0].file, "left.png");
    EXPECT_EQ(script->shots[0].line, 9);
}

TEST(ReplayScript, KnowsEveryKeyTheGamePolls) {
    const std::pair<const char*, int> keys[] = {
        {"LEFT", KeyLeft},   {"RIGHT", KeyRight},   {"UP", KeyUp},         {"DOWN", KeyDown},
        {"SPACE", KeySpace}, {"RETURN", KeyReturn}, {"ESCAPE", KeyEscape}, {"F2", KeyF2},
        {"F3", KeyF3},       {"F4", KeyF4},         {"1", Key1},           {"2", Key2},
        {"3", Key3}};
    for (const auto& [name, virtualKey] : keys) {
        ScriptError error;
        const auto script = parse(std::string("0 down ") + name + "\nend 1\n", error);
        ASSERT_TRUE(script.has_value()) << name << ": " << error.message;
        EXPECT_EQ(script->keyChanges.at(0).virtualKey, virtualKey) << name;
    }
    expectMalformed("0 down left\nend 1\n", 1, "unknown key 'left'");
    expectMalformed("0 down A\nend 1\n", 1, "unknown key 'A'");
    expectMalformed("0 down F1\nend 1\n", 1, "unknown key 'F1'");
}

TEST(ReplayScript, TheEpochIsOptionalAndAnEmptyGameIsSound) {
    ScriptError error;
    const auto script = parse("end 0", error);
    ASSERT_TRUE(script.has_value()) << error.message;
    EXPECT_EQ(script->epoch, kDefaultEpoch);
    EXPECT_EQ(script->calls, 0);
    EXPECT_TRUE(script->keyChanges.empty());
    EXPECT_TRUE(script->shots.empty());
}

TEST(ReplayScript, RefusesUnknownCommands) {
    expectMalformed("jump 3\nend 5\n", 1, "unknown command 'jump'");
    expectMalformed("2 press LEFT\nend 5\n", 1, "unknown command 'press'");
    expectMalformed("End 5\n", 1, "unknown command 'End'");
    expectMalformed("\n\nSHOT 1 a.png\nend 5\n", 3, "unknown command 'SHOT'");
}

TEST(ReplayScript, RefusesMissingAndExtraFields) {
    expectMalformed("2\nend 5\n", 1, "missing down, up or clock");
    expectMalformed("2 down\nend 5\n", 1, "missing KEY");
    expectMalformed("2 up # RETURN\nend 5\n", 1, "missing KEY");
    expectMalformed("shot\nend 5\n", 1, "missing CALL");
    expectMalformed("shot 1\nend 5\n", 1, "missing FILE");
    expectMalformed("epoch\nend 5\n", 1, "missing SECONDS");
    expectMalformed("end\n", 1, "missing CALLS");
    expectMalformed("2 down LEFT RIGHT\nend 5\n", 1, "unexpected 'RIGHT'");
    expectMalformed("shot 1 a b.png\nend 5\n", 1, "unexpected 'b.png'");
    expectMalformed("end 5 6\n", 1, "unexpected '6'");
}

TEST(ReplayScript, NumbersAreDecimalDigitsOnly) {
    expectMalformed("-1 down LEFT\nend 5\n", 1, "CALL '-1' is not a number");
    expectMalformed("+1 down LEFT\nend 5\n", 1, "CALL '+1' is not a number");
    expectMalformed("1e3 down LEFT\nend 5000\n", 1, "CALL '1e3' is not a number");
    expectMalformed("0x10 down LEFT\nend 50\n", 1, "CALL '0x10' is not a number");
    expectMalformed("shot 1.5 a.png\nend 5\n", 1, "CALL '1.5' is not a number");
    expectMalformed("epoch -5\nend 5\n", 1, "SECONDS '-5' is not a number");
    expectMalformed("end ten\n", 1, "CALLS 'ten' is not a number");
    expectMalformed("end -1\n", 1, "CALLS '-1' is not a number");
    // Past what a call number can hold.
    expectMalformed("2147483648 down LEFT\nend 5\n", 1, "too large");
    expectMalformed("end 99999999999999999999999\n", 1, "too large");
    expectMalformed("epoch 99999999999999999999\nend 5\n", 1, "too large");

    ScriptError error;
    const auto script = parse("epoch 0\n2147483646 down LEFT\nend 2147483647\n", error);
    ASSERT_TRUE(script.has_value()) << error.message;
    EXPECT_EQ(script->epoch, 0);
    EXPECT_EQ(script->keyChanges.at(0).call, 2147483646);
    EXPECT_EQ(script->calls, 2147483647);
    EXPECT_TRUE(parse("007 down LEFT\nend 8\n", error).has_value()) << error.message;
}

TEST(ReplayScript, CallsMustNotDecrease) {
    expectMalformed("5 down LEFT\n3 up LEFT\nend 9\n", 2, "call 3 comes after call 5");
    expectMalformed("5 down LEFT\nshot 4 a.png\nend 9\n", 2, "call 4 comes after call 5");
    expectMalformed("shot 6 a.png\n5 down LEFT\nend 9\n", 2, "call 5 comes after call 6");
    ScriptError error;
    EXPECT_TRUE(parse("5 down LEFT\nshot 5 a.png\n5 up LEFT\nend 9\n", error).has_value())
        << error.message;
}

TEST(ReplayScript, CallsMustBeBelowTheEndCount) {
    expectMalformed("5 down LEFT\nend 5\n", 1, "call 5 is never run");
    expectMalformed("1 down LEFT\n\n9 up LEFT\nend 5\n", 3, "call 9 is never run");
    expectMalformed("4 down LEFT\nshot 7 a.png\n8 up LEFT\nend 5\n", 2, "call 7 is never run");
    expectMalformed("0 down LEFT\nend 0\n", 1, "call 0 is never run");
}

TEST(ReplayScript, EndIsRequiredAndComesLast) {
    expectMalformed("", 1, "no 'end CALLS'");
    expectMalformed("# just a note\n\n", 2, "no 'end CALLS'");
    expectMalformed("1 down LEFT\n2 up LEFT\n", 2, "no 'end CALLS'");
    expectMalformed("end 5\n1 down LEFT\n", 2, "text after 'end'");
    expectMalformed("end 5\n\n# fine so far\nend 6\n", 4, "text after 'end'");
    expectMalformed("end 5\nepoch 7\n", 2, "text after 'end'");
}

TEST(ReplayScript, EpochComesBeforeEveryOtherCommand) {
    expectMalformed("1 down LEFT\nepoch 5\nend 4\n", 2, "epoch must come before");
    expectMalformed("epoch 5\nepoch 6\nend 4\n", 2, "epoch must come before");
    expectMalformed("shot 0 a.png\nepoch 5\nend 4\n", 2, "epoch must come before");
    ScriptError error;
    EXPECT_TRUE(parse("# notes may come first\n\nepoch 5\nend 4\n", error).has_value())
        << error.message;
}

TEST(ReplayScript, RefusesAFileNameWithAControlCharacter) {
    expectMalformed(std::string("shot 1 a\0b.png\nend 5\n", 20), 1, "control character");
}

TEST(ReplayScript, ReadsAScriptOfManyMegabytes) {
    std::string text;
    const int calls = 400000;
    for (int call = 0; call < calls; ++call) {
        text += std::to_string(call) + (call % 2 == 0 ? " down SPACE\n" : " up SPACE\n");
    }
    text += "end " + std::to_string(calls) + "\n";
    ASSERT_GT(text.size(), 5u * 1024 * 1024);
    ScriptError error;
    const auto script = parse(text, error);
    ASSERT_TRUE(script.has_value()) << error.line << ": " << error.message;
    EXPECT_EQ(script->keyChanges.size(), std::size_t(calls));
    EXPECT_EQ(script->keyChanges.back().line, calls);

    // The same script cut short of its end is refused at its last line.
    text.resize(text.rfind("end"));
    expectMalformed(text, calls, "no 'end CALLS'");
}

TEST(ReplayScript, ReadsLinesUpToTheBoundAndNamesTheBoundPastIt) {
    const std::string comment = "1 down LEFT # ";
    const std::string atBound = comment + std::string(kMaxLineBytes - comment.size(), 'x');
    ScriptError error;
    EXPECT_TRUE(parse(atBound + "\nend 2\n", error).has_value()) << error.message;
    EXPECT_TRUE(parse(std::string(kMaxLineBytes - 5, ' ') + "end 2", error).has_value())
        << error.message;

    // One byte more, with or without its newline, and wherever the line is.
    expectMalformed(atBound + "x\nend 2\n", 1, "longer than 4096 bytes");
    expectMalformed("# fine\n" + std::string(kMaxLineBytes + 1, ' ') + "end 2", 2,
                    "the line is longer than 4096 bytes, the most a line may be");
    // A stream of zeros, as from /dev/zero, is refused after the bound, not read whole.
    expectMalformed(std::string(16 * 1024 * 1024, '\0'), 1, "longer than 4096 bytes");

    // A word of a line's length is quoted back cut short.
    const std::string longWord(kMaxLineBytes, 'x');
    EXPECT_FALSE(parse(longWord + "\nend 2\n", error).has_value());
    EXPECT_EQ(error.line, 1);
    EXPECT_NE(error.message.find("unknown command 'xxx"), std::string::npos);
    EXPECT_LT(error.message.size(), 200u);
    EXPECT_FALSE(
        parse("1 down LEFT\n" + std::string(4000, '7') + " up LEFT\nend 2\n", error).has_value());
    EXPECT_EQ(error.line, 2);
    EXPECT_LT(error.message.size(), 200u);
}

TEST(ReplayScript, AScriptIsBoundedAsAWhole) {
    // Lines of sound length, blank or comments, past the bound of the whole script.
    const std::string comment = "#" + std::string(kMaxLineBytes - 1, '-') + "\n";
    std::string text;
    while (text.size() <= kMaxScriptBytes) {
        text += comment;
    }
    const int lastLine = static_cast<int>(kMaxScriptBytes / comment.size()) + 1;
    expectMalformed(text + "end 1\n", lastLine,
                    "the script is longer than 67108864 bytes, the most a script may be");
    // Right at the bound it is read.
    text.resize(kMaxScriptBytes - 6);
    text.back() = '\n';
    ScriptError error;
    EXPECT_TRUE(parse(text + "end 1\n", error).has_value()) << error.line << error.message;
}

TEST(ReplayScript, AByteOrderMarkBeforeTheFirstLineIsPassedOver) {
    ScriptError error;
    const std::string mark = "\xef\xbb\xbf";
    const auto script = parse(mark + "epoch 5\n1 down LEFT\nend 3\n", error);
    ASSERT_TRUE(script.has_value()) << error.message;
    EXPECT_EQ(script->epoch, 5);
    EXPECT_TRUE(parse(mark + "# notes\nend 3\n", error).has_value()) << error.message;
    expectMalformed(mark, 1, "no 'end CALLS'");
    // Only before the first line: anywhere else the mark is no blank.
    expectMalformed("end 3\n" + mark + "\n", 2, "text after 'end'");
    expectMalformed("# notes\n" + mark + "end 3\n", 2, "unknown command '" + mark + "end'");
}

TEST(ReplayScript, ReadsClockLinesInCallOrder) {
    ScriptError error;
    const auto script = parse("epoch 100\n0 clock 100\n57 clock 101\n57 down LEFT\n"
                              "158 clock 102\n300 clock 90\nend 400\n",
                              error);
    ASSERT_TRUE(script.has_value()) << error.message;
    ASSERT_EQ(script->clockChanges.size(), 4u);
    EXPECT_EQ(script->clockChanges[1].call, 57);
    EXPECT_EQ(script->clockChanges[1].seconds, 101);
    EXPECT_EQ(script->clockChanges[1].line, 3);
    // A clock may be set back: the calendar of a real machine can be.
    EXPECT_EQ(script->clockChanges[3].seconds, 90);
    EXPECT_EQ(script->keyChanges.at(0).call, 57);

    expectMalformed("5 clock\nend 9\n", 1, "missing SECONDS in 'CALL clock SECONDS'");
    expectMalformed("5 clock 7 8\nend 9\n", 1, "unexpected '8'");
    expectMalformed("5 clock -7\nend 9\n", 1, "SECONDS '-7' is not a number");
    expectMalformed("5 clock 99999999999999999999\nend 9\n", 1, "too large");
    expectMalformed("6 down LEFT\n5 clock 7\nend 9\n", 2, "call 5 comes after call 6");
    expectMalformed("1 down LEFT\n9 clock 7\nend 5\n", 2, "call 9 is never run");
    expectMalformed("5 clock 7\nepoch 3\nend 9\n", 2, "epoch must come before");
}

TEST(ReplayScript, APartialRecordingRunsThroughItsLastCall) {
    const ScriptOptions partial{true};
    ScriptError error;
    std::istringstream killed("epoch 9\n4 down LEFT\n57 clock 10\n");
    auto script = parseScript(killed, error, partial);
    ASSERT_TRUE(script.has_value()) << error.message;
    EXPECT_FALSE(script->ended);
    EXPECT_FALSE(script->lastLineCut);
    EXPECT_EQ(script->calls, 58);

    // A line the writer never finished is left out: "15" of "158 clock 11" would be a lie.
    std::istringstream cut("epoch 9\n4 down LEFT\n57 clock 10\n15");
    script = parseScript(cut, error, partial);
    ASSERT_TRUE(script.has_value()) << error.message;
    EXPECT_TRUE(script->lastLineCut);
    EXPECT_EQ(script->calls, 58);

    // Nothing but the epoch: no call to run.
    std::istringstream empty("epoch 9\n");
    script = parseScript(empty, error, partial);
    ASSERT_TRUE(script.has_value()) << error.message;
    EXPECT_EQ(script->calls, 0);

    // A whole script is read as ever, its end and all.
    std::istringstream whole("4 down LEFT\nend 30");
    script = parseScript(whole, error, partial);
    ASSERT_TRUE(script.has_value()) << error.message;
    EXPECT_TRUE(script->ended);
    EXPECT_EQ(script->calls, 30);

    // What is malformed stays malformed, and without asking, an end is still required.
    std::istringstream bad("4 down LEFT\n3 up LEFT\n");
    EXPECT_FALSE(parseScript(bad, error, partial).has_value());
    EXPECT_EQ(error.line, 2);
    expectMalformed("epoch 9\n4 down LEFT\n", 2, "no 'end CALLS'");
}
