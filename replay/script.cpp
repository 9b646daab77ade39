#include "replay/script.h"

#include "platform/virtual_keys.h"

#include <cstdio>
#include <limits>
#include <string_view>

namespace {

constexpr std::int64_t kMaxCall = std::numeric_limits<int>::max();
// The calendar clock runs on from the epoch by a second every 100 calls: the largest epoch still
// leaves room for the longest script.
constexpr std::int64_t kMaxEpoch = std::numeric_limits<std::int64_t>::max() - kMaxCall / 100;
// Text quoted back in a message is cut to this length, so that a line of megabytes cannot flood
// the terminal.
constexpr std::size_t kQuoteLength = 40;
constexpr std::string_view kBlanks = " \t\r\v\f";

// A UTF-8 byte-order mark, which some editors put before the first line.
constexpr std::string_view kByteOrderMark = "\xef\xbb\xbf";

// The script as far as it has been read, and what that leaves the next line free to say.
struct ParseState {
    ReplayScript script;
    bool sawCommand = false;
    bool sawCall = false;
    bool sawEnd = false;
    int lastCall = 0;
};

// A control character is quoted as an escape such as \x1b: written as it stands it would reach
// the terminal, which may take it as a command to move, recolour or retitle itself.
std::string quoted(std::string_view text) {
    std::string out = "'";
    for (const char c : text.substr(0, kQuoteLength)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02x", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + (text.size() > kQuoteLength ? "...'" : "'");
}

std::vector<std::string_view> wordsOf(std::string_view line) {
    line = line.substr(0, line.find('#'));
    std::vector<std::string_view> words;
    std::size_t start = line.find_first_not_of(kBlanks);
    while (start != std::string_view::npos) {
        const std::size_t end = line.find_first_of(kBlanks, start);
        words.push_back(line.substr(start, end - start));
        start = end == std::string_view::npos ? end : line.find_first_not_of(kBlanks, end);
    }
    return words;
}

// Decimal digits only, at most `max`. Writes the value, or why there is none, and says which.
bool readNumber(std::string_view word, std::string_view field, std::int64_t max,
                std::int64_t& value, std::string& error) {
    value = 0;
    for (const char c : word) {
        if (c < '0' || c > '9') {
            error = std::string(field) + " " + quoted(word) + " is not a number of decimal digits";
            return false;
        }
        const int digit = c - '0';
        if (value > (max - digit) / 10) {
            error = std::string(field) + " " + quoted(word) + " is too large (at most " +
                    std::to_string(max) + ")";
            return false;
        }
        value = value * 10 + digit;
    }
    return true;
}

// The words a command must have: all of `form`'s, no more.
bool hasFields(const std::vector<std::string_view>& words, std::string_view form,
               std::string& error) {
    const std::vector<std::string_view> fields = wordsOf(form);
    if (words.size() < fields.size()) {
        error = "missing " + std::string(fields[words.size()]) + " in '" + std::string(form) + "'";
        return false;
    }
    if (words.size() > fields.size()) {
        error = "unexpected " + quoted(words[fields.size()]) + " after '" + std::string(form) + "'";
        return false;
    }
    return true;
}

bool readCall(std::string_view word, ParseState& state, int& call, std::string& error) {
    std::int64_t value = 0;
    if (!readNumber(word, "CALL", kMaxCall, value, error)) {
        return false;
    }
    if (value < state.lastCall) {
        error = "call " + std::to_string(value) + " comes after call " +
                std::to_string(state.lastCall) + ": calls must not decrease";
        return false;
    }
    call = static_cast<int>(value);
    state.lastCall = call;
    state.sawCall = true;
    return true;
}

bool readEpoch(const std::vector<std::string_view>& words, ParseState& state, std::string& error) {
    if (state.sawCommand) {
        error = "epoch must come before every other command";
        return false;
    }
    return hasFields(words, "epoch SECONDS", error) &&
           readNumber(words[1], "SECONDS", kMaxEpoch, state.script.epoch, error);
}

bool readShot(const std::vector<std::string_view>& words, int line, ParseState& state,
              std::string& error) {
    int call = 0;
    if (!hasFields(words, "shot CALL FILE", error) || !readCall(words[1], state, call, error)) {
        return false;
    }
    for (const char c : words[2]) {
        // A NUL would cut the name short where the file is opened.
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            error = "FILE " + quoted(words[2]) + " holds a control character";
            return false;
        }
    }
    state.script.shots.push_back({call, std::string(words[2]), line});
    return true;
}

// The first command at or past the end count: its line and call, or line 0 when there is none.
// Both lists are in call order, so only their first such entries need a look.
struct CommandAt {
    int line = 0;
    int call = 0;
};

CommandAt firstCommandPast(const ReplayScript& script, int calls) {
    CommandAt first;
    const auto consider = [&first](int line, int call) {
        if (first.line == 0 || line < first.line) {
            first = {line, call};
        }
    };
    for (const KeyChange& change : script.keyChanges) {
        if (change.call >= calls) {
            consider(change.line, change.call);
            break;
        }
    }
    for (const ClockChange& change : script.clockChanges) {
        if (change.call >= calls) {
            consider(change.line, change.call);
            break;
        }
    }
    for (const ShotRequest& shot : script.shots) {
        if (shot.call >= calls) {
            consider(shot.line, shot.call);
            break;
        }
    }
    return first;
}

bool readEnd(const std::vector<std::string_view>& words, ParseState& state, ScriptError& error) {
    std::int64_t calls = 0;
    if (!hasFields(words, "end CALLS", error.message) ||
        !readNumber(words[1], "CALLS", kMaxCall, calls, error.message)) {
        return false;
    }
    state.script.calls = static_cast<int>(calls);
    if (const CommandAt past = firstCommandPast(state.script, state.script.calls); past.line != 0) {
        error.line = past.line;
        error.message = "call " + std::to_string(past.call) + " is never run: 'end " +
                        std::to_string(calls) + "' runs the calls below " + std::to_string(calls);
        return false;
    }
    state.sawEnd = true;
    return true;
}

bool readClockChange(const std::vector<std::string_view>& words, int line, ParseState& state,
                     std::string& error) {
    int call = 0;
    std::int64_t seconds = 0;
    if (!hasFields(words, "CALL clock SECONDS", error) || !readCall(words[0], state, call, error) ||
        !readNumber(words[2], "SECONDS", kMaxEpoch, seconds, error)) {
        return false;
    }
    state.script.clockChanges.push_back({call, seconds, line});
    return true;
}

bool readKeyChange(const std::vector<std::string_view>& words, int line, ParseState& state,
                   std::string& error) {
    const bool down = words[1] == "down";
    int call = 0;
    if (!hasFields(words, down ? "CALL down KEY" : "CALL up KEY", error) ||
        !readCall(words[0], state, call, error)) {
        return false;
    }
    for (const ScriptKey& key : kScriptKeys) {
        if (words[2] == key.name) {
            state.script.keyChanges.push_back({call, key.virtualKey, down, line});
            return true;
        }
    }
    error = "unknown key " + quoted(words[2]) +
            " (the keys are LEFT RIGHT UP DOWN SPACE RETURN ESCAPE F2 F3 F4 1 2 3)";
    return false;
}

// A command that starts with its call: a key change or a clock reading.
bool readCallCommand(const std::vector<std::string_view>& words, int line, ParseState& state,
                     std::string& error) {
    if (words.size() < 2) {
        error = "missing down, up or clock in 'CALL down KEY'";
        return false;
    }
    if (words[1] == "clock") {
        return readClockChange(words, line, state, error);
    }
    if (words[1] != "down" && words[1] != "up") {
        error = "unknown command " + quoted(words[1]);
        return false;
    }
    return readKeyChange(words, line, state, error);
}

bool readLine(std::string_view text, int line, ParseState& state, ScriptError& error) {
    const std::vector<std::string_view> words = wordsOf(text);
    if (words.empty()) {
        return true;
    }
    error.line = line;
    if (state.sawEnd) {
        error.message = "text after 'end': it must be the last command";
        return false;
    }
    const std::string_view command = words[0];
    const bool isCall =
        command[0] == '+' || command[0] == '-' || (command[0] >= '0' && command[0] <= '9');
    bool sound = false;
    if (command == "epoch") {
        sound = readEpoch(words, state, error.message);
    } else if (command == "shot") {
        sound = readShot(words, line, state, error.message);
    } else if (command == "end") {
        sound = readEnd(words, state, error);
    } else if (isCall) {
        sound = readCallCommand(words, line, state, error.message);
    } else {
        error.message = "unknown command " + quoted(command);
    }
    state.sawCommand = true;
    return sound;
}

// Reads one line, without its newline, into `text`; false at the end of the input. Stops with
// an error at a line longer than kMaxLineBytes or a script longer than kMaxScriptBytes, so that
// no input, however long, is taken in whole. `terminated` says whether a newline ended the line.
bool readBoundedLine(std::streambuf& in, std::string& text, std::size_t& total, bool& terminated,
                     std::string& error) {
    text.clear();
    terminated = false;
    for (int c = in.sbumpc(); c != std::char_traits<char>::eof(); c = in.sbumpc()) {
        if (++total > kMaxScriptBytes) {
            error = "the script is longer than " + std::to_string(kMaxScriptBytes) +
                    " bytes, the most a script may be";
            return false;
        }
        if (c == '\n') {
            terminated = true;
            return true;
        }
        if (text.size() == kMaxLineBytes) {
            error = "the line is longer than " + std::to_string(kMaxLineBytes) +
                    " bytes, the most a line may be";
            return false;
        }
        text += static_cast<char>(c);
    }
    return !text.empty();
}

bool isEndLine(std::string_view text) {
    const std::vector<std::string_view> words = wordsOf(text);
    return !words.empty() && words[0] == "end";
}

// A script cut short has run through the call of its last command, as far as anyone can tell.
// That call must leave room for the count of calls it makes.
bool endAtLastCall(ParseState& state, ScriptError& error) {
    if (state.sawCall && state.lastCall == kMaxCall) {
        error.message = "call " + std::to_string(kMaxCall) +
                        " is never run: a script runs at most " + std::to_string(kMaxCall) +
                        " calls";
        return false;
    }
    state.script.ended = false;
    state.script.calls = state.sawCall ? state.lastCall + 1 : 0;
    return true;
}

} // namespace

