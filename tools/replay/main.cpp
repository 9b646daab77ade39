// glimmerwake-replay: plays the game's rules from a key script and prints the whole game state
// after every call, one JSON object a line. Only a script with shots draws its frames.
#include "game/game.h"
#include "render/renderer.h"
#include "replay/script.h"
#include "replay/script_feed.h"
#include "replay/trace.h"
#include "shell/common/music_cues.h"
#include "shell/common/offscreen_context.h"
#include "shell/common/rgb_png.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#ifndef GLIMMERWAKE_VERSION
#define GLIMMERWAKE_VERSION "unknown"
#endif

namespace {

constexpr int kExitDone = 0;
constexpr int kExitTraceLost = 1;
constexpr int kExitMalformed = 2;
constexpr int kExitNoShot = 3;

const char kUsage[] =
    "usage: glimmerwake-replay [--partial] [--sounds FILE] [--music FILE] SCRIPT\n"
    "       glimmerwake-replay --help\n"
    "       glimmerwake-replay --version\n"
    "Plays Glimmerwake from the key script SCRIPT (a file, or - for standard input) and prints\n"
    "the game state after every call of the frame function, one JSON object a line.\n"
    "--partial also plays a recording cut short (no 'end': the game was killed), through the\n"
    "call of its last line.\n"
    "--sounds FILE writes every sound effect the game asks for as a line CALL NAME.\n"
    "--music FILE writes the music's theme as a line CALL THEME in the first call and in every\n"
    "call after which it changes.\n"
    "Exit status: 0 when the script ran to its end or the game quit, 1 when the trace, the\n"
    "sounds or the music could not be written, 2 for a malformed script,\n"
    "3 when a shot could not be taken.\n";

// Says on standard error how much of a recording cut short is played.
void notePartial(const std::string& name, const ReplayScript& script) {
    std::fprintf(stderr, "%s: no 'end': the recording was cut short; playing its %d calls\n",
                 name.c_str(), script.calls);
    if (script.lastLineCut) {
        std::fprintf(stderr, "%s: its last line was cut off in the middle and is left out\n",
                     name.c_str());
    }
}

std::optional<ReplayScript> readScript(const std::string& name, ScriptOptions options) {
    ScriptError error;
    std::optional<ReplayScript> script;
    if (name == "-") {
        script = parseScript(std::cin, error, options);
    } else {
        std::error_code ignored;
        if (std::filesystem::is_directory(name, ignored)) {
            std::fprintf(stderr, "%s: is a directory, not a script\n", name.c_str());
            return std::nullopt;
        }
        std::ifstream file(name);
        if (!file) {
            std::fprintf(stderr, "%s: cannot open the script: %s\n", name.c_str(),
                         std::strerror(errno));
            return std::nullopt;
        }
        script = parseScript(file, error, options);
    }
    if (!script) {
        std::fprintf(stderr, "%s:%d: %s\n", name.c_str(), error.line, error.message.c_str());
        if (error.noEnd) {
            std::fprintf(stderr,
                         "%s: a recording cut short (its game was killed) plays with "
                         "--partial\n",
                         name.c_str());
        }
    } else if (!script->ended) {
        notePartial(name, *script);
    }
    return script;
}

bool takeShot(const OffscreenContext& context, const ShotRequest& shot,
              const std::string& scriptName) {
    std::string why;
    if (writeRgbPng(shot.file.c_str(), OffscreenContext::kWidth, OffscreenContext::kHeight,
                    context.readRgb(), ShotTarget::NewOrPng, why)) {
        return true;
    }
    std::fprintf(stderr, "%s:%d: cannot write the shot %s: %s\n", scriptName.c_str(), shot.line,
                 shot.file.c_str(), why.c_str());
    return false;
}

struct Options {
    std::string scriptName;
    // Empty: the sounds are not written.
    std::string soundsFile;
    // Empty: the music is not written.
    std::string musicFile;
    ScriptOptions script;
};

// What the replayed game is heard to do, each written where it is asked for; null for what is
// not.
struct Listening {
    std::FILE* sounds = nullptr;
    std::FILE* music = nullptr;
    MusicTheme theme = MusicTheme::Silence;
};

// Writes what the call asked to be heard, a line an effect; false when a write failed.
bool writeSounds(std::FILE* file, int call, const std::vector<SoundEffect>& sounds) {
    for (const SoundEffect effect : sounds) {
        if (std::fprintf(file, "%d %s\n", call, soundEffectName(effect)) < 0) {
            return false;
        }
    }
    return true;
}

// Writes the theme the call leaves the music on, when it is a new one; false when the write
// failed.
bool writeMusic(Listening& listening, int call, const Game& game) {
    const MusicTheme theme = musicThemeFor(game);
    const bool changed = call == 0 || theme != listening.theme;
    listening.theme = theme;
    return !changed || std::fprintf(listening.music, "%d %s\n", call, musicThemeName(theme)) >= 0;
}

// Plays the script's calls and prints their trace; returns the exit status.
int play(const ReplayScript& script, const std::string& scriptName, Listening& listening) {
    std::unique_ptr<OffscreenContext> context;
    std::unique_ptr<Renderer> renderer;
    if (!script.shots.empty()) {
        // Made before the first call, so the images and fonts the drawing loads go into it.
        context = std::make_unique<OffscreenContext>();
        if (!context->ok()) {
            std::fprintf(stderr, "glimmerwake-replay: no OpenGL context for the shots: %s\n",
                         context->error().c_str());
            return kExitNoShot;
        }
        renderer = std::make_unique<Renderer>();
        // The viewport and projection the game's window sets up as it opens.
        renderer->resize(OffscreenContext::kWidth, OffscreenContext::kHeight);
    }

    Game game;
    ScriptedMachine machine;
    machine.epoch = script.epoch;
    ScriptFeed feed(script);
    auto nextShot = script.shots.begin();
    std::string line;
    int status = kExitDone;
    bool quit = false;
    int call = 0;
    for (; call < script.calls && !quit && status == kExitDone; ++call) {
        feed.enterCall(machine, call);
        const CallOutcome outcome = game.advance(machine.inputs());
        quit = outcome.quit;
        if (renderer) {
            // Every frame is drawn, not only those shot: the drawing state carries from one
            // frame to the next. The framebuffer, which is never swapped, then holds the frame.
            renderer->drawFrame(game, outcome.picture);
        }
        for (; nextShot != script.shots.end() && nextShot->call == call; ++nextShot) {
            if (!takeShot(*context, *nextShot, scriptName)) {
                status = kExitNoShot;
            }
        }
        if (listening.sounds != nullptr && !writeSounds(listening.sounds, call, outcome.sounds)) {
            std::fprintf(stderr, "glimmerwake-replay: cannot write the sounds: %s\n",
                         std::strerror(errno));
            return kExitTraceLost;
        }
        if (listening.music != nullptr && !writeMusic(listening, call, game)) {
            std::fprintf(stderr, "glimmerwake-replay: cannot write the music: %s\n",
                         std::strerror(errno));
            return kExitTraceLost;
        }
        line.clear();
        appendTraceLine(line, call, game);
        if (std::fwrite(line.data(), 1, line.size(), stdout) != line.size()) {
            std::fprintf(stderr, "glimmerwake-replay: cannot write the trace: %s\n",
                         std::strerror(errno));
            return kExitTraceLost;
        }
    }
    if (status == kExitDone && nextShot != script.shots.end()) {
        std::fprintf(stderr, "%s:%d: no shot taken: the game quit in call %d\n", scriptName.c_str(),
                     nextShot->line, call - 1);
    }
    if (std::fflush(stdout) != 0) {
        std::fprintf(stderr, "glimmerwake-replay: cannot write the trace: %s\n",
                     std::strerror(errno));
        return kExitTraceLost;
    }
    return status;
}

// False for anything but [--partial] [--sounds FILE] [--music FILE] SCRIPT, the options in any
// order.
bool parseArguments(int argc, char** argv, Options& options) {
    int next = 1;
    for (; next < argc - 1; ++next) {
        if (std::strcmp(argv[next], "--partial") == 0 && !options.script.partial) {
            options.script.partial = true;
        } else if (std::strcmp(argv[next], "--sounds") == 0 && options.soundsFile.empty() &&
                   next + 2 < argc && argv[next + 1][0] != '\0') {
            options.soundsFile = argv[++next];
        } else if (std::strcmp(argv[next], "--music") == 0 && options.musicFile.empty() &&
                   next + 2 < argc && argv[next + 1][0] != '\0') {
            options.musicFile = argv[++next];
        } else {
            return false;
        }
    }
    if (next != argc - 1 || std::strcmp(argv[next], "--partial") == 0 ||
        std::strcmp(argv[next], "--sounds") == 0 || std::strcmp(argv[next], "--music") == 0) {
        return false;
    }
    options.scriptName = argv[next];
    return true;
}

// Opens `name` for writing, or leaves `file` null when no name was given; false (said on standard
// error) when it cannot be written.
bool openListening(const std::string& name, const char* what, std::FILE*& file) {
    if (name.empty()) {
        return true;
    }
    file = std::fopen(name.c_str(), "w");
    if (file == nullptr) {
        std::fprintf(stderr, "glimmerwake-replay: cannot write the %s to %s: %s\n", what,
                     name.c_str(), std::strerror(errno));
        return false;
    }
    return true;
}

// Closes what was opened; false (said on standard error) when what was written did not all reach
// its file.
bool closeListening(const Listening& listening) {
    bool whole = true;
    for (const auto& [file, what] :
         {std::pair{listening.sounds, "sounds"}, std::pair{listening.music, "music"}}) {
        if (file != nullptr && std::fclose(file) != 0) {
            std::fprintf(stderr, "glimmerwake-replay: cannot write the %s: %s\n", what,
                         std::strerror(errno));
            whole = false;
        }
    }
    return whole;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(kUsage, stdout);
        return kExitDone;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::fputs("glimmerwake-replay " GLIMMERWAKE_VERSION "\n", stdout);
        return kExitDone;
    }
    Options options;
    if (!parseArguments(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return kExitMalformed;
    }
    // The script is read with iostreams and the trace written with stdio: neither waits on the
    // other, and a script of megabytes is read a buffer at a time.
    std::ios::sync_with_stdio(false);
    const std::optional<ReplayScript> script = readScript(options.scriptName, options.script);
    if (!script) {
        return kExitMalformed;
    }
    Listening listening;
    if (!openListening(options.soundsFile, "sounds", listening.sounds) ||
        !openListening(options.musicFile, "music", listening.music)) {
        closeListening(listening);
        return kExitMalformed;
    }
    const int status = play(*script, options.scriptName, listening);
    if (!closeListening(listening) && status == kExitDone) {
        return kExitTraceLost;
    }
    return status;
}
