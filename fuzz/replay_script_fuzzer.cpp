// Feeds arbitrary text to the replay tool's script reader, and checks that what it accepts is a
// script the replay can run as read, and that what it refuses it refuses with a short, printable
// message pointing at a line of the script.

#include "platform/virtual_keys.h"
#include "replay/script.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

// Messages quote at most a short piece of the line, so even a line of megabytes gives one that
// fits a terminal line or two.
constexpr std::size_t kMaxMessageLength = 320;

// A message goes to the terminal: the script's bytes in it must not be able to drive it.
bool isPrintable(const std::string& message) {
    return std::none_of(message.begin(), message.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; });
}

// Lines as the reader counts them: a last line without its newline counts too.
int lineCount(const std::string& text) {
    const auto newlines = std::count(text.begin(), text.end(), '\n');
    const bool unterminated = !text.empty() && text.back() != '\n';
    return static_cast<int>(newlines) + (unterminated ? 1 : 0);
}

bool isPolledKey(int virtualKey) {
    for (const int key : {KeyLeft, KeyRight, KeyUp, KeyDown, KeySpace, KeyReturn, KeyEscape, KeyF2,
                          KeyF3, KeyF4, Key1, Key2, Key3}) {
        if (virtualKey == key) {
            return true;
        }
    }
    return false;
}

// Commands in file order, at calls that never go down and are all run, each from a line that
// exists.
template <typename Command>
bool inOrder(const std::vector<Command>& commands, int calls, int lines) {
    int lastCall = 0;
    int lastLine = 0;
    for (const Command& command : commands) {
        if (command.call < lastCall || command.call >= calls || command.line <= lastLine ||
            command.line > lines) {
            return false;
        }
        lastCall = command.call;
        lastLine = command.line;
    }
    return true;
}

bool isRunnable(const ReplayScript& script, int lines) {
    if (script.calls < 0 || script.epoch < 0 || !inOrder(script.keyChanges, script.calls, lines) ||
        !inOrder(script.shots, script.calls, lines) ||
        !inOrder(script.clockChanges, script.calls, lines)) {
        return false;
    }
    for (const ClockChange& change : script.clockChanges) {
        if (change.seconds < 0) {
            return false;
        }
    }
    for (const KeyChange& change : script.keyChanges) {
        if (!isPolledKey(change.virtualKey)) {
            return false;
        }
    }
    for (const ShotRequest& shot : script.shots) {
        // One word: no blank, no control character, no comment.
        const bool oneWord =
            !shot.file.empty() && std::none_of(shot.file.begin(), shot.file.end(), [](char c) {
                return static_cast<unsigned char>(c) <= 0x20 || c == 0x7f || c == '#';
            });
        if (!oneWord) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::istringstream in(text);
    ScriptError error;
    const std::optional<ReplayScript> script = parseScript(in, error);
    const int lines = lineCount(text);
    if (script) {
        if (!isRunnable(*script, lines)) {
            std::abort();
        }
    } else if (error.line < 1 || error.line > std::max(lines, 1) || error.message.empty() ||
               error.message.size() > kMaxMessageLength || !isPrintable(error.message)) {
        std::abort();
    }
    // A recording cut short, read as one: what is accepted runs as read, and a whole script is
    // read the same either way.
    std::istringstream again(text);
    ScriptError partialError;
    const std::optional<ReplayScript> partial = parseScript(again, partialError, {true});
    if (partial && (!isRunnable(*partial, lines) ||
                    (script && (partial->calls != script->calls || !partial->ended)))) {
        std::abort();
    }
    return 0;
}