const ScriptKey kScriptKeys[kScriptKeyCount] = {
    {"LEFT", KeyLeft},   {"RIGHT", KeyRight},   {"UP", KeyUp},         {"DOWN", KeyDown},
    {"SPACE", KeySpace}, {"RETURN", KeyReturn}, {"ESCAPE", KeyEscape}, {"F2", KeyF2},
    {"F3", KeyF3},       {"F4", KeyF4},         {"1", Key1},           {"2", Key2},
    {"3", Key3},
};

std::optional<ReplayScript> parseScript(std::istream& in, ScriptError& error,
                                        ScriptOptions options) {
    ParseState state;
    std::string text;
    int line = 0;
    std::size_t total = 0;
    bool terminated = true;
    std::streambuf* const buffer = in.rdbuf();
    while (buffer != nullptr) {
        std::string tooLong;
        const bool more = readBoundedLine(*buffer, text, total, terminated, tooLong);
        if (!tooLong.empty()) {
            error = {line + 1, tooLong};
            return std::nullopt;
        }
        if (!more) {
            break;
        }
        // Lines are counted in an int; a script of two thousand million lines is nobody's game.
        if (line == std::numeric_limits<int>::max()) {
            error = {line, "the script has too many lines"};
            return std::nullopt;
        }
        ++line;
        if (line == 1 && text.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0) {
            text.erase(0, kByteOrderMark.size());
        }
        if (options.partial && !terminated && !state.sawEnd && !isEndLine(text)) {
            // The writer was stopped in the middle of this line: what there is of it may say
            // something else than the whole line did. A last `end` without its newline is a
            // whole script written by hand.
            state.script.lastLineCut = true;
            break;
        }
        if (!readLine(text, line, state, error)) {
            // A last line without its newline and no `end` before it: most likely a recording
            // whose writer was stopped in the middle of the line.
            error.noEnd = !terminated && !state.sawEnd;
            return std::nullopt;
        }
    }
    // What is missing is missing at the last line read.
    const int lastLine = line == 0 ? 1 : line;
    if (buffer == nullptr || in.bad()) {
        error = {lastLine, "the script cannot be read to its end"};
        return std::nullopt;
    }
    if (!state.sawEnd) {
        if (options.partial) {
            error.line = lastLine;
            return endAtLastCall(state, error) ? std::optional(state.script) : std::nullopt;
        }
        error = {lastLine, "no 'end CALLS': the script must end with one", true};
        return std::nullopt;
    }
    return state.script;
}
