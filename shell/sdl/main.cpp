// Glimmerwake on the desktop: open the window, call the frame function once per pass of a loop
// that never blocks, and close everything again.
#include "game/game.h"
#include "platform/platform.h"
#include "shell/common/command_line.h"
#include "shell/common/frame_step.h"
#include "shell/common/music_cues.h"
#include "shell/common/score_listing.h"
#include "shell/common/session.h"
#include "shell/common/settings.h"
#include "shell/common/sound.h"
#include "shell/common/user_data.h"
#include "shell/sdl/frame_clock.h"
#include "shell/sdl/pad_input.h"
#include "shell/sdl/sdl_backend.h"

#include <cstdio>

namespace {

constexpr int kExitUsage = 2;

// Answers --help, --version, --scores and a wrong command line without opening anything. Returns
// the exit status, or -1 when the game is to be played.
int answerWithoutWindow(const CommandLine& line) {
    switch (line.action) {
    case CommandLine::Action::Help:
        std::fputs(commandLineHelp().c_str(), stdout);
        return 0;
    case CommandLine::Action::Version:
        std::fputs(commandLineVersion().c_str(), stdout);
        return 0;
    case CommandLine::Action::Scores: {
        ScoreStore store(userDataDirectory());
        std::fputs(scoresListing(store).c_str(), stdout);
        return 0;
    }
    case CommandLine::Action::UsageError:
        std::fprintf(stderr, "%s\n", line.error.c_str());
        return kExitUsage;
    case CommandLine::Action::Play:
        break;
    }
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    const CommandLine line = parseCommandLine(argc, argv);
    const int answered = answerWithoutWindow(line);
    if (answered >= 0) {
        return answered;
    }
    shell().fullScreenWanted = !line.window;
    const Settings settings = loadSettings(userDataDirectory());
    if (!startSession(line, settings)) {
        return kExitUsage;
    }
    initFrameClock();
    // The result is not needed: a failure has shown its box and posted the quit, which ends the
    // loop below before its first frame.
    openGameWindow(1024, 768, 16);
    startPads();
    // The sounds lie beside the images, wherever those were found.
    // --mute and --no-music override the remembered settings for this run only.
    startSound(dataRoot() + "Data/Sounds", line.mute || settings.mute,
               !line.noMusic && settings.music);
    sessionNoteMuted(soundMuted());
    sessionNoteMusic(musicPlaying());
    while (runMessagePass()) {
        pollPads(frameStepGame().gameState == GameState::Playing);
        pollMuteKey();
        pollMusicKey();
        sessionNoteMuted(soundMuted());
        sessionNoteMusic(musicPlaying());
        CallInputs inputs = readLiveInputs();
        const FramePace pace = sessionBeforeCall(inputs);
        runFrame(inputs, pace);
        sessionAfterCall();
        cueMusic(musicThemeFor(frameStepGame()));
    }
    finishSession();
    stopSound();
    stopPads();
    closeGameWindow();
    // A start-up that failed must not look like a game that ended well.
    return shell().fatalErrorShown ? 1 : shell().quitCode;
}
