// Scripts the fuzzer found to upset the script reader, kept so that the fault stays fixed.

#include "replay/script.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

namespace {

std::string messageFor(const std::string& text) {
    std::istringstream in(text);
    ScriptError error;
    EXPECT_FALSE(parseScript(in, error).has_value());
    return error.message;
}

bool holdsControlCharacter(const std::string& message) {
    return std::any_of(message.begin(), message.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; });
}

} // namespace

// The message goes to the terminal, where an escape sequence quoted as it stands would take
// effect: here one that retitles the window, and one that clears the screen.
TEST(ReplayScriptRegression, ControlCharactersAreQuotedAsEscapes) {
    const std::string shot = messageFor("shot 1 a\x1b]2;owned\x07z.png\nend 2\n");
    EXPECT_NE(shot.find("'a\\x1b]2;owned\\x07z.png'"), std::string::npos) << shot;
    EXPECT_FALSE(holdsControlCharacter(shot)) << shot;

    const std::string command = messageFor(std::string("\x1b[2J\x7f\0go\nend 2\n", 13));
    EXPECT_NE(command.find("unknown command '\\x1b[2J\\x7f\\x00go'"), std::string::npos) << command;

    // Cut short after as many characters of the script as ever, however long their escapes.
    const std::string key = messageFor("1 down " + std::string(50, '\x01') + "\nend 2\n");
    std::string forty;
    for (int i = 0; i < 40; ++i) {
        forty += "\\x01";
    }
    EXPECT_NE(key.find("unknown key '" + forty + "...'"), std::string::npos) << key;
}

// Read as a recording cut short, a script runs through its last command's call: one at the
// largest call number would make a count of calls one past what an int holds.
TEST(ReplayScriptRegression, APartialScriptAtTheLastCallNumberIsRefused) {
    std::istringstream in("shot 02147483647 aE\n");
    ScriptError error;
    EXPECT_FALSE(parseScript(in, error, {true}).has_value());
    EXPECT_EQ(error.line, 1);
    EXPECT_EQ(error.message,
              "call 2147483647 is never run: a script runs at most 2147483647 calls");
}
